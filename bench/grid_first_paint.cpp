// Time from opening a query of a million rows to the grid's first paint, under
// the offscreen platform: the grid must read one block, not the answer.

#include "dataset/IbQuery.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "grid/VEKGrid.h"
#include "host/demo/DemoEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <cstdio>

using namespace mavo;

namespace {

constexpr int righe = 1000000;

void esegui(db::Database& database, const QString& sql) {
    db::Transaction transazione(&database);
    db::Statement istruzione(&database, &transazione);
    istruzione.setParamCheck(false);
    istruzione.setSql({sql});
    istruzione.execute();
    transazione.commit();
}

// Notes the first paint of the widget it watches.
class OsservatorePittura : public QObject {
public:
    bool dipinto = false;
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint)
            dipinto = true;
        return QObject::eventFilter(oggetto, evento);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("FIREBIRD"))
        qputenv("FIREBIRD", MAVO_ENGINE_DIR);
    QTemporaryDir cartella;
    if (qEnvironmentVariableIsEmpty("FIREBIRD_LOCK"))
        qputenv("FIREBIRD_LOCK", cartella.filePath("lock").toLocal8Bit());
    QApplication app(argc, argv);

    try {
        db::Database archivio;
        archivio.setDatabaseName(cartella.filePath("grande.fdb"));
        archivio.create(4096);
        CreaSchemaArchivio(archivio);
        esegui(archivio, "CREATE TABLE GRANDE(ID INTEGER NOT NULL PRIMARY KEY, "
                         "DESCRIZIONE VARCHAR(40), PREZZO DECIMAL(15,2))");
        std::fprintf(stderr, "generating %d rows...\n", righe);
        esegui(archivio, QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN "
                                        "WHILE (I <= %1) DO BEGIN INSERT INTO GRANDE "
                                        "VALUES(:I, 'Articolo ' || :I, :I / 100.0); "
                                        "I = I + 1; END END")
                             .arg(righe));

        db::Transaction lettura(&archivio);
        IbQuery query;
        query.setDatabase(&archivio);
        query.setTransaction(&lettura);
        query.setSql({"SELECT * FROM \"GRANDE\""});
        TVEKGrid griglia;
        griglia.Utente = UtenteDemo;
        griglia.setDataset(&query);
        griglia.Loaded();
        griglia.SetSorgenteDati(&query);
        griglia.resize(1024, 768);
        OsservatorePittura osservatore;
        griglia.viewport()->installEventFilter(&osservatore);

        QElapsedTimer tempo;
        tempo.start();
        query.open();
        griglia.show();
        while (!osservatore.dipinto && tempo.elapsed() < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        QApplication::processEvents();
        const qint64 millisecondi = tempo.elapsed();

        std::printf("grid_first_paint: %lld ms\n", static_cast<long long>(millisecondi));
        std::printf("grid_rows_fetched: %d\n", query.fetchedCount());
        griglia.hide();
        query.close();
        return osservatore.dipinto ? 0 : 1;
    } catch (const std::exception& errore) {
        std::fprintf(stderr, "grid_first_paint: %s\n", errore.what());
        return 1;
    }
}
