#pragma once

#include <QString>
#include <memory>

namespace mavo {

// Handle of a progress window: a centred message and a 0..100 bar.
class Progresso {
public:
    virtual ~Progresso() = default;
    virtual void SetMessaggio(const QString& testo) = 0;
    virtual void SetBarraVisibile(bool visibile) = 0;
    virtual void SetProgresso(int percentuale) = 0;
    virtual void Mostra() = 0;
    virtual void Nascondi() = 0;
};

// Everything an operation says to the user or asks of the user goes through
// here, so that the window, the command-line tool and the tests run the same
// operation code.
class Interazione {
public:
    virtual ~Interazione() = default;

    virtual void Avviso(const QString& testo) = 0;       // warning, OK button
    virtual void Errore(const QString& testo) = 0;       // error, OK button
    virtual void Informazione(const QString& testo) = 0; // information, OK button
    virtual bool Conferma(const QString& domanda) = 0;   // Yes/No; true only for Yes

    // File-open dialog, opening in `cartella` when that folder exists (empty:
    // the dialog's own choice); empty when the user cancels.
    virtual QString ScegliFile(const QString& titolo, const QString& cartella) = 0;

    // A new progress window carrying the message, not yet shown.
    virtual std::unique_ptr<Progresso> CreaProgresso(const QString& messaggio) = 0;
    // Lets pending window messages run once (a no-op where there is no window).
    virtual void PompaMessaggi() = 0;

    // The summary memo of the operation.
    virtual void PulisciRiepilogo() = 0;
    virtual void AggiungiRiepilogo(const QString& riga) = 0;
};

} // namespace mavo
