#include "platform/ConsoleInterazione.h"

#include "support/QtPrinters.h"

#include <array>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

using namespace mavo;

namespace {

// A stream the port writes to or reads from, kept in a temporary file.
class Capture {
public:
    Capture() : file_(std::tmpfile()) {}
    ~Capture() { std::fclose(file_); }
    FILE* stream() const { return file_; }
    QString text() const {
        std::fflush(file_);
        std::rewind(file_);
        QByteArray bytes;
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
            bytes += char(c);
        }
        return QString::fromUtf8(bytes);
    }
    void put(const char* text) {
        std::fputs(text, file_);
        std::rewind(file_);
    }

private:
    FILE* file_;
};

// A pseudo-terminal: the port gets the terminal side, the test the other.
class Terminal {
public:
    Terminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        fcntl(master_, F_SETFL, O_NONBLOCK);
        terminal_ = std::fopen(ptsname(master_), "r+");
    }
    ~Terminal() {
        std::fclose(terminal_);
        close(master_);
    }
    FILE* stream() const { return terminal_; }
    void type(const char* text) { EXPECT_GT(write(master_, text, strlen(text)), 0); }
    QString screen() {
        QByteArray bytes;
        char buffer[4096];
        while (poll(std::array{pollfd{master_, POLLIN, 0}}.data(), 1, 100) > 0) {
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            bytes.append(buffer, n);
        }
        return QString::fromUtf8(bytes);
    }

private:
    int master_;
    FILE* terminal_;
};

struct MessageCase {
    const char* name;
    void (ConsoleInterazione::*call)(const QString&);
    QString text;
    QString expected;
};
void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.name;
}

class ConsoleMessage : public testing::TestWithParam<MessageCase> {};

