#include "query/form/ui/ElabAvanForm.h"

#include "platform/Interazione.h"
#include "query/calcoli/ui/DialogoCalcoli.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

TElabAvanForm::TElabAvanForm(const StatoElaborazioni& stato, const QString& ditta,
                             const QSet<QString>& disponibili, Interazione& port, QWidget* owner)
    : QDialog(owner), stato_(stato), port_(port) {
    using namespace elaborazione;
    const QList<std::pair<QString, QString>> voci = {
        {elaborazione::CampiVisibili, QStringLiteral("&Campi visibili")},
        {BloccaQuery, QStringLiteral("&Blocca Query")},
        // The query form's name for adding a side-by-side member.
        {QueryAffiancata, QStringLiteral("Affiancamento tramite UNION")},
        {TogliQueryAffiancata, QStringLiteral("&Togli query affiancata")},
        {PassaPrecedente, QStringLiteral("Passa a query &precedente")},
        {PassaSuccessiva, QStringLiteral("Passa a query &successiva")},
        {EliminaSuccessiva, QStringLiteral("&Elimina query successiva")},
    };
    auto* layout = new QVBoxLayout(this);
    for (const auto& [parola, testo] : voci) {
        auto* pulsante = new QPushButton(testo, this);
        pulsante->setAutoDefault(false);
        pulsante->setEnabled(disponibili.contains(parola));
        connect(pulsante, &QPushButton::clicked, this, [this, p = parola] { scegli(p); });
        layout->addWidget(pulsante);
        Pulsanti.insert(parola, pulsante);
    }
    ButtonChiudi = new QPushButton(QStringLiteral("Ch&iudi"), this);
    ButtonChiudi->setAutoDefault(false);
    connect(ButtonChiudi, &QPushButton::clicked, this, &QDialog::reject);
    layout->addSpacing(8);
    layout->addWidget(ButtonChiudi);
    PreparaDialogo(*this, "Elaborazioni avanzate - Ditta: " + ditta, {260, 300});
}

void TElabAvanForm::scegli(const QString& parola) {
    if (const std::optional<QString> rifiuto = RifiutoElaborazione(parola, stato_)) {
        port_.Avviso(*rifiuto);
        Parola.clear();
        reject();
        return;
    }
    Parola = parola;
    accept();
}

} // namespace mavo
