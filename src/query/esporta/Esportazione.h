#pragma once

#include "query/esporta/OpzioniEsportazione.h"
#include "query/esporta/RigheTesto.h"

#include <functional>
#include <memory>
#include <optional>

namespace mavo {

class Interazione;
class Progresso;
class Risposta;

// The options dialog, as the export sees it: shown with the form's
// context, it returns the user's choices (Esito says how it was closed).
using DialogoEsportazione = std::function<OpzioniEsportazione(const ContestoEsportazione&)>;

// A table name the user typed, as the copy creates it: a Firebird
// identifier (a letter, then letters, digits, '_' or '$', at most 31),
// upper-cased; nothing for any other text.
std::optional<QString> NomeTabellaExport(const QString& nome);

// The export of an answer (the form's "&Esporta"): a text file, a new table
// of the archive, or a spreadsheet file, read from the answer in one pass
// however long it is. Every message goes through the port.
class EsportazioneRisposta {
public:
    EsportazioneRisposta(Interazione& port, Risposta& risposta, ContestoEsportazione contesto);

    // The progress window of the file exports ("Avanzamento") and the status
    // window of the table copy ("Esportazione in corso..."); the port's own
    // unless the form gives its windows.
    std::function<std::unique_ptr<Progresso>()> FinestraAvanzamento;
    std::function<std::unique_ptr<Progresso>(const QString& titolo)> FinestraStato;
    // The answer is counted first for the progress bar to say how far the
    // export has gone: a whole pass of the server's, wasted where no bar is
    // seen (a command line writing to a file).
    bool ContaPerAvanzamento = true;
    // Rows per sheet, header included: the formats' own limits unless set.
    int RighePerFoglioXls;
    int RighePerFoglioXlsx;

    // The whole command: the dialog, then the export it asks for. An error
    // of the export is shown, then the dialog comes again for the earlier,
    // text-only routine. After a file export confirmed with "Apri Excel" the
    // spreadsheet program opens the file.
    void Esporta(const DialogoEsportazione& dialogo);

    // The export the options ask for. True when it was done (and, for
    // outcome 1, said); false when it was refused or failed and the user has
    // been told. Other errors are thrown, for the caller to report.
    bool EsportaNuovo(const OpzioniEsportazione& opzioni);
    // The earlier routine: text files only, reading the answer's own rows
    // without progress; any other type does nothing (false).
    bool EsportaVecchio(const OpzioniEsportazione& opzioni);
    // A new table of the answer's archive with every field of the answer
    // (hidden ones included), filled on the server from the answer's SQL.
    bool CreaCopiaTabellaExport(const QString& nomeTabella, int esito = 1);
    // Starts "Programma riferimento Excel" on a file (as one argument).
    bool ApriRisultato(const QString& file);

    // The file the last file export wrote (local path).
    const QString& FileEsportato() const { return fileEsportato_; }

private:
    bool esportaTesto(const OpzioniEsportazione& opzioni, bool vecchio);
    bool esportaFoglio(const OpzioniEsportazione& opzioni);
    qint64 contaRighe();
    FormatoTesto formato(const OpzioniEsportazione& opzioni) const;

    Interazione& port_;
    Risposta& risposta_;
    ContestoEsportazione contesto_;
    QString fileEsportato_;
};

} // namespace mavo
