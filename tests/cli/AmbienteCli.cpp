#include "AmbienteCli.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "support/TestDb.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

namespace mavo::test {

namespace {

void copiaCartella(const QString& da, const QString& a) {
    QDirIterator voci(da, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (voci.hasNext()) {
        const QString file = voci.next();
        const QString destinazione = a + '/' + QDir(da).relativeFilePath(file);
        QDir().mkpath(QFileInfo(destinazione).absolutePath());
        ASSERT_TRUE(QFile::copy(file, destinazione)) << destinazione.toStdString();
    }
}

QVariant scalare(const QString& percorso, const QString& sql) {
    db::Database database;
    database.setDatabaseName(percorso);
    database.connect();
    return scalarOn(database, sql);
}

} // namespace

QStringList EsitoCli::righe() const {
    QStringList righe = out.split('\n');
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    return righe;
}

void AmbienteCli::SetUpTestSuite() {
    modello_ = std::make_unique<QTemporaryDir>();
    CreaAmbienteDemo(modello_->path());
}

void AmbienteCli::TearDownTestSuite() {
    modello_.reset();
}

void AmbienteCli::SetUp() {
    copiaCartella(modello_->path(), dir.path());
    ambiente = PercorsiDemo(dir.path());
    // The settings name the archives by their full path: point them at the copy.
    db::Database utenti;
    utenti.setDatabaseName(ambiente.utenti);
    utenti.connect();
    db::Transaction scrittura(&utenti);
    db::Statement aggiorna(&utenti, &scrittura);
    aggiorna.setSql({"UPDATE TABTERVALD SET VALORE=REPLACE(VALORE, :VECCHIA, :NUOVA)"});
    aggiorna.setParam("VECCHIA", PercorsiDemo(modello_->path()).directory);
    aggiorna.setParam("NUOVA", ambiente.directory);
    aggiorna.execute();
    scrittura.commit();
}

EsitoCli AmbienteCli::sincronetti(const QStringList& argomenti) {
    return strumento("sincronetti", argomenti);
}

EsitoCli AmbienteCli::interroga(const QStringList& argomenti) {
    return strumento("interroga", argomenti);
}

QString AmbienteCli::fileDefinizione(const QByteArray& testo) {
    const QString percorso = dir.filePath("definizione.txt");
    QFile file(percorso);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(testo);
    return percorso;
}

EsitoCli AmbienteCli::strumento(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    QProcessEnvironment ambienteProcesso = QProcessEnvironment::systemEnvironment();
    ambienteProcesso.insert("MAVO_HOST_DIR", ambiente.directory);
    processo.setProcessEnvironment(ambienteProcesso);
    processo.start(QStringLiteral(MAVO_BIN_DIR) + u'/' + programma, argomenti);
    EXPECT_TRUE(processo.waitForStarted());
    processo.closeWriteChannel();
    EXPECT_TRUE(processo.waitForFinished(120000));
    return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1,
            QString::fromUtf8(processo.readAllStandardOutput()),
            QString::fromUtf8(processo.readAllStandardError())};
}

QVariant AmbienteCli::suArchivio(const QString& sql) {
    return scalare(ambiente.archivio, sql);
}

QVariant AmbienteCli::suListino(const QString& sql) {
    return scalare(ambiente.listino, sql);
}

void AmbienteCli::eseguiSuArchivio(const QString& sql) {
    db::Database archivio;
    archivio.setDatabaseName(ambiente.archivio);
    archivio.connect();
    execOn(archivio, sql);
}

} // namespace mavo::test
