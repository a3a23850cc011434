#include "support/TestDb.h"

#include "db/DatabaseError.h"
#include "db/RowBlock.h"
#include "platform/ErroreProgrammazione.h"

#include <QDate>
#include <QProcess>
#include <gtest/gtest.h>

using namespace mavo;
using mavo::test::TestDb;

namespace {

TEST(Database, CreatedDatabaseHasPageSize4096AndDialect3) {
    TestDb t;
    EXPECT_TRUE(t.db().connected());
    EXPECT_EQ(t.db().pageSize(), 4096);
    EXPECT_EQ(t.db().sqlDialect(), 3);
}

TEST(Database, MissingFileRaisesTheServerMessage) {
    TestDb t;
    db::Database other;
    other.setDatabaseName(t.dir() + "/missing.fdb");
    try {
        other.connect();
        FAIL() << "connected to a missing file";
    } catch (const db::DatabaseError& e) {
        EXPECT_TRUE(e.message().contains("missing.fdb")) << e.message().toStdString();
    }
    EXPECT_FALSE(other.connected());
}

TEST(Database, CredentialsFallBackToEnvironmentThenDefaults) {
    db::Database d;
    qunsetenv("ISC_USER");
    qunsetenv("ISC_PASSWORD");
    EXPECT_EQ(d.effectiveUser(), "SYSDBA");
    EXPECT_EQ(d.effectivePassword(), "tulmarexo");
    qputenv("ISC_USER", "MARIO");
    qputenv("ISC_PASSWORD", "segreta");
    EXPECT_EQ(d.effectiveUser(), "MARIO");
    EXPECT_EQ(d.effectivePassword(), "segreta");
    d.setUser("ANNA");
    EXPECT_EQ(d.effectiveUser(), "ANNA");
    qunsetenv("ISC_USER");
    qunsetenv("ISC_PASSWORD");
}

TEST(Transaction, SecondNoWaitWriterFailsAtOnceWithLockConflict) {
    TestDb t;
    t.exec({"CREATE TABLE T(ID INTEGER NOT NULL PRIMARY KEY, V INTEGER)",
            "INSERT INTO T VALUES(1, 0)"});
    db::Transaction a(&t.db()), b(&t.db());
    a.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
    b.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
    db::Statement ua(&t.db(), &a), ub(&t.db(), &b);
    ua.setSql({"UPDATE T SET V=1 WHERE ID=1"});
    ub.setSql({"UPDATE T SET V=2 WHERE ID=1"});
    ua.execute();
    EXPECT_EQ(ua.rowsAffected(), 1);
    try {
        ub.execute();
        FAIL() << "second writer was not refused";
    } catch (const db::DatabaseError& e) {
        EXPECT_TRUE(e.message().contains("update conflicts with concurrent update"))
            << e.message().toStdString();
        EXPECT_NE(e.sqlCode(), 0);
    }
    a.commit();
    b.rollback();
    EXPECT_EQ(t.scalar("SELECT V FROM T WHERE ID=1").toInt(), 1);
}

TEST(Transaction, BoundedLockWaitGivesUpWithTheServerMessage) {
    TestDb t;
    t.exec({"CREATE TABLE T(ID INTEGER NOT NULL PRIMARY KEY, V INTEGER)",
            "INSERT INTO T VALUES(1, 0)"});
    db::Transaction a(&t.db()), b(&t.db());
    b.setParams({"isc_tpb_concurrency", "isc_tpb_wait", "isc_tpb_lock_timeout=1"});
    db::Statement ua(&t.db(), &a), ub(&t.db(), &b);
    ua.setSql({"UPDATE T SET V=1 WHERE ID=1"});
    ub.setSql({"UPDATE T SET V=2 WHERE ID=1"});
    ua.execute();
    EXPECT_THROW(ub.execute(), db::DatabaseError);
    a.rollback();
    b.rollback();
}

TEST(Transaction, RollbackDiscardsAndCommitRetainingKeepsTheCursorOpen) {
    TestDb t;
    t.exec("CREATE TABLE T(ID INTEGER)");
    t.exec({"INSERT INTO T VALUES(1)", "INSERT INTO T VALUES(2)", "INSERT INTO T VALUES(3)"});
    db::Transaction tr(&t.db());
    tr.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
    db::Statement sel(&t.db(), &tr), ins(&t.db(), &tr);
    sel.setSql({"SELECT ID FROM T ORDER BY ID"});
    ins.setSql({"INSERT INTO T VALUES(:ID)"});
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(sel.value(0).toInt(), 1);
    ins.setParam("ID", 10);
    ins.execute();
    tr.commitRetaining();
    EXPECT_TRUE(tr.active());
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(sel.value(0).toInt(), 2);
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(sel.value(0).toInt(), 3);
    ins.setParam("ID", 20);
    ins.execute();
    tr.rollback();
    EXPECT_FALSE(sel.isOpen());
    EXPECT_EQ(t.scalar("SELECT COUNT(*) FROM T").toInt(), 4);
}

// A misspelt parameter is the code's fault, found before anything starts.
TEST(Transaction, UnknownParameterLeavesItNotStartedAndStartable) {
    TestDb t;
    db::Transaction tr(&t.db());
    tr.setParams({"isc_tpb_concurrency", "isc_tpb_nowiat"});
    EXPECT_THROW(tr.start(), ErroreProgrammazione);
    EXPECT_FALSE(tr.active());
    tr.setParams({"concurrency", "wait", "lock_timeout=2"});
    tr.start();
    EXPECT_TRUE(tr.active());
    tr.commit();
}

TEST(Statement, OneValueBindsEveryOccurrenceOfAName) {
    TestDb t;
    t.exec({"CREATE TABLE L(ID INTEGER, PRLISTINO DECIMAL(15,2), PERCRICVEN DECIMAL(15,5))",
            "INSERT INTO L VALUES(7, 0, 0)"});
    db::Statement s(&t.db());
    s.setSql({"UPDATE L SET", "PRLISTINO=:PREZZO,", "PERCRICVEN=(9999999-:PREZZO)*100/:PREZZO",
              "WHERE", "  ID=:ID"});
    s.prepare();
    EXPECT_EQ(s.paramNames(), (QStringList{"PREZZO", "ID"}));
    s.setParam("PREZZO", 12.5);
    s.setParam("ID", 7);
    s.execute();
    EXPECT_EQ(s.rowsAffected(), 1);
    t.transaction().commit();
    EXPECT_DOUBLE_EQ(t.scalar("SELECT PRLISTINO FROM L").toDouble(), 12.5);
    EXPECT_NEAR(t.scalar("SELECT PERCRICVEN FROM L").toDouble(), (9999999 - 12.5) * 100 / 12.5,
                0.00001);
}

TEST(Statement, UnknownParameterIsAnError) {
    TestDb t;
    db::Statement s(&t.db());
    s.setSql({"SELECT ':X' FROM RDB$DATABASE"});
    EXPECT_EQ(s.paramCount(), 0);
    EXPECT_THROW(s.setParam("X", 1), mavo::ErroreProgrammazione);
    s.execute();
    ASSERT_TRUE(s.fetch());
    EXPECT_EQ(s.value(0).toString(), ":X");
}

struct RoundTrip {
    const char* name;
    const char* column;
    QVariant value;
    QVariant expected;
};
void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class StatementRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(StatementRoundTrip, ValueComesBackAsWritten) {
    const RoundTrip& c = GetParam();
    TestDb t;
    t.exec(QStringLiteral("CREATE TABLE T(V %1)").arg(c.column));
    db::Statement ins(&t.db());
    ins.setSql({"INSERT INTO T(V) VALUES(:V)"});
    ins.setParam("V", c.value);
    ins.execute();
    db::Statement sel(&t.db());
    sel.setSql({"SELECT V FROM T"});
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    const QVariant got = sel.value(0);
    if (c.expected.isNull()) {
        EXPECT_TRUE(got.isNull());
        EXPECT_TRUE(sel.isNull(0));
    } else if (c.expected.typeId() == QMetaType::Double) {
        EXPECT_DOUBLE_EQ(got.toDouble(), c.expected.toDouble());
    } else {
        EXPECT_EQ(got, c.expected) << got.toString().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, StatementRoundTrip,
    ::testing::Values(
        RoundTrip{"Apostrophe", "VARCHAR(30)", QString("L'ARTICOLO"), QString("L'ARTICOLO")},
        RoundTrip{"Accents", "VARCHAR(30)", QString::fromUtf8("è ´ € à"),
                  QString::fromUtf8("è ´ € à")},
        RoundTrip{"OutsideWindows1252", "VARCHAR(30)", QString::fromUtf8("€ è 中 😀"),
                  QString::fromUtf8("€ è 中 😀")},
        RoundTrip{"ThirtyAccentedChars", "VARCHAR(30)", QString(30, QChar(0xE8)),
                  QString(30, QChar(0xE8))},
        RoundTrip{"CharIsTrimmed", "CHAR(5)", QString("AB"), QString("AB")},
        RoundTrip{"SmallInt", "SMALLINT", -12, -12},
        RoundTrip{"Integer", "INTEGER", 123456, 123456},
        RoundTrip{"BigInt", "BIGINT", Q_INT64_C(9000000000), Q_INT64_C(9000000000)},
        RoundTrip{"Double", "DOUBLE PRECISION", 1.25, 1.25},
        RoundTrip{"DecimalRounds", "DECIMAL(15,2)", 1234.567, 1234.57},
        RoundTrip{"DecimalNegative", "DECIMAL(15,2)", -3.0, -3.0},
        RoundTrip{"NumericFromText", "NUMERIC(9,3)", QString("12.5"), 12.5},
        RoundTrip{"Date", "DATE", QDate(2024, 12, 25), QDate(2024, 12, 25)},
        RoundTrip{"Timestamp", "TIMESTAMP", QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)),
                  QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))},
        RoundTrip{"TextBlob", "BLOB SUB_TYPE TEXT", QString::fromUtf8("riga 1\nriga 2 € 中"),
                  QString::fromUtf8("riga 1\nriga 2 € 中")},
        RoundTrip{"Null", "INTEGER", QVariant(), QVariant()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Statement, TooLongTextIsRefusedLikeTheServerDoes) {
    TestDb t;
    t.exec("CREATE TABLE T(V VARCHAR(3))");
    db::Statement ins(&t.db());
    ins.setSql({"INSERT INTO T(V) VALUES(:V)"});
    ins.setParam("V", QString("ABCD"));
    try {
        ins.execute();
        FAIL() << "a 4-character value went into VARCHAR(3)";
    } catch (const db::DatabaseError& e) {
        EXPECT_TRUE(e.message().contains("string right truncation")) << e.message().toStdString();
    }
}

