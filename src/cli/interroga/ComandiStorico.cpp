#include "cli/interroga/ComandiStorico.h"

#include "cli/comune/RigaDiComandoItaliana.h"
#include "cli/interroga/Comandi.h"
#include "cli/interroga/FileDefinizione.h"
#include "cli/interroga/RigaDiComando.h"
#include "context/TabXForm.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"
#include "query/catena/Catena.h"
#include "query/form/AspettoRisposta.h"
#include "query/motore/CartelleQuery.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "query/storico/AspettoStorico.h"

#include <cstdio>

namespace mavo {

namespace {

QString testoVoce(ChiaveStorico voce) {
    return QString::number(voce.Codice1) + u' ' + TestoCodice2(voce.Codice2);
}

void elenca(ArchivioStorico& storico) {
    ScriviRiga(stdout, {"Codice1", "Codice2", "Righe", "Campi"});
    for (const VoceStorico& voce : storico.Elenco())
        ScriviRiga(stdout, {QString::number(voce.chiave.Codice1), TestoCodice2(voce.chiave.Codice2),
                            QString::number(voce.righe), voce.campi.join(u',')});
}

// The answer as the form shows it with the stored layout: columns in their
// order, hidden ones left out, numbers in their grouping display.
void stampaRisposta(Risposta& risposta) {
    Dataset& dati = risposta.Dati();
    QVector<const Field*> visibili;
    for (int i = 0; i < dati.fieldCount(); ++i)
        if (dati.field(i)->visible())
            visibili << dati.field(i);
    QStringList nomi;
    for (const Field* campo : std::as_const(visibili))
        nomi << campo->fieldName();
    ScriviRiga(stdout, nomi);
    const CodiciVisualizzazione& codici = risposta.Codici();
    risposta.Scorri([&](const QVariantList& riga) {
        QStringList campi;
        for (const Field* campo : std::as_const(visibili)) {
            const QVariant valore = riga.value(campo->fieldNo());
            const int tipo = codici.TipoRaggruppamento(campo->fieldNo());
            campi << (tipo == 0 || campo->dataType() != FieldType::Float || valore.isNull()
                          ? TestoCampo(valore)
                          : TestoRisposta(*campo, valore, tipo));
        }
        ScriviRiga(stdout, campi);
    });
}

bool eseguiVoce(const OpzioniInterroga& opzioni, TTabXForm& contesto, db::Database& archivio,
                ArchivioStorico& storico, Interazione& port) {
    const Definizione definizione = storico.LeggiInterrogazione(opzioni.voce);
    if (definizione.isEmpty()) {
        port.Errore("Nessuna query nello storico per la voce " + testoVoce(opzioni.voce));
        return false;
    }
    TIBFQuerForm motore =
        MotoreInterroga(opzioni, contesto.Ditta, archivio,
                        LeggiCartelleQuery(settingsFilePath(), contesto.Ditta), port);
    Risposta risposta(archivio);
    ChiaveStorico ultima = opzioni.voce;
    if (opzioni.catena) {
        if (!SeguiCatena(motore, storico, risposta, opzioni.voce, port, &ultima))
            return false;
    } else if (!motore.EseguiInterrogazione(definizione, risposta, {},
                                            DerivaStato(definizione).Affiancata))
        return false;
    TitoliRisposta(risposta.Dati());
    if (ultima.Codice1 != Codice1SenzaAspetto)
        RecuperaAspettodaStorico(risposta, storico.LeggiAspetto(ultima), motore.Ordinato);
    stampaRisposta(risposta);
    return true;
}

bool salvaVoce(const OpzioniInterroga& opzioni, TTabXForm& contesto, db::Database& archivio,
               ArchivioStorico& storico, Interazione& port) {
    const Definizione definizione = LeggiFileDefinizione(opzioni.definizione);
    // Only a query the archive accepts is stored: its statement is built and
    // prepared, never run.
    TIBFQuerForm motore =
        MotoreInterroga(opzioni, contesto.Ditta, archivio,
                        LeggiCartelleQuery(settingsFilePath(), contesto.Ditta), port);
    motore.CopiaSql = true;
    Risposta risposta(archivio);
    if (!motore.EseguiInterrogazione(definizione, risposta, {},
                                     DerivaStato(definizione).Affiancata))
        return false;
    {
        db::Transaction prova(&archivio);
        prova.setParams({"isc_tpb_read", "isc_tpb_read_committed", "isc_tpb_rec_version"});
        prova.start();
        db::Statement istruzione(&archivio, &prova);
        istruzione.setParamCheck(false);
        istruzione.setSql(risposta.Query().sql());
        istruzione.prepare();
    }
    storico.SalvaInterrogazione(opzioni.voce, definizione);
    port.AggiungiRiepilogo("Voce " + testoVoce(opzioni.voce) +
                           " salvata: " + QString::number(definizione.size()) + " righe");
    return true;
}

} // namespace

bool EseguiStorico(const OpzioniInterroga& opzioni, TTabXForm& contesto, db::Database& archivio,
                   Interazione& port) {
    ArchivioStorico storico(archivio);
    storico.CreaTabelle();
    switch (opzioni.comando) {
    case OpzioniInterroga::Comando::StoricoElenco:
        elenca(storico);
        return true;
    case OpzioniInterroga::Comando::StoricoMostra: {
        const Definizione righe = storico.LeggiInterrogazione(opzioni.voce);
        if (righe.isEmpty()) {
            port.Errore("Nessuna query nello storico per la voce " + testoVoce(opzioni.voce));
            return false;
        }
        ScriviRiga(stdout, {"Numero", "Nome", "Mostra", "Condizione"});
        for (const RigaDefinizione& riga : righe)
            ScriviRiga(stdout, {QString::number(riga.Numero), riga.Nome,
                                QString::number(riga.Mostra), riga.Condizione});
        return true;
    }
    case OpzioniInterroga::Comando::StoricoEsegui:
        return eseguiVoce(opzioni, contesto, archivio, storico, port);
    case OpzioniInterroga::Comando::StoricoSalva:
        return salvaVoce(opzioni, contesto, archivio, storico, port);
    default:
        return false;
    }
}

} // namespace mavo
