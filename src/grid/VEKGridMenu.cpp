#include "context/EseguiProtetto.h"
#include "grid/TabellaDellaQuery.h"
#include "grid/VEKGrid.h"

#include <QAction>
#include <QMenu>

namespace mavo {

namespace {

TVEKGrid::FunzioneApriQuery& funzioneApriQuery() {
    static TVEKGrid::FunzioneApriQuery funzione;
    return funzione;
}

} // namespace

void TVEKGrid::InstallaApriQuery(FunzioneApriQuery funzione) {
    funzioneApriQuery() = std::move(funzione);
}

bool TVEKGrid::ApriQueryInstallata() {
    return bool(funzioneApriQuery());
}

void TVEKGrid::apriQuery() {
    // The key works without the menu having been shown: the same rules apply.
    if (dataset() && dataset()->active() && ApriQueryInstallata() && queryPossibile())
        funzioneApriQuery()(*this);
}

void TVEKGrid::costruisciMenu() {
    if (popupMenu_)
        popupMenu_->addSeparator();
    else
        popupMenu_ = menuProprio_;
    connect(popupMenu_, &QMenu::aboutToShow, this, &TVEKGrid::menuInApertura);

    voceRicerca_ = aggiungiVoce(QStringLiteral("Ricerca su campo Corrente"), Qt::Key_F5,
                                &TVEKGrid::ricercaSuCampoCorrente);
    vociDaAbilitare_ << aggiungiVoce(QStringLiteral("Annulla ricerca"), Qt::Key_F6,
                                     &TVEKGrid::annullaRicerca);
    QAction* ricercaSuChiave =
        aggiungiVoce(QStringLiteral("Ricerca su chiave "), Qt::Key_F7, nullptr);
    ricercaSuChiave->setVisible(false);
    ricercaSuChiave->setEnabled(false);
    vociDaAbilitare_ << ricercaSuChiave;
    voceQuery_ = aggiungiVoce(QStringLiteral("Query"), Qt::Key_F8, &TVEKGrid::apriQuery);
    vociDaAbilitare_ << voceQuery_;
    vociDaAbilitare_ << aggiungiVoce(QStringLiteral("Dimezza larghezza colonna"), Qt::Key_F9,
                                     &TVEKGrid::dimezzaLarghezzaColonna);
    vociDaAbilitare_ << aggiungiVoce(QStringLiteral("Personalizza Griglia"), QKeySequence(),
                                     &TVEKGrid::personalizzaGriglia);
}

QAction* TVEKGrid::aggiungiVoce(const QString& titolo, const QKeySequence& tasto,
                                void (TVEKGrid::*azione)()) {
    // The grid owns its entries (the window's menu may go first) and carries
    // them too, so that their keys work while it has the focus.
    auto* voce = new QAction(titolo, this);
    voce->setShortcut(tasto);
    voce->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    // No failure of a command may unwind through the event loop.
    if (azione)
        connect(voce, &QAction::triggered, this,
                [this, azione] { EseguiProtetto(interazione(), [&] { (this->*azione)(); }); });
    popupMenu_->addAction(voce);
    addAction(voce);
    return voce;
}

void TVEKGrid::menuInApertura() {
    if (OnPopup)
        OnPopup();
    abilitaVoci();
}

void TVEKGrid::abilitaVoci() {
    const bool aperto = dataset() && dataset()->active();
    for (QAction* voce : std::as_const(vociDaAbilitare_))
        voce->setEnabled(aperto);
    voceRicerca_->setEnabled(RicercaAbilitata);
    if (!ApriQueryInstallata() || !queryPossibile())
        voceQuery_->setEnabled(false);
}

bool TVEKGrid::queryPossibile() const {
    // The query tool needs a table of the database to work on.
    if (!TabellaPrincipale.isEmpty())
        return true;
    if (tipoTabella_ == TipoMemoria)
        return false;
    return tipoTabella_ != TipoQuery || !TabellaDellaQuery(SQLIniziale).isEmpty();
}

void TVEKGrid::dimezzaLarghezzaColonna() {
    const int colonna = ColonnaSelezionata();
    if (colonna >= 0)
        SetLarghezzaColonna(colonna, LarghezzaColonna(colonna) / 2);
}

} // namespace mavo
