#include "Bersagli.h"

#include "db/Statement.h"

#include <ostream>

namespace mavo::test {

void PrintTo(const Bersaglio& bersaglio, std::ostream* os) {
    *os << bersaglio.caso;
}

void BersaglioTest::articolo(int id, const QString& fornitore, const QString& codice,
                             const QVariant& prezzoListino, double vendita,
                             const QString& estensione) {
    const bool anagrafica = !GetParam().suListino;
    db::Transaction scrittura(&archivio().db());
    db::Statement inserimento(&archivio().db(), &scrittura);
    inserimento.setSql({"INSERT INTO " + d().tabella + "(ID, CODICE, " + d().colonnaFornitore +
                            ',' + d().colonnaListino + ',' + d().colonnaAcquisto + ',' +
                            d().colonnaNettoOneri + ',' + d().colonnaVendita + ',' +
                            d().colonnaRicarico + (anagrafica ? ", ESTENSIONE" : "") + ')',
                        "VALUES(:ID, :CODICE, :FORNITORE, :LISTINO, 1, 2, :VENDITA, 50" +
                            QString(anagrafica ? ", :ESTENSIONE" : "") + ')'});
    inserimento.setParam("ID", id);
    inserimento.setParam("CODICE", codice);
    inserimento.setParam("FORNITORE", fornitore);
    inserimento.setParam("LISTINO", prezzoListino);
    inserimento.setParam("VENDITA", vendita);
    if (anagrafica)
        inserimento.setParam("ESTENSIONE", estensione);
    inserimento.execute();
    scrittura.commit();
}

Prezzi BersaglioTest::prezzi(int id) {
    db::Transaction lettura(&archivio().db());
    db::Statement riga(&archivio().db(), &lettura);
    riga.setSql({"SELECT " + d().colonnaListino + ',' + d().colonnaAcquisto + ',' +
                 d().colonnaNettoOneri + ',' + d().colonnaVendita + ',' + d().colonnaRicarico +
                 " FROM " + d().tabella + " WHERE ID=" + QString::number(id)});
    riga.execute();
    EXPECT_TRUE(riga.fetch()) << "no row " << id;
    Prezzi p{};
    for (int i = 0; i < 5; ++i)
        p[i] = riga.value(i).toDouble();
    return p;
}

QMap<int, double> BersaglioTest::vendite() {
    db::Transaction lettura(&archivio().db());
    db::Statement righe(&archivio().db(), &lettura);
    righe.setSql({"SELECT ID, " + d().colonnaVendita + " FROM " + d().tabella});
    righe.execute();
    QMap<int, double> risultato;
    while (righe.fetch())
        risultato.insert(righe.value(0).toInt(), righe.value(1).toDouble());
    return risultato;
}

void BersaglioTest::rifiutaAggiornamento(int id) {
    archivio().exec({"CREATE EXCEPTION RIGA_VIETATA 'riga vietata'",
                     "CREATE TRIGGER VIETA FOR " + d().tabella +
                         " BEFORE UPDATE AS BEGIN IF (OLD.ID = " + QString::number(id) +
                         ") THEN EXCEPTION RIGA_VIETATA; END"});
}

std::unique_ptr<db::Transaction> BersaglioTest::blocca(int id) {
    auto altro = std::make_unique<db::Transaction>(&archivio().db());
    db::Statement aggiorna(&archivio().db(), altro.get());
    aggiorna.setSql({"UPDATE " + d().tabella + " SET " + d().colonnaAcquisto +
                     "=3 WHERE ID=" + QString::number(id)});
    aggiorna.execute();
    return altro;
}

} // namespace mavo::test
