#include "AmbienteCli.h"

#include "context/TabXForm.h"
#include "netprices/ImportazioneNetti.h"
#include "platform/ScriptedInterazione.h"

namespace mavo::test {
namespace {

const QString Intestazione = "CODICE;DESCRIZIONE;PREZZO";
const QString Completata = "INFORMAZIONE: Elaborazione completata\n";
const QString Prova = "INFORMAZIONE: Prova: nessuna modifica salvata\n";

// The number at the end of a summary line ("...: 1.234" -> 1234).
int numeroFinale(const QString& riga) {
    return riga.section(": ", -1).remove(u'.').toInt();
}

class SincronettiTest : public AmbienteCli {
protected:
    // The summary the library's own import writes for the demo file, in process.
    QStringList riepilogoImportazione() {
        ScriptedInterazione port;
        TTabXForm contesto(port, TTabXForm::ModoNessuno);
        contesto.IBDatabase1.setDatabaseName(ambiente.archivio);
        contesto.IBDatabase1.connect();
        port.queueFile(ambiente.fileFornitore);
        EXPECT_TRUE(ImportazioneNetti(contesto, port).Esegui());
        return port.summary();
    }
    int marcati(const QString& bersaglio) {
        return (bersaglio == "listone"
                    ? suListino("SELECT COUNT(*) FROM LISTINO WHERE CODICEFORN='2197' AND "
                                "PREZZOVEN=9999999")
                    : suArchivio("SELECT COUNT(*) FROM ANAMAG WHERE FORNITORE='2197' AND "
                                 "ESTENSIONE='3' AND PREZZOVENDITA=9999999"))
            .toInt();
    }
    int inAttesa() { return suArchivio("SELECT COUNT(*) FROM MANUTENZIONENETTI").toInt(); }
};

TEST_F(SincronettiTest, AiutoInItaliano) {
    const EsitoCli esito = sincronetti({"--help"});
    EXPECT_EQ(esito.codice, 0);
    for (const char* testo : {"Uso: sincronetti", "importa", "anteprima", "aggiorna", "rimuovi",
                              "--utente N", "--si", "--prova", "Comandi:", "Opzioni:"})
        EXPECT_TRUE(esito.out.contains(testo)) << testo;
    EXPECT_FALSE(esito.out.contains("Options")) << esito.out.toStdString();
}

TEST_F(SincronettiTest, ErroriDiUso) {
    const std::pair<QStringList, const char*> casi[] = {
        {{}, "Manca il comando (importa, anteprima, aggiorna o rimuovi)"},
        {{"cancella"}, "Comando sconosciuto: cancella"},
        {{"aggiorna"}, "Manca l'argomento obbligatorio DESTINAZIONE"},
        {{"rimuovi", "magazzino"}, "Valore non ammesso per DESTINAZIONE: magazzino"},
        {{"importa"}, "Manca l'argomento obbligatorio FILE"},
        {{"--utente", "abc", "anteprima"}, "Valore non valido per --utente: abc"},
        {{"--forza", "anteprima"}, "Argomenti non previsti: --forza"},
        {{"anteprima", "x"}, "Argomenti non previsti: x"},
        {{"anteprima", "--utente"}, "Manca il valore di --utente"},
    };
    for (const auto& [argomenti, errore] : casi) {
        SCOPED_TRACE(argomenti.join(' ').toStdString());
        const EsitoCli esito = sincronetti(argomenti);
        EXPECT_EQ(esito.codice, 2);
        EXPECT_TRUE(esito.out.isEmpty());
        EXPECT_EQ(esito.err,
                  QStringLiteral("ERRORE: %1\nPer l'elenco dei comandi: sincronetti --help\n")
                      .arg(QString::fromUtf8(errore)));
    }
}

TEST_F(SincronettiTest, ImportaScriveIlRiepilogoDellaLibreria) {
    const EsitoCli esito = sincronetti({"importa", ambiente.fileFornitore});
    EXPECT_EQ(esito.codice, 0);
    EXPECT_EQ(esito.err, Completata);
    const QStringList righe = esito.righe();
    ASSERT_FALSE(righe.isEmpty());
    EXPECT_TRUE(righe.last().startsWith("Totale righe acquisite: "));
    EXPECT_EQ(numeroFinale(righe.last()), inAttesa());
    EXPECT_EQ(righe, riepilogoImportazione());
}

TEST_F(SincronettiTest, ImportaInProvaNonCambiaNulla) {
    ASSERT_EQ(sincronetti({"anteprima"}).codice, 0); // creates the staging table
    eseguiSuArchivio("INSERT INTO MANUTENZIONENETTI VALUES('VECCHIO', 'x', 1)");
    const EsitoCli prova = sincronetti({"--prova", "importa", ambiente.fileFornitore});
    EXPECT_EQ(prova.codice, 0);
    EXPECT_EQ(prova.err, Completata + Prova);
    EXPECT_EQ(suArchivio("SELECT LIST(CODICE) FROM MANUTENZIONENETTI").toString(), "VECCHIO");

    const EsitoCli vero = sincronetti({"importa", ambiente.fileFornitore});
    EXPECT_EQ(vero.codice, 0);
    EXPECT_EQ(vero.out, prova.out);
    EXPECT_GT(inAttesa(), 1);
}

TEST_F(SincronettiTest, AnteprimaCreaLaTabellaENonLaSvuota) {
    const EsitoCli vuota = sincronetti({"anteprima"});
    EXPECT_EQ(vuota.codice, 0);
    EXPECT_EQ(vuota.righe(), QStringList{Intestazione});
    eseguiSuArchivio("INSERT INTO MANUTENZIONENETTI VALUES('B1', 'Dado', 1234.5)");
    eseguiSuArchivio("INSERT INTO MANUTENZIONENETTI VALUES('A1', 'Vite ´x', -3)");
    eseguiSuArchivio("INSERT INTO MANUTENZIONENETTI VALUES('C1', NULL, 0.1)");
    const QStringList attese{Intestazione, "A1;Vite ´x;-3,00", "B1;Dado;1234,50", "C1;;0,10"};
    EXPECT_EQ(sincronetti({"--utente", "1", "anteprima"}).righe(), attese);
    EXPECT_EQ(sincronetti({"anteprima"}).righe(), attese);
}

TEST_F(SincronettiTest, SenzaSiFuoriDaUnTerminaleLaRispostaENo) {
    ASSERT_EQ(sincronetti({"importa", ambiente.fileFornitore}).codice, 0);
    const EsitoCli esito = sincronetti({"aggiorna", "listone"});
    EXPECT_EQ(esito.codice, 1);
    EXPECT_TRUE(esito.out.isEmpty());
    EXPECT_EQ(esito.err, "Avviare l'aggiornamento prezzi netti su listone? [s/N] N\n");
    EXPECT_EQ(marcati("listone"), 0);
}

TEST_F(SincronettiTest, AggiornaERimuoviInProvaPoiDavvero) {
    ASSERT_EQ(sincronetti({"importa", ambiente.fileFornitore}).codice, 0);
    for (const QString bersaglio : {"listone", "anamag"}) {
        SCOPED_TRACE(bersaglio.toStdString());
        const EsitoCli prova = sincronetti({"--si", "--prova", "aggiorna", bersaglio});
        EXPECT_EQ(prova.codice, 0);
        EXPECT_TRUE(prova.err.endsWith(Completata + Prova)) << prova.err.toStdString();
        EXPECT_EQ(marcati(bersaglio), 0);
        const EsitoCli vero = sincronetti({"--si", "aggiorna", bersaglio});
        EXPECT_EQ(vero.codice, 0);
        EXPECT_EQ(vero.out, prova.out);
        ASSERT_EQ(vero.righe().size(), 3);
        EXPECT_EQ(numeroFinale(vero.righe()[0]), inAttesa());
        const int aggiornati = numeroFinale(vero.righe()[1]);
        EXPECT_GT(aggiornati, 0);
        EXPECT_EQ(marcati(bersaglio), aggiornati);

        const EsitoCli rimozioneProva = sincronetti({"--si", "--prova", "rimuovi", bersaglio});
        EXPECT_EQ(rimozioneProva.codice, 0);
        EXPECT_EQ(
            rimozioneProva.righe(),
            QStringList{"Codici aggiornati: " + QLocale(QLocale::Italian).toString(aggiornati)});
        EXPECT_EQ(marcati(bersaglio), aggiornati);
        const EsitoCli rimozione = sincronetti({"--si", "rimuovi", bersaglio});
        EXPECT_EQ(rimozione.codice, 0);
        EXPECT_EQ(rimozione.out, rimozioneProva.out);
        EXPECT_EQ(marcati(bersaglio), 0);
    }
}

TEST_F(SincronettiTest, FiniteInAnticipo) {
    const std::pair<QStringList, QString> casi[] = {
        {{"--si", "aggiorna", "anamag"}, "AVVISO: Nessun dato da elaborare\n"},
        {{"importa", "/nessuna/cartella/netti.csv"},
         "ERRORE: Errore interno durante l'accesso al file\n/nessuna/cartella/netti.csv\n"},
        {{"--utente", "99", "anteprima"}, "ERRORE: L'utente 99 non esiste nel database utenti "},
    };
    for (const auto& [argomenti, errore] : casi) {
        SCOPED_TRACE(argomenti.join(' ').toStdString());
        const EsitoCli esito = sincronetti(argomenti);
        EXPECT_EQ(esito.codice, 1);
        EXPECT_TRUE(esito.out.isEmpty());
        EXPECT_TRUE(esito.err.startsWith(errore)) << esito.err.toStdString();
    }
}

} // namespace
} // namespace mavo::test