TEST_P(ConsoleMessage, GoesToErrWithItsKind) {
    Capture out, err;
    ConsoleInterazione port({false, {}, out.stream(), err.stream(), stdin});
    (port.*GetParam().call)(GetParam().text);
    EXPECT_EQ(err.text(), GetParam().expected);
    EXPECT_EQ(out.text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsoleMessage,
    testing::Values(
        MessageCase{"warning_keeps_line_breaks", &ConsoleInterazione::Avviso,
                    "Attenzione: l'archivio non è stato trovato.\r\nImpossibile procedere",
                    "AVVISO: Attenzione: l'archivio non è stato trovato.\nImpossibile procedere\n"},
        MessageCase{"error", &ConsoleInterazione::Errore, "Errore apertura archivio",
                    "ERRORE: Errore apertura archivio\n"},
        MessageCase{"information", &ConsoleInterazione::Informazione, "Elaborazione completata",
                    "INFORMAZIONE: Elaborazione completata\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST(ConsoleInterazione, SummaryLinesGoToOutInUtf8) {
    Capture out, err;
    ConsoleInterazione port({false, {}, out.stream(), err.stream(), stdin});
    port.AggiungiRiepilogo("Riga 3 scartata: Prezzo \"abc\" non valido");
    port.PulisciRiepilogo();
    port.AggiungiRiepilogo("Totale righe acquisite: 1.234 è");
    EXPECT_EQ(out.text(),
              "Riga 3 scartata: Prezzo \"abc\" non valido\nTotale righe acquisite: 1.234 è\n");
    EXPECT_EQ(err.text(), "");
}

// A log taking both streams (2>&1): summary lines are written in large
// blocks, yet a message still comes after the lines written before it.
TEST(ConsoleInterazione, SummaryLinesStayBeforeALaterMessageInASharedLog) {
    Capture log;
    FILE* err = fdopen(dup(fileno(log.stream())), "w");
    ASSERT_NE(err, nullptr);
    {
        ConsoleInterazione port({false, {}, log.stream(), err, stdin});
        port.AggiungiRiepilogo("Riga 2 scartata: Prezzo a 0");
        port.AggiungiRiepilogo("Riga 3 scartata: Prezzo non trovato");
        port.Errore("Errore apertura archivio");
        port.AggiungiRiepilogo("Totale righe acquisite: 0");
    }
    std::fclose(err);
    EXPECT_EQ(log.text(), "Riga 2 scartata: Prezzo a 0\nRiga 3 scartata: Prezzo non trovato\n"
                          "ERRORE: Errore apertura archivio\nTotale righe acquisite: 0\n");
}

TEST(ConsoleInterazione, NoProgressBarWhenErrIsNotATerminal) {
    Capture out, err;
    ConsoleInterazione port({false, {}, out.stream(), err.stream(), stdin});
    auto progress = port.CreaProgresso("Lettura file");
    progress->Mostra();
    progress->SetProgresso(50);
    progress->Nascondi();
    EXPECT_EQ(err.text(), "");
}

TEST(ConsoleInterazione, ProgressBarIsRedrawnOnlyWhenThePercentageChanges) {
    Capture out;
    Terminal terminal;
    ConsoleInterazione port({false, {}, out.stream(), terminal.stream(), stdin});
    auto progress = port.CreaProgresso("Lettura file");
    progress->Mostra();
    terminal.screen();
    for (int i = 0; i < 5; ++i) {
        progress->SetProgresso(40);
    }
    const QString drawn = terminal.screen();
    EXPECT_EQ(drawn.count("Lettura file"), 1);
    EXPECT_TRUE(drawn.contains("] 40%")) << drawn.toStdString();
    progress->SetProgresso(41);
    EXPECT_TRUE(terminal.screen().contains("] 41%"));
}

TEST(ConsoleInterazione, SummaryLineOnTheBarsTerminalTakesTheBarsPlace) {
    Terminal terminal;
    ConsoleInterazione port({false, {}, terminal.stream(), terminal.stream(), stdin});
    auto progress = port.CreaProgresso("Aggiornamento");
    progress->Mostra();
    progress->SetProgresso(100);
    terminal.screen();
    port.AggiungiRiepilogo("- Numero di record");
    // The bar is erased, the line written whole, and the bar drawn again below it.
    const QString screen = terminal.screen();
    EXPECT_TRUE(screen.startsWith("\r\x1b[K- Numero di record\r\n\r\x1b[KAggiornamento ["))
        << screen.toStdString();
    progress.reset();
    port.AggiungiRiepilogo("dopo");
    EXPECT_EQ(terminal.screen(), "\r\x1b[Kdopo\r\n");
}

TEST(ConsoleInterazione, ConfirmationIsYesOnlyWhenToldSo) {
    Capture out, err, in;
    in.put("s\n"); // typed answers count only at a terminal
    ConsoleInterazione unattended({false, {}, out.stream(), err.stream(), in.stream()});
    EXPECT_FALSE(unattended.Conferma("Confermi l'aggiornamento di 1.234 articoli?"));
    ConsoleInterazione told({true, {}, out.stream(), err.stream(), in.stream()});
    EXPECT_TRUE(told.Conferma("Confermi?"));
    EXPECT_EQ(err.text(),
              "Confermi l'aggiornamento di 1.234 articoli? [s/N] N\nConfermi? [s/N] s\n");
}

TEST(ConsoleInterazione, ConfirmationIsAskedAtATerminal) {
    struct Answer {
        const char* typed;
        bool yes;
    };
    for (const Answer answer : {Answer{"s\n", true}, Answer{"Si\n", true}, Answer{"sì\n", true},
                                Answer{"n\n", false}, Answer{"\n", false}}) {
        Capture out, err;
        Terminal terminal;
        ConsoleInterazione port({false, {}, out.stream(), err.stream(), terminal.stream()});
        terminal.type(answer.typed);
        EXPECT_EQ(port.Conferma("Confermi?"), answer.yes) << answer.typed;
        EXPECT_EQ(err.text(), "Confermi? [s/N] ");
    }
}
