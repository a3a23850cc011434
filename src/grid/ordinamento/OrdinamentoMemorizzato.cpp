#include "grid/ordinamento/OrdinamentoMemorizzato.h"
#include "platform/SqlTesto.h"

#include "grid/LetturaImpostazioni.h"

#include <algorithm>
#include <cstdlib>

namespace mavo {

void ApplicaRigheOrdinamento(StatoOrdinamento& stato, const QVector<RigaOrdinamento>& righe,
                             const DecodificaCampi& personalizzati) {
    if (stato.ModoOrdinamento == 0)
        stato.ModoOrdinamento =
            std::any_of(righe.begin(), righe.end(),
                        [](const RigaOrdinamento& r) { return std::abs(r.Ordinamento) > 2; })
                ? 2
                : 1;
    const auto espressione = [&personalizzati](const RigaOrdinamento& r) {
        return EspressioneCampo(r.NomeCampo, r.Origine, personalizzati);
    };
    if (stato.ModoOrdinamento == 1) {
        if (righe.isEmpty()) {
            stato.CampoOrdinamento.clear();
        } else if (const RigaOrdinamento& r = righe.first(); r.Ordinamento != 0) {
            stato.VersoOrdinamento = r.Ordinamento;
            stato.CampoOrdinamento = r.NomeCampo;
            stato.EspressioneOrdinamento = espressione(r);
            stato.ColonnaOrdinamento = r.Posizione;
        }
        return;
    }
    stato.ChiaviOrdinamento.clear();
    for (const RigaOrdinamento& r : righe)
        if (r.Ordinamento != 0)
            stato.ChiaviOrdinamento.append(
                {r.NomeCampo, espressione(r), r.Posizione, r.Ordinamento < 1 ? 2 : 1});
}

void LeggiOrdinamento(db::Database& database, const QString& tabella, const ChiaviGriglia& chiavi,
                      const DecodificaCampi& personalizzati, StatoOrdinamento& stato) {
    QStringList sql{QStringLiteral("SELECT ABS(Ordinamento) AS ORD,Ordinamento,NomeCampo,Origine,"
                                   "Posizione FROM ") +
                    sql::identificatore(tabella)};
    sql << RigheChiave(chiavi) << QStringLiteral("AND (Ordinamento IS NOT NULL) ORDER BY ORD");
    QVector<RigaOrdinamento> righe;
    for (const QVariantHash& r : LeggiImpostazioni(database, sql).righe)
        righe.append({r.value(QStringLiteral("ORDINAMENTO")).toInt(),
                      r.value(QStringLiteral("NOMECAMPO")).toString().trimmed(),
                      r.value(QStringLiteral("ORIGINE")).toString().trimmed(),
                      r.value(QStringLiteral("POSIZIONE")).toInt()});
    ApplicaRigheOrdinamento(stato, righe, personalizzati);
}

} // namespace mavo
