#include "RicercaArchivio.h"

#include "host/demo/DemoEnvironment.h"

namespace mavo::test {

ArchivioProva::ArchivioProva() {
    CreaSchemaArchivio(archivio.db());
    archivio.exec({"CREATE TABLE T (A INTEGER NOT NULL, B INTEGER NOT NULL, NOME VARCHAR(30), "
                   "DATA DATE, QTA INTEGER, CONSTRAINT PK_T PRIMARY KEY (A, B))",
                   "INSERT INTO T VALUES (1, 1, 'Abaco', '2024-02-01', 5)",
                   "INSERT INTO T VALUES (1, 2, 'Cabala', '2024-02-10', 15)",
                   "INSERT INTO T VALUES (2, 1, 'Dado', '2024-02-11', 150)",
                   "INSERT INTO T VALUES (2, 2, 'l''ape', '2024-01-31', 50)"});
}

QStringList ArchivioProva::nomi(const QStringList& sql) {
    db::Transaction transazione(&db());
    db::Statement istruzione(&db(), &transazione);
    istruzione.setSql(sql);
    istruzione.execute();
    QStringList nomi;
    while (istruzione.fetch())
        nomi << istruzione.value(QStringLiteral("NOME")).toString();
    transazione.commit();
    return nomi;
}

} // namespace mavo::test
