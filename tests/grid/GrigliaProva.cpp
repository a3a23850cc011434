#include "GrigliaProva.h"

#include "ArchivioGriglia.h"

namespace mavo::test {

std::unique_ptr<TVEKGrid> GrigliaProva::nuovaGriglia(Dataset& dati) {
    auto griglia = PreparaGriglia(dati, {kSituazione, kUtente, kProgetto});
    griglia->setInterazione(&interazione);
    return griglia;
}

std::unique_ptr<IbQuery> GrigliaProva::nuovaQuery(const QStringList& sql) {
    auto query = std::make_unique<IbQuery>();
    query->setDatabase(&archivio.db());
    query->setSql(sql);
    return query;
}

QStringList GrigliaProva::nomi(Dataset& dati) {
    QStringList nomi;
    for (int riga = 0; riga < dati.recordCount(); ++riga)
        nomi << dati.valueAt(riga, dati.fieldByName("NOME")).toString();
    return nomi;
}

QStringList GrigliaProva::ordinamenti() {
    db::Transaction transazione(&archivio.db());
    db::Statement s(&archivio.db(), &transazione);
    s.setSql(QStringList{"SELECT ORDINAMENTO FROM STOASP1"} +
             RigheChiave({kSituazione, kUtente, kProgetto}) + QStringList{"ORDER BY POSIZIONE"});
    s.execute();
    QStringList valori;
    while (s.fetch())
        valori << (s.isNull(0) ? QString() : s.value(0).toString());
    transazione.commit();
    return valori;
}

} // namespace mavo::test
