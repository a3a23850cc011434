#include "query/calcoli/Calcoli.h"

#include "dataset/Dataset.h"
#include "dataset/IbQuery.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Formats.h"
#include "platform/SqlTesto.h"
#include "query/calcoli/OrdineETotali.h"

#include <algorithm>

namespace mavo {

QStringList CampiDaSommare(const Dataset& risposta) {
    QStringList nomi;
    for (const CampoRisposta& campo : CampiRisposta(risposta))
        if (NumericoPerTotali(campo.tipo))
            nomi << campo.nome;
    return nomi;
}

double SommaCampo(Dataset& risposta, const Field& campo) {
    double somma = 0;
    for (int riga = 0;; ++riga) {
        if (riga >= risposta.recordCount() &&
            (!risposta.canFetchMore() || risposta.fetchMore(1000) == 0))
            return somma;
        somma += risposta.valueAt(riga, &campo).toDouble();
    }
}

QStringList CampiPerSommaRaggruppata(db::Database& database, const QString& tabella) {
    db::Transaction lettura(&database);
    lettura.setParams({"isc_tpb_read", "isc_tpb_read_committed", "isc_tpb_rec_version"});
    db::Statement descrizione(&database, &lettura);
    descrizione.setParamCheck(false);
    descrizione.setSql({"SELECT * FROM " + sql::identificatore(tabella)});
    descrizione.prepare();
    QStringList nomi;
    for (const db::FieldInfo& colonna : descrizione.columns()) {
        const FieldDef def = toFieldDef(colonna);
        if (NumericoPerSomma(def.type))
            nomi << def.name;
    }
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

bool RangeValido(const QString& iniziale, const QString& finale) {
    if (iniziale.isEmpty() || finale.isEmpty())
        return true;
    const std::optional<double> da = textToFloat(iniziale);
    const std::optional<double> a = textToFloat(finale);
    if (da && a)
        return *da <= *a;
    return iniziale.compare(finale) <= 0;
}

std::optional<QString> DataRiscritta(const QString& testo) {
    const std::optional<QDate> data = textToDate(testo);
    return data ? std::optional(dateToText(*data)) : std::nullopt;
}

EstrazioneAnniMesi EstraiAnniMesi(const QString& campo, DatoEstratto dato,
                                  const QString& nomeRisposta) {
    if (campo.isEmpty())
        return {QStringLiteral("Selezionare un campo data!"), {}};
    if (dato == DatoEstratto::Nessuno)
        return {QStringLiteral("Selezionare il dato da estrarre!"), {}};
    if (nomeRisposta.isEmpty())
        return {QStringLiteral("Impostare il nome del campo di risposta!"), {}};
    const QString parte =
        dato == DatoEstratto::Anno ? QStringLiteral("YEAR") : QStringLiteral("MONTH");
    return {{}, "(EXTRACT (" + parte + " from " + campo + ")) AS " + nomeRisposta};
}

} // namespace mavo
