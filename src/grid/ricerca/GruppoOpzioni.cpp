#include "grid/ricerca/GruppoOpzioni.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace mavo {

GruppoOpzioni::GruppoOpzioni(const QString& titolo, const QStringList& voci, int colonne,
                             QWidget* parent, bool perColonne)
    : QGroupBox(titolo, parent), pulsanti_(new QButtonGroup(this)), griglia_(new QGridLayout(this)),
      perColonne_(perColonne) {
    griglia_->setContentsMargins(6, 2, 6, 2);
    setVoci(voci, colonne);
}

void GruppoOpzioni::setVoci(const QStringList& voci, int colonne) {
    for (QAbstractButton* vecchio : pulsanti_->buttons()) {
        pulsanti_->removeButton(vecchio);
        griglia_->removeWidget(vecchio);
        vecchio->hide();
        vecchio->deleteLater();
    }
    const int perColonna = int((voci.size() + colonne - 1) / colonne);
    for (int i = 0; i < voci.size(); ++i) {
        auto* pulsante = new QRadioButton(voci[i], this);
        pulsanti_->addButton(pulsante, i);
        if (perColonne_)
            griglia_->addWidget(pulsante, i % perColonna, i / perColonna);
        else
            griglia_->addWidget(pulsante, i / colonne, i % colonne);
    }
}

int GruppoOpzioni::numeroVoci() const {
    return static_cast<int>(pulsanti_->buttons().size());
}

int GruppoOpzioni::indice() const {
    return pulsanti_->checkedId();
}

void GruppoOpzioni::setIndice(int indice) {
    if (QAbstractButton* pulsante = pulsanti_->button(indice))
        pulsante->setChecked(true);
}

void GruppoOpzioni::azzera() {
    // An exclusive group keeps one option checked.
    pulsanti_->setExclusive(false);
    for (QAbstractButton* pulsante : pulsanti_->buttons())
        pulsante->setChecked(false);
    pulsanti_->setExclusive(true);
}

} // namespace mavo
