#include "netprices/DestinazioneNetti.h"

#include "context/TabXForm.h"

namespace mavo {

namespace {

// The marker of a net-priced article, in the sale price.
const QString Marcatore = QStringLiteral("9999999");

DestinazioneNetti listone() {
    return {.archivio = DestinazioneNetti::Archivio::Listino,
            .tabella = "LISTINO",
            .colonnaFornitore = "CODICEFORN",
            .condizioniAggiuntive = {},
            .colonnaListino = "PRLISTINO",
            .colonnaAcquisto = "PRACQNETTO",
            .colonnaNettoOneri = "NETPIUONER",
            .colonnaVendita = "PREZZOVEN",
            .colonnaRicarico = "PERCRICVEN",
            .domandaAggiornamento = "Avviare l'aggiornamento prezzi netti su listone?",
            .messaggioAggiornamento = "Aggiornamento netti su listone",
            .messaggioRimozione = "Rimozione netti da listone",
            .erroreRimozione = "Errore durante l'aggiornamento del listone:"};
}

DestinazioneNetti anagraficaMagazzino() {
    return {.archivio = DestinazioneNetti::Archivio::Ditta,
            .tabella = "ANAMAG",
            .colonnaFornitore = "FORNITORE",
            .condizioniAggiuntive = {"ESTENSIONE='3'"},
            .colonnaListino = "PREZZOLISTINOFORNITORE",
            .colonnaAcquisto = "PREZZOACQUISTONETTO",
            .colonnaNettoOneri = "NETTOPIUONERI",
            .colonnaVendita = "PREZZOVENDITA",
            .colonnaRicarico = "PERCRICARICOVENDITA",
            .domandaAggiornamento =
                "Avviare l'aggiornamento prezzi netti sull'anagrafica di magazzino?",
            .messaggioAggiornamento = "Aggiornamento netti su anagrafica magazzino",
            .messaggioRimozione = "Rimozione netti da ana. mag.",
            .erroreRimozione = "Errore durante l'aggiornamento dell'anagrafica magazzino:"};
}

} // namespace

const DestinazioneNetti& DestinazioneNetti::Listone() {
    static const DestinazioneNetti destinazione = listone();
    return destinazione;
}

const DestinazioneNetti& DestinazioneNetti::AnagraficaMagazzino() {
    static const DestinazioneNetti destinazione = anagraficaMagazzino();
    return destinazione;
}

db::Database& DestinazioneNetti::DatabaseDi(TTabXForm& contesto) const {
    return archivio == Archivio::Ditta ? contesto.IBDatabase1 : contesto.IBDatabase2;
}

QStringList DestinazioneNetti::condizioniFornitore() const {
    QStringList righe{"  " + colonnaFornitore + "='2197'"};
    for (const QString& condizione : condizioniAggiuntive)
        righe << "  AND"
              << "  " + condizione;
    return righe;
}

QStringList DestinazioneNetti::condizioniMarcate() const {
    return condizioniFornitore() << "  AND"
                                 << "  " + colonnaVendita + '=' + Marcatore;
}

QStringList DestinazioneNetti::IstruzioneRicerca() const {
    return QStringList{"SELECT", "  ID,", "  " + colonnaListino, "FROM", "  " + tabella, "WHERE"}
           << condizioniFornitore() << "  AND"
           << "  CODICE=:CODICE";
}

QStringList DestinazioneNetti::IstruzioneAggiornamento() const {
    return {"UPDATE " + tabella + " SET",
            colonnaListino + "=:PREZZO,",
            colonnaAcquisto + "=:PREZZO,",
            colonnaNettoOneri + "=:PREZZO,",
            colonnaVendita + '=' + Marcatore + ',',
            colonnaRicarico + "=(" + Marcatore + "-:PREZZO)*100/:PREZZO",
            "WHERE",
            "  ID=:ID"};
}

QStringList DestinazioneNetti::IstruzioneConteggio() const {
    return QStringList{"SELECT", "  COUNT(*) AS TOT", "FROM", "  " + tabella, "WHERE"}
           << condizioniMarcate();
}

QStringList DestinazioneNetti::IstruzioneRimozione() const {
    return QStringList{"UPDATE " + tabella + " SET",
                       colonnaVendita + '=' + colonnaListino + ',',
                       colonnaRicarico + "=0,",
                       colonnaNettoOneri + '=' + colonnaListino + ',',
                       colonnaAcquisto + '=' + colonnaListino,
                       "WHERE"}
           << condizioniMarcate();
}

QStringList ParametriTransazioneNetti() {
    return {"isc_tpb_concurrency", "isc_tpb_wait", "isc_tpb_lock_timeout=3"};
}

} // namespace mavo
