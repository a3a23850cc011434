#include "support/TestDb.h"

#include "db/DatabaseError.h"
#include "platform/Cp1252.h"
#include "platform/Isql.h"
#include "platform/SqlTesto.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace mavo;
using mavo::test::TestDb;

namespace {

// Columns of a host archive (default character set NONE): declared without a
// character set, in the host's own WIN1252, or in UTF8, which the engine
// converts to and from the connection's.
struct Colonna {
    const char* nome;
    const char* tipo;
    bool utf8; // the bytes stored are UTF-8
};
const Colonna colonne[] = {{"C", "VARCHAR(20)", false},
                           {"W", "VARCHAR(20) CHARACTER SET WIN1252", false},
                           {"U", "VARCHAR(20) CHARACTER SET UTF8", true},
                           {"F", "CHAR(20)", false},
                           {"M", "BLOB SUB_TYPE TEXT", false},
                           {"UM", "BLOB SUB_TYPE TEXT CHARACTER SET UTF8", true}};
const QString testi[] = {QString::fromUtf8("L´A"), QString::fromUtf8("caffè"),
                         QString::fromUtf8("€ 12,50"), QString::fromUtf8("Ø 16 già ß")};

class ArchivioHost : public ::testing::Test {
protected:
    void SetUp() override {
        QStringList tipi;
        for (const Colonna& c : colonne)
            tipi << QStringLiteral("%1 %2").arg(c.nome, c.tipo);
        host.isql("CREATE TABLE T(ID INTEGER, " + tipi.join(", ") + ");");
    }
    // The stored bytes of row `id`, column by column, as isql shows them.
    std::string byteInArchivio(int id) {
        QStringList cast;
        for (const Colonna& c : colonne)
            cast << QStringLiteral("CAST(%1 AS VARCHAR(80) CHARACTER SET OCTETS)").arg(c.nome);
        const QString uscita =
            host.isql(QStringLiteral("SET LIST ON; SELECT %1 FROM T WHERE ID=%2;")
                          .arg(cast.join(", "))
                          .arg(id));
        QStringList byte;
        static const QRegularExpression riga(QStringLiteral("^CAST\\s+(\\S*)\\s*$"),
                                             QRegularExpression::MultilineOption);
        for (auto it = riga.globalMatch(uscita); it.hasNext();)
            byte << it.next().captured(1);
        return byte.join(' ').toStdString();
    }
    static QString attesi(const QString& testo, const Colonna& c) {
        QByteArray byte = c.utf8 ? testo.toUtf8() : toCp1252(testo);
        if (QByteArray(c.tipo).startsWith("CHAR"))
            byte = byte.leftJustified(20, ' ');
        return QString::fromLatin1(byte.toHex().toUpper());
    }

    TestDb host{"host.fdb", TestDb::Kind::Host};
};

TEST_F(ArchivioHost, LeggeCioCheIsqlHaScrittoEIsqlLeggeCioCheScriviamo) {
    EXPECT_EQ(host.db().charset(), db::Charset::Win1252);
    for (int i = 0; i < int(std::size(testi)); ++i) {
        const QString letterale = '\'' + testi[i] + '\'';
        host.isql(QStringLiteral("INSERT INTO T VALUES(%1, %2);")
                      .arg(i)
                      .arg(QStringList(std::size(colonne), letterale).join(", ")));
    }
    db::Statement lettura(&host.db());
    lettura.setSql({"SELECT * FROM T WHERE ID=:ID"});
    db::Statement scrittura(&host.db());
    scrittura.setSql({"INSERT INTO T VALUES(:ID, :T, :T, :T, :T, :T, :T)"});
    for (int i = 0; i < int(std::size(testi)); ++i) {
        SCOPED_TRACE(testi[i].toStdString());
        lettura.setParam("ID", i);
        lettura.execute();
        ASSERT_TRUE(lettura.fetch());
        for (int k = 0; k < int(std::size(colonne)); ++k)
            EXPECT_EQ(lettura.value(k + 1).toString(), testi[i]) << colonne[k].nome;
        lettura.close();
        // The code the host wrote is found by the code we look for.
        EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM T WHERE C='" + testi[i] + '\'').toInt(), 1);

        scrittura.setParam("ID", 100 + i);
        scrittura.setParam("T", testi[i]);
        scrittura.execute();
    }
    host.transaction().commit();
    for (int i = 0; i < int(std::size(testi)); ++i) {
        SCOPED_TRACE(testi[i].toStdString());
        QStringList attesa;
        for (const Colonna& c : colonne)
            attesa << attesi(testi[i], c);
        EXPECT_EQ(byteInArchivio(100 + i), attesa.join(' ').toStdString());
        // What isql wrote: the same bytes.
        EXPECT_EQ(byteInArchivio(i), attesa.join(' ').toStdString());
    }
}

