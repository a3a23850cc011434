#include "grid/ricerca/SqlRicerca.h"
#include "platform/SqlTesto.h"

#include "platform/Formats.h"

namespace mavo {

namespace {

QString condizioneDate(const RichiestaRicerca& r, const QString& connettore,
                       const QString& espressione) {
    QString condizione =
        connettore + u'(' + espressione + QStringLiteral(" >= '") + sql::data(r.dal) + "')";
    if (r.al.isValid())
        condizione +=
            QStringLiteral("AND(") + espressione + QStringLiteral(" <= '") + sql::data(r.al) + "')";
    return condizione;
}

} // namespace

ClasseCampo ClasseDelCampo(FieldType tipo) {
    switch (tipo) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
    case FieldType::Float:
        return ClasseCampo::Numerico;
    case FieldType::Date:
    case FieldType::DateTime:
        return ClasseCampo::Data;
    case FieldType::Blob:
        return ClasseCampo::Blob;
    default:
        return ClasseCampo::Testo;
    }
}

bool UpperApplicato(const RichiestaRicerca& richiesta, ClasseCampo classe) {
    return richiesta.upper && classe == ClasseCampo::Testo;
}

QString ConnettoreRicerca(const QStringList& sqlIniziale) {
    for (const QString& riga : sqlIniziale)
        if (riga.contains(QStringLiteral("WHERE"), Qt::CaseInsensitive))
            return QStringLiteral("AND");
    return QStringLiteral("WHERE");
}

QString CostruisciCondizione(const RichiestaRicerca& richiesta, const CampoRicercato& campo,
                             const QStringList& sqlIniziale) {
    const QString connettore = ConnettoreRicerca(sqlIniziale);
    if (campo.classe == ClasseCampo::Data)
        return richiesta.dal.isValid() ? condizioneDate(richiesta, connettore, campo.espressione)
                                       : QString();
    if (richiesta.testo.isEmpty())
        return {};
    const bool upper = UpperApplicato(richiesta, campo.classe);
    const QString espressione =
        upper ? QStringLiteral("UPPER(") + campo.espressione + u')' : campo.espressione;
    // Typed apostrophes become ´ in the dialog; one pasted in must still not end the literal.
    const QString valore =
        sql::apiciRaddoppiati(upper ? richiesta.testo.toUpper() : richiesta.testo);
    switch (richiesta.tipo) {
    case RicercaContiene:
        return connettore + u'(' + espressione + QStringLiteral(" LIKE '%") + valore + "%')";
    case RicercaIniziaCon:
        return connettore + u'(' + espressione + QStringLiteral(" LIKE '") + valore + "%')";
    default:
        return connettore + u'(' + espressione + QStringLiteral(" >= '") + valore + "')";
    }
}

QStringList RigheOrdinamentoRicerca(const RichiestaRicerca& richiesta,
                                    const CampoRicercato& campo) {
    if (richiesta.ordinamento != OrdinamentoCrescente &&
        richiesta.ordinamento != OrdinamentoDecrescente)
        return {};
    const QString espressione = UpperApplicato(richiesta, campo.classe)
                                    ? QStringLiteral("UPPER(") + campo.espressione + u')'
                                    : campo.espressione;
    const QString verso =
        richiesta.ordinamento == OrdinamentoDecrescente ? QStringLiteral(" DESC") : QString();
    return {QStringLiteral("ORDER BY ") + espressione + verso};
}

SqlRicerca ComponiSqlRicerca(const QStringList& sqlIniziale, const RichiestaRicerca& richiesta,
                             const CampoRicercato& campo,
                             const std::function<QStringList()>& ordinamentoMemorizzato) {
    SqlRicerca ricerca{sqlIniziale, CostruisciCondizione(richiesta, campo, sqlIniziale)};
    if (ricerca.condizione.isEmpty())
        return ricerca;
    ricerca.sql << ricerca.condizione;
    ricerca.sql << (richiesta.ordinamento == OrdinamentoNo && ordinamentoMemorizzato
                        ? ordinamentoMemorizzato()
                        : RigheOrdinamentoRicerca(richiesta, campo));
    return ricerca;
}

std::optional<QStringList> RigheRicercaGenerica(const QString& testo,
                                                const QStringList& sqlIniziale,
                                                const QStringList& origini) {
    const QString valore = sql::apiciRaddoppiati(testo.toUpper());
    QStringList righe{ConnettoreRicerca(sqlIniziale) + u'('};
    for (const QString& origine : origini)
        if (!origine.isEmpty())
            righe << (righe.size() == 1 ? QStringLiteral("(") : QStringLiteral("OR(")) + origine +
                         QStringLiteral(" CONTAINING '") + valore + "')";
    if (righe.size() == 1)
        return std::nullopt;
    righe << QStringLiteral(")");
    return righe;
}

} // namespace mavo
