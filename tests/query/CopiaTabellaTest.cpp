#include "ArchivioEsportazione.h"

#include "db/DatabaseError.h"

namespace mavo::test {
namespace {

using CopiaTabella = ArchivioEsportazione;

QStringList righe(TestDb& db, const QString& select) {
    QStringList lette;
    db::Transaction t(&db.db());
    db::Statement s(&db.db(), &t);
    s.setSql({select});
    s.execute();
    while (s.fetch()) {
        QStringList campi;
        for (int i = 0; i < s.columnCount(); ++i)
            campi << s.value(i).toString();
        lette << campi.join(u'|');
    }
    return lette;
}

// Counts the messages told before the status window went away.
class StatoCopia final : public Progresso {
public:
    StatoCopia(const ScriptedInterazione& port, qsizetype& messaggiPrima)
        : port_(port), messaggiPrima_(messaggiPrima) {}
    ~StatoCopia() override { messaggiPrima_ = port_.messages().size(); }
    void SetMessaggio(const QString&) override {}
    void SetBarraVisibile(bool) override {}
    void SetProgresso(int) override {}
    void Mostra() override {}
    void Nascondi() override {}

private:
    const ScriptedInterazione& port_;
    qsizetype& messaggiPrima_;
};

TEST_F(CopiaTabella, EveryFieldHiddenOrMemoIsCopied) {
    apri();
    campo("NOTE")->setVisible(false);
    campo("QTA")->setVisible(false);
    qsizetype messaggiPrima = -1;
    esportazione.FinestraStato = [&](const QString&) {
        return std::make_unique<StatoCopia>(port, messaggiPrima);
    };
    ASSERT_TRUE(esportazione.CreaCopiaTabellaExport("copia_1$"));
    EXPECT_EQ(messaggiPrima, 0) << "the status window still stood beside the outcome";
    EXPECT_EQ(port.messages(), QList<ScriptedInterazione::Message>(
                                   {{ScriptedInterazione::Kind::Informazione,
                                     "EXPORT SU TABELLA IN FORMATO INTERBASE TERMINATO !!!"}}));
    EXPECT_EQ(
        righe(archivio, "SELECT COD, DESCR, PREZZO, DATA, NOTE, QTA FROM COPIA_1$ ORDER BY COD"),
        QStringList({"1|Caffè €|1234.5|2024-01-05|riga uno\r\nriga; due|3", "2|||||",
                     "3|Tè|-0.5|1999-12-31|x|1234567.891"}));
    // Same types and sizes as the archive's columns.
    EXPECT_EQ(righe(archivio,
                    "SELECT TRIM(R.RDB$FIELD_NAME), F.RDB$FIELD_TYPE, "
                    "COALESCE(F.RDB$FIELD_SUB_TYPE, 0), COALESCE(F.RDB$CHARACTER_LENGTH, 0), "
                    "F.RDB$FIELD_SCALE FROM RDB$RELATION_FIELDS R JOIN RDB$FIELDS F "
                    "ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE "
                    "WHERE R.RDB$RELATION_NAME = 'COPIA_1$' ORDER BY R.RDB$FIELD_POSITION"),
              QStringList({"COD|8|0|0|0", "DESCR|37|0|20|0", "PREZZO|16|1|0|-2", "DATA|12|0|0|0",
                           "NOTE|261|1|0|0", "QTA|27|0|0|0"}));
}

TEST_F(CopiaTabella, RepeatedColumnNamesAndComputedColumns) {
    apri({{1, "COD", 1, ""}, {2, "QTA", 1, "(CALC SOMMAPROG(QTA) AS PROG)"}});
    ASSERT_TRUE(risposta.Calcolata());
    ASSERT_TRUE(esportazione.CreaCopiaTabellaExport("PROGRESSIVI"));
    EXPECT_EQ(righe(archivio, "SELECT * FROM PROGRESSIVI ORDER BY COD"),
              QStringList({"1|3|3", "2||3", "3|1234567.891|1234570.891"}));

    risposta.Chiudi();
    risposta.Query().sql() =
        QStringList{"SELECT A.COD, B.COD, A.DESCR FROM ART A", "JOIN ART B ON B.COD = A.COD"};
    risposta.Apri();
    ASSERT_TRUE(esportazione.CreaCopiaTabellaExport("DOPPI"));
    EXPECT_EQ(righe(archivio, "SELECT COD, COD_1 FROM DOPPI ORDER BY COD"),
              QStringList({"1|1", "2|2", "3|3"}));
}

TEST_F(CopiaTabella, AnExistingTableIsLeftAsItWas) {
    archivio.exec({"CREATE TABLE EXPORT (X INTEGER)", "INSERT INTO EXPORT VALUES (7)"});
    apri();
    try {
        esportazione.CreaCopiaTabellaExport("export");
        FAIL() << "an existing table must not be written";
    } catch (const db::DatabaseError& e) {
        EXPECT_EQ(e.message(),
                  "La tabella EXPORT esiste già nell'archivio: scegliere un altro nome");
    }
    EXPECT_EQ(righe(archivio, "SELECT * FROM EXPORT"), QStringList({"7"}));
}

TEST_F(CopiaTabella, ANameThatIsNoIdentifierIsRefused) {
    apri();
    const QVariant tabelle = archivio.scalar("SELECT COUNT(*) FROM RDB$RELATIONS");
    for (const char* nome : {"1TABELLA", "TAB-1", "TAB 1", "X\"; DROP TABLE ART; --", "",
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ123456"}) {
        SCOPED_TRACE(nome);
        EXPECT_FALSE(esportazione.CreaCopiaTabellaExport(nome));
        ASSERT_FALSE(port.messages().isEmpty());
        EXPECT_EQ(port.messages().last().kind, ScriptedInterazione::Kind::Avviso);
        EXPECT_TRUE(port.messages().last().text.startsWith("Nome di tabella non valido: \"" +
                                                           QString::fromUtf8(nome) + "\""));
    }
    EXPECT_EQ(archivio.scalar("SELECT COUNT(*) FROM RDB$RELATIONS"), tabelle);
    EXPECT_EQ(NomeTabellaExport("abcdefghijklmnopqrstuvwxyz12345"),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZ12345");
}

TEST_F(CopiaTabella, AFailedFillLeavesNoTableAndKeepsTheStatement) {
    apri();
    // The server finds the fault only while copying: a division by zero on row 2.
    risposta.Query().sql() =
        QStringList{"SELECT COD, DESCR, PREZZO, DATA, NOTE, 10/(COD-2) AS QTA", "FROM ART"};
    EXPECT_FALSE(esportazione.CreaCopiaTabellaExport("ROTTA"));
    ASSERT_EQ(port.messages().size(), 1);
    EXPECT_EQ(port.messages()[0].kind, ScriptedInterazione::Kind::Errore);
    EXPECT_TRUE(
        port.messages()[0].text.startsWith("E' avvenuto un errore durante l'esportazione\r\r"))
        << port.messages()[0].text.toStdString();
    EXPECT_TRUE(port.messages()[0].text.contains("divide by zero"));
    EXPECT_EQ(
        archivio.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'ROTTA'")
            .toInt(),
        0);
    EXPECT_EQ(contenuto("queryib.sql"), "INSERT INTO \"ROTTA\"\r\nSELECT COD, DESCR, PREZZO, DATA, NOTE, "
                                        "10/(COD-2) AS QTA\r\n"
                                        "FROM ART\r\n");
    const auto stato = port.progressLogs();
    ASSERT_EQ(stato.size(), 1);
    EXPECT_EQ(stato[0].messages, QStringList({"Esportazione in corso..."}));
}

} // namespace
} // namespace mavo::test