TEST_F(ArchivioHost, IMessaggiDelServerRiportanoIValoriComeScritti) {
    host.isql("CREATE UNIQUE INDEX T_C ON T(C);");
    host.exec(QString::fromUtf8("INSERT INTO T(ID, C) VALUES(1, 'caffè')"));
    try {
        host.exec(QString::fromUtf8("INSERT INTO T(ID, C) VALUES(2, 'caffè')"));
        FAIL() << "a repeated key went in";
    } catch (const db::DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QString::fromUtf8("'caffè'")))
            << e.message().toStdString();
    }
}

// Where the character is not one Windows-1252 has, nothing is written: not a
// '?' in its place.
TEST_F(ArchivioHost, CarattereFuoriDaWindows1252RifiutatoSenzaScrivere) {
    const QString cinese = QString::fromUtf8("Rubinetto 中");
    const std::pair<const char*, QStringList> casi[] = {
        {"Parametro", {"INSERT INTO T(ID, C) VALUES(1, :V)"}},
        {"ParametroUtf8", {"INSERT INTO T(ID, U) VALUES(1, :V)"}},
        {"TestoBlob", {"INSERT INTO T(ID, M) VALUES(1, :V)"}},
        {"TestoIstruzione", {"INSERT INTO T(ID, C) VALUES(1, '" + cinese + "')"}}};
    for (const auto& [caso, sql] : casi) {
        SCOPED_TRACE(caso);
        db::Statement ins(&host.db());
        ins.setSql(sql);
        if (ins.paramCount() > 0)
            ins.setParam("V", cinese);
        try {
            ins.execute();
            ADD_FAILURE() << "written";
        } catch (const db::DatabaseError& e) {
            const QStringList righe = e.message().split('\n');
            EXPECT_EQ(righe.first(), "Carattere non rappresentabile nell'archivio");
            ASSERT_EQ(righe.size(), 2);
            EXPECT_TRUE(righe[1].contains(u'中')) << righe[1].toStdString();
        }
        host.transaction().commit();
        EXPECT_EQ(host.scalar("SELECT COUNT(*) FROM T").toInt(), 0);
    }
}

// The length checked before the server sees the value counts as the server
// does: bytes in a Windows-1252 archive (one a character), characters in UTF8.
TEST(Charset, LunghezzeContateComeIlServer) {
    struct Caso {
        const char* caso;
        TestDb::Kind kind;
        int caratteri;
        bool entra;
    };
    const Caso casi[] = {{"Host50", TestDb::Kind::Host, 50, true},
                         {"Host51", TestDb::Kind::Host, 51, false},
                         {"Nostro50", TestDb::Kind::Ours, 50, true},
                         {"Nostro51", TestDb::Kind::Ours, 51, false}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.caso);
        TestDb t("t.fdb", c.kind);
        t.exec("CREATE TABLE T(D VARCHAR(50))");
        const QString descrizione = QString(c.caratteri - 1, u'è') + u'€';
        db::Statement ins(&t.db());
        ins.setSql({"INSERT INTO T(D) VALUES(:D)"});
        ins.setParam("D", descrizione);
        try {
            ins.execute();
            EXPECT_TRUE(c.entra);
            EXPECT_EQ(ins.paramInfo().first().size, 50);
        } catch (const db::DatabaseError& e) {
            EXPECT_FALSE(c.entra) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("expected length 50, actual 51"))
                << e.message().toStdString();
        }
        t.transaction().commit();
        EXPECT_EQ(t.scalar("SELECT MAX(D) FROM T").toString(), c.entra ? descrizione : QString());
    }
}

// The character set found for a name is remembered; a database made again
// under that name is asked again.
TEST(Charset, DatabaseRifattoConLoStessoNomeRichiestoDiNuovo) {
    TestDb t("stesso.fdb");
    t.db().disconnect();
    ASSERT_TRUE(QFile::remove(t.path()));
    EseguiIsqlWin1252("CREATE DATABASE " + sql::letterale(t.path()) +
                      " USER 'SYSDBA' DEFAULT CHARACTER SET NONE;");
    db::Database d;
    d.setDatabaseName(t.path());
    d.connect();
    EXPECT_EQ(d.charset(), db::Charset::Win1252);
}

} // namespace