TEST(Statement, NumberBeyondASmallColumnIsRefusedNotCut) {
    TestDb t;
    t.exec("CREATE TABLE T(S SMALLINT, I INTEGER, N NUMERIC(9,2))");
    const std::pair<const char*, QVariant> casi[] = {
        {"S", 40000}, {"I", Q_INT64_C(3000000000)}, {"N", 30000000.0}};
    for (const auto& [colonna, valore] : casi) {
        SCOPED_TRACE(colonna);
        db::Statement ins(&t.db());
        ins.setSql({QStringLiteral("INSERT INTO T(%1) VALUES(:V)").arg(colonna)});
        ins.setParam("V", valore);
        try {
            ins.execute();
            ADD_FAILURE() << "stored as "
                          << t.scalar("SELECT COALESCE(S, I, N) FROM T").toString().toStdString();
        } catch (const db::DatabaseError& e) {
            EXPECT_EQ(e.message(), "numeric value is out of range");
        }
    }
}

// A block's inputs are declared as the engine described the statement's
// parameters, so rows reach the table as they do one at a time; each row
// sees the rows before it; a failing run leaves nothing behind.
TEST(RowBlock, RowsAsOneAtATimeAndNothingOfAFailedRun) {
    TestDb t;
    t.exec("CREATE TABLE T(C VARCHAR(3) NOT NULL UNIQUE, N NUMERIC(9,2), D DATE)");
    db::Transaction& tr = t.transaction();
    db::Statement ins(&t.db(), &tr);
    ins.setSql({"INSERT INTO T(C, N, D)", "VALUES(:C, :N, :D)"});
    ins.prepare();
    EXPECT_EQ(ins.paramType("C"), "VARCHAR(3) CHARACTER SET UTF8");
    EXPECT_EQ(ins.paramType("N"), "NUMERIC(9,2)");
    QStringList corpo = QStringList{"IF (C# IS NOT NULL) THEN"} << db::RowBlock::perRow(ins.sql());
    corpo.last() += ';';
    corpo << "K# = (SELECT COUNT(*) FROM T);";
    db::RowBlock block(&t.db(), &tr, 3,
                       {.inputs = {{"C#", ins.paramType("C")},
                                   {"N#", ins.paramType("N")},
                                   {"D#", ins.paramType("D")}},
                        .outputs = {{"K#", "INTEGER"}},
                        .body = corpo});
    const auto riga = [&](int r, const QVariant& c, const QVariant& n, const QVariant& d) {
        block.setParam(r, 0, c);
        block.setParam(r, 1, n);
        block.setParam(r, 2, d);
    };
    riga(0, QString::fromUtf8("è€x"), 1.006, QDate(2024, 2, 29));
    riga(1, "AB", -3, QVariant());
    riga(2, QVariant(), QVariant(), QVariant());
    block.execute();
    EXPECT_EQ(block.value(0, 0).toInt(), 1);
    EXPECT_EQ(block.value(1, 0).toInt(), 2);
    EXPECT_EQ(block.value(2, 0).toInt(), 2);

    riga(0, "Z", 1, QVariant());
    riga(1, "AB", 2, QVariant()); // already there
    EXPECT_THROW(block.execute(), db::DatabaseError);
    tr.commit();
    EXPECT_EQ(t.scalar("SELECT LIST(C || '=' || N || '/' || COALESCE(D, '-'), ' ') FROM "
                       "(SELECT * FROM T ORDER BY C)")
                  .toString()
                  .toStdString(),
              "AB=-3.00/- è€x=1.01/2024-02-29");
}

