#pragma once

#include "platform/Interazione.h"

#include <cstdio>

namespace mavo {

struct ConsoleOptions {
    bool assumeYes = false; // --si: every confirmation is answered Yes
    QString file;           // what ScegliFile answers (the command's file argument)
    FILE* out = stdout;     // summary lines
    FILE* err = stderr;     // messages, questions, progress bar
    FILE* in = stdin;       // answers typed at a terminal
};

// The port of the command-line tool. Messages go to `err` as one line each,
// "AVVISO: …", "ERRORE: …", "INFORMAZIONE: …" (a message of several lines keeps
// its line breaks); summary lines go to `out`; all in UTF-8. The progress bar is
// drawn only when `err` is a terminal. A confirmation is Yes with assumeYes, is
// asked when `in` is a terminal ('s' or "si" is Yes), and is No otherwise, so
// that an unattended run never writes without being told to.
class ConsoleInterazione : public Interazione {
public:
    explicit ConsoleInterazione(ConsoleOptions options);
    ~ConsoleInterazione() override;
    ConsoleInterazione(const ConsoleInterazione&) = delete;
    ConsoleInterazione& operator=(const ConsoleInterazione&) = delete;

    void Avviso(const QString& testo) override;
    void Errore(const QString& testo) override;
    void Informazione(const QString& testo) override;
    bool Conferma(const QString& domanda) override;
    QString ScegliFile(const QString& titolo, const QString& cartella) override;
    std::unique_ptr<Progresso> CreaProgresso(const QString& messaggio) override;
    void PompaMessaggi() override {}
    // Lines already written cannot be taken back.
    void PulisciRiepilogo() override {}
    void AggiungiRiepilogo(const QString& riga) override;

private:
    class TerminalProgress;
    void message(const QString& kind, const QString& text);
    QString readAnswer();

    ConsoleOptions options_;
    bool errIsTerminal_;
    bool outIsTerminal_;
    TerminalProgress* barOnScreen_ = nullptr;
};

} // namespace mavo
