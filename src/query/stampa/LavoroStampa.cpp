#include "query/stampa/LavoroStampa.h"

namespace mavo {

ValoreReport ValoreDiCampo(const CampoStampa& campo, const QVariant& valore) {
    if (valore.isNull())
        return {};
    if (campo.Numerico())
        return ValoreReport::Numero(valore.toDouble());
    switch (campo.Tipo) {
    case FieldType::Boolean:
        return ValoreReport::Booleano(valore.toBool());
    case FieldType::Date:
        return ValoreReport::Data(valore.toDate());
    default:
        return ValoreReport::Testo(TestoValore(campo, valore));
    }
}

QSet<QString> NomiReportAvanzato(const SorgenteStampa& sorgente,
                                 const QHash<QString, ValoreReport>& variabili) {
    QSet<QString> nomi{QStringLiteral("TIPORIGA")};
    for (const CampoStampa& c : sorgente.Campi) {
        nomi.insert(c.Nome.toUpper());
        if (c.ConTotali())
            nomi.insert(QStringLiteral("TOTALE.") + c.Nome.toUpper());
    }
    for (auto i = variabili.cbegin(); i != variabili.cend(); ++i)
        nomi.insert(i.key());
    return nomi;
}

QSet<QString> NomiReportStandard() {
    return {QStringLiteral("NUMEROPAGINA"), QStringLiteral("NUMERORIGA"),
            QStringLiteral("TIPORIGA"), QStringLiteral("DESCRIZIONE")};
}

bool TotaliVoluti(const SorgenteStampa& sorgente) {
    if (sorgente.UnRecord)
        return false;
    return std::any_of(sorgente.Campi.begin(), sorgente.Campi.end(),
                       [](const CampoStampa& c) { return c.Visibile && c.ConTotali(); });
}

} // namespace mavo