TEST(Statement, JoinReportsEachColumnsOrigin) {
    TestDb t;
    t.exec({"CREATE TABLE A(ID INTEGER, NOME VARCHAR(20))",
            "CREATE TABLE B(ID INTEGER, PREZZO DECIMAL(15,2))"});
    db::Statement s(&t.db());
    s.setSql({"SELECT A.ID, A.NOME AS DESCR, B.PREZZO, B.PREZZO*2 AS DOPPIO", "FROM A",
              "JOIN B ON B.ID=A.ID"});
    s.prepare();
    const auto& c = s.columns();
    ASSERT_EQ(c.size(), 4);
    EXPECT_EQ(c[0].origin(), "A.ID");
    EXPECT_EQ(c[1].origin(), "A.NOME");
    EXPECT_EQ(c[1].alias, "DESCR");
    EXPECT_EQ(c[1].size, 20);
    EXPECT_EQ(c[2].origin(), "B.PREZZO");
    EXPECT_EQ(c[2].scale, -2);
    EXPECT_TRUE(c[3].origin().isEmpty());
    EXPECT_EQ(s.columnIndex("doppio"), 3);
}

TEST(Database, TwoProcessesShareOneEmbeddedDatabase) {
    TestDb t;
    t.exec({"CREATE TABLE T(V VARCHAR(20))", "INSERT INTO T VALUES('da noi')"});
    // While we stay attached, a second process writes and reads through the same file.
    QProcess isql;
    isql.start("isql-fb", {"-q", "-ch", "UTF8", "-user", "SYSDBA", "-password", "x", t.path()});
    ASSERT_TRUE(isql.waitForStarted());
    isql.write("INSERT INTO T VALUES('da loro'); COMMIT; SELECT COUNT(*) FROM T; QUIT;\n");
    isql.closeWriteChannel();
    ASSERT_TRUE(isql.waitForFinished(60000));
    const QString out = QString::fromUtf8(isql.readAllStandardOutput());
    EXPECT_TRUE(out.contains('2'))
        << out.toStdString() << isql.readAllStandardError().toStdString();
    EXPECT_EQ(t.scalar("SELECT COUNT(*) FROM T WHERE V='da loro'").toInt(), 1);
}

} // namespace
