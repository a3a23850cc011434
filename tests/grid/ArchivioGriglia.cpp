#include "ArchivioGriglia.h"

#include "host/demo/DemoEnvironment.h"

#include <QHeaderView>
#include <QTest>

namespace mavo::test {

ArchivioGriglia::ArchivioGriglia() {
    CreaSchemaArchivio(archivio.db());
    archivio.exec({"CREATE TABLE ARTICOLI(CODICE VARCHAR(20) NOT NULL PRIMARY KEY, "
                   "DESCRIZIONE VARCHAR(40), PREZZO DECIMAL(15,2), QTA INTEGER)",
                   "INSERT INTO ARTICOLI VALUES('A1', 'Vite', 1.5, 10)",
                   "INSERT INTO ARTICOLI VALUES('B2', 'Dado', 0.25, 200)",
                   "INSERT INTO ARTICOLI VALUES('C3', 'Rondella', 0.1, 50)",
                   "CREATE TABLE SCRITTURE(N INTEGER)", "INSERT INTO SCRITTURE VALUES(0)",
                   "CREATE TRIGGER STOASP1_SCRITTURE FOR STOASP1 AFTER INSERT OR DELETE AS "
                   "BEGIN UPDATE SCRITTURE SET N = N + 1; END"});
    query = nuovaQuery();
}

std::unique_ptr<IbQuery> ArchivioGriglia::nuovaQuery() {
    auto q = std::make_unique<IbQuery>();
    q->setDatabase(&archivio.db());
    q->setSql({"SELECT * FROM \"ARTICOLI\""});
    return q;
}

std::unique_ptr<TVEKGrid> PreparaGriglia(Dataset& dati, const ChiaviGriglia& chiavi) {
    auto griglia = std::make_unique<TVEKGrid>();
    griglia->Utente = chiavi.utente;
    griglia->CodiceProgetto = chiavi.progetto;
    griglia->SetSituazione(chiavi.situazione);
    griglia->setDataset(&dati);
    griglia->Loaded();
    griglia->SetSorgenteDati(&dati);
    griglia->resize(700, 300);
    griglia->show();
    return griglia;
}

std::unique_ptr<TVEKGrid> ArchivioGriglia::nuovaGriglia(Dataset& dati) {
    return PreparaGriglia(dati, {SituazioneProva, UtenteProva, ProgettoProva});
}

QVector<QVariantHash> ArchivioGriglia::righeAspetto(int situazione, const QString& tabella) {
    db::Transaction t(&archivio.db());
    db::Statement s(&archivio.db(), &t);
    s.setSql({"SELECT * FROM " + tabella + " WHERE CODICESITUAZIONE=:S AND CODICEUTENTE=:U",
              "AND CODICEPROGETTO=:P ORDER BY POSIZIONE"});
    s.setParam("S", situazione);
    s.setParam("U", UtenteProva);
    s.setParam("P", ProgettoProva);
    s.execute();
    QVector<QVariantHash> righe;
    while (s.fetch()) {
        QVariantHash riga;
        for (int c = 0; c < s.columnCount(); ++c)
            riga.insert(s.columns()[c].alias, s.value(c));
        righe << riga;
    }
    t.commit();
    return righe;
}

void ArchivioGriglia::memorizzaRiga(const QString& nomeCampo, int posizione, int larghezza,
                                    const QString& titolo, int situazione) {
    db::Transaction t(&archivio.db());
    db::Statement s(&archivio.db(), &t);
    s.setSql({"INSERT INTO STOASP1 (CODICEPROGETTO, CODICESITUAZIONE, CODICEUTENTE, NOMECAMPO,",
              "LARGHEZZA, POSIZIONE, NOMECOLONNA, VISIBILE, COLORECOLONNA, ORIGINE)",
              "VALUES (:P, :S, :U, :NOME, :LARGHEZZA, :POSIZIONE, :TITOLO, 1, 0, '')"});
    s.setParam("P", ProgettoProva);
    s.setParam("S", situazione);
    s.setParam("U", UtenteProva);
    s.setParam("NOME", nomeCampo);
    s.setParam("LARGHEZZA", larghezza);
    s.setParam("POSIZIONE", posizione);
    s.setParam("TITOLO", titolo);
    s.execute();
    t.commit();
}

int ArchivioGriglia::scrittureAspetto() {
    return archivio.scalar("SELECT N FROM SCRITTURE").toInt();
}

void ArchivioGriglia::trascinaTitolo(TVEKGrid& griglia, int da, int a) {
    // A title takes the place of another once dragged past that one's middle.
    QHeaderView* titoli = griglia.horizontalHeader();
    const int y = titoli->height() / 2;
    const QPoint partenza(titoli->sectionViewportPosition(da) + titoli->sectionSize(da) / 2, y);
    const int inizio = titoli->sectionViewportPosition(a);
    const QPoint arrivo(a < da ? inizio + 2 : inizio + titoli->sectionSize(a) - 2, y);
    QTest::mousePress(titoli->viewport(), Qt::LeftButton, {}, partenza);
    for (int passo = 1; passo <= 10; ++passo)
        QTest::mouseMove(titoli->viewport(), partenza + (arrivo - partenza) * passo / 10);
    QTest::mouseRelease(titoli->viewport(), Qt::LeftButton, {}, arrivo);
}

} // namespace mavo::test
