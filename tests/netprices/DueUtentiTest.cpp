#include "FinestraNetti.h"

#include "grid/VEKGrid.h"
#include "netprices/ImportazioneNetti.h"
#include "support/TestDb.h"

#include <QElapsedTimer>
#include <QToolButton>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

namespace {

// Another user's transaction on the archive, on a connection and a thread of
// its own: it runs its statements, holds what they wrote for a while (the
// window's operation cannot let it go: it does not pump messages), then
// commits or rolls back.
class AltroUtente {
public:
    AltroUtente(const QString& archivio, const QStringList& istruzioni,
                std::chrono::milliseconds tenuta, bool conferma) {
        std::promise<void> pronto;
        std::future<void> avvio = pronto.get_future();
        filo_ = std::thread([=, pronto = std::move(pronto)]() mutable {
            try {
                db::Database connessione;
                connessione.setDatabaseName(archivio);
                connessione.connect();
                db::Transaction transazione(&connessione);
                transazione.setParams({"isc_tpb_concurrency", "isc_tpb_nowait"});
                for (const QString& sql : istruzioni)
                    execIn(connessione, transazione, sql);
                pronto.set_value();
                std::this_thread::sleep_for(tenuta);
                conferma ? transazione.commit() : transazione.rollback();
            } catch (...) {
                pronto.set_exception(std::current_exception());
            }
        });
        avvio.get();
    }
    ~AltroUtente() { filo_.join(); }

private:
    static void execIn(db::Database& connessione, db::Transaction& transazione,
                       const QString& sql) {
        db::Statement istruzione(&connessione, &transazione);
        istruzione.setParamCheck(false);
        istruzione.setSql({sql});
        istruzione.execute();
    }

    std::thread filo_;
};

class DueUtenti : public FinestraNetti {
protected:
    // The window's import of the demo file, and how long it took.
    qint64 importa(TSincroPrezziNettiForm& f) {
        QElapsedTimer tempo;
        tempo.start();
        port.queueFile(ambiente.fileFornitore);
        f.ButtonSelezionaFile->click();
        return tempo.elapsed();
    }
    void completataSenzaErrori(TSincroPrezziNettiForm& f, qint64 attese) {
        EXPECT_EQ(port.messages().last(), (Message{Kind::Informazione, "Elaborazione completata"}));
        for (const Message& m : port.messages())
            EXPECT_NE(m.kind, Kind::Errore) << m.text.toStdString();
        EXPECT_FALSE(port.summary().join('\n').contains("Errore durante l'acquisizione"))
            << port.summary().join('\n').toStdString();
        EXPECT_EQ(righeStaging(), attese);
        f.QueryAnteprima.last();
        EXPECT_EQ(f.GridAnteprima->model()->rowCount(), attese);
    }
};

// The window has been open since before another user's import: its own
// import sees that one's rows, empties them and stages its own.
TEST_F(DueUtenti, ImportazioneDopoQuellaDiUnAltroUtente) {
    TSincroPrezziNettiForm& f = apri();
    ScriptedInterazione altroPort;
    TTabXForm altro(altroPort, TTabXForm::ModoNessuno);
    altro.IBDatabase1.setDatabaseName(ambiente.archivio);
    altro.IBDatabase1.connect();
    altroPort.queueFile(ambiente.fileFornitore);
    ASSERT_TRUE(ImportazioneNetti(altro, altroPort).Esegui());
    const qint64 staged = righeStaging();
    ASSERT_GT(staged, 0);

    importa(f);
    completataSenzaErrori(f, staged);
}

// Another user holds rows of the staging table for about a second: a trial
// import keeps its emptying uncommitted, an import still staging its inserts
// (which the emptying alone would not see, and this import's rows would
// collide with). The window's import waits for them and then stages the
// whole file, whether they are committed or rolled back.
TEST_F(DueUtenti, ImportazioneAttendeLeRigheDiUnAltroUtente) {
    TSincroPrezziNettiForm& f = apri();
    importa(f);
    const qint64 staged = righeStaging();
    ASSERT_GT(staged, 0);
    const QString codice = "NT99008"; // a row of the file
    const QString togli = "DELETE FROM MANUTENZIONENETTI WHERE CODICE='" + codice + "'";
    const QString inserisci = "INSERT INTO MANUTENZIONENETTI VALUES('" + codice + "', 'Altro', 1)";
    struct Caso {
        const char* nome;
        QString prima; // committed before the other user begins
        QString altro;
        bool conferma;
    };
    const Caso casi[] = {
        {"CancellazioneAnnullata", {}, "DELETE FROM MANUTENZIONENETTI", false},
        {"CancellazioneConfermata", {}, "DELETE FROM MANUTENZIONENETTI", true},
        {"InserimentoAnnullato", togli, inserisci, false},
        {"InserimentoConfermato", togli, inserisci, true},
    };
    const std::chrono::milliseconds tenuta(1000);
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.nome);
        port = ScriptedInterazione();
        if (!caso.prima.isEmpty())
            execOn(*archivio, caso.prima);
        qint64 durata = 0;
        {
            AltroUtente altro(ambiente.archivio, {caso.altro}, tenuta, caso.conferma);
            durata = importa(f);
        }
        EXPECT_GE(durata, tenuta.count() - 100);
        completataSenzaErrori(f, staged);
        EXPECT_EQ(conta("SELECT COUNT(*) FROM MANUTENZIONENETTI WHERE DESCRIZIONE='Altro'"), 0);
    }
}

} // namespace
