#include "platform/ConsoleInterazione.h"

#include "platform/SilentProgress.h"

#include <algorithm>
#include <unistd.h>

namespace mavo {

namespace {

// Erases the line the cursor is on (a progress bar being drawn).
constexpr char kClearLine[] = "\r\x1b[K";

void write(FILE* stream, const QString& text, bool flush = true) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stream);
    if (flush)
        std::fflush(stream);
}

// The system writes line breaks as CR LF; a terminal wants LF.
QString withLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

bool isTerminal(FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

} // namespace

// The bar is drawn on the terminal's last line and redrawn in place; the
// port knows which bar is on screen, to lift it out of the way of a line.
class ConsoleInterazione::TerminalProgress final : public Progresso {
public:
    TerminalProgress(FILE* err, const QString& message, TerminalProgress*& onScreen)
        : err_(err), message_(message), onScreen_(onScreen) {}
    ~TerminalProgress() override { Nascondi(); }

    void SetMessaggio(const QString& testo) override {
        message_ = testo;
        draw();
    }
    void SetBarraVisibile(bool visibile) override {
        barVisible_ = visibile;
        draw();
    }
    void SetProgresso(int percentuale) override {
        percentuale = std::clamp(percentuale, 0, 100);
        if (percentuale != percent_) {
            percent_ = percentuale;
            draw();
        }
    }
    void Mostra() override {
        shown_ = true;
        onScreen_ = this;
        draw();
    }
    void Nascondi() override {
        if (shown_)
            erase();
        shown_ = false;
        if (onScreen_ == this)
            onScreen_ = nullptr;
    }

    void erase() {
        std::fputs(kClearLine, err_);
        std::fflush(err_);
    }

    void draw() {
        if (!shown_) {
            return;
        }
        constexpr int width = 30;
        QString line =
            QString::fromLatin1(kClearLine) + withLineFeeds(message_).replace(u'\n', u' ');
        if (barVisible_) {
            const int done = percent_ * width / 100;
            line += QStringLiteral(" [%1%2] %3%")
                        .arg(QString(done, u'#'), QString(width - done, u' '))
                        .arg(percent_);
        }
        write(err_, line);
    }

private:
    FILE* err_;
    QString message_;
    TerminalProgress*& onScreen_;
    bool barVisible_ = true;
    bool shown_ = false;
    int percent_ = 0;
};

ConsoleInterazione::ConsoleInterazione(ConsoleOptions options)
    : options_(std::move(options)), errIsTerminal_(isTerminal(options_.err)),
      outIsTerminal_(isTerminal(options_.out)) {}

ConsoleInterazione::~ConsoleInterazione() {
    std::fflush(options_.out);
}

void ConsoleInterazione::Avviso(const QString& testo) {
    message(QStringLiteral("AVVISO"), testo);
}

void ConsoleInterazione::Errore(const QString& testo) {
    message(QStringLiteral("ERRORE"), testo);
}

void ConsoleInterazione::Informazione(const QString& testo) {
    message(QStringLiteral("INFORMAZIONE"), testo);
}

bool ConsoleInterazione::Conferma(const QString& domanda) {
    const QString prompt = (errIsTerminal_ ? QString::fromLatin1(kClearLine) : QString()) +
                           withLineFeeds(domanda) + QStringLiteral(" [s/N] ");
    std::fflush(options_.out);
    write(options_.err, prompt);
    if (options_.assumeYes || !isTerminal(options_.in)) {
        // The answer is written too, so that a log shows what was decided.
        write(options_.err, options_.assumeYes ? QStringLiteral("s\n") : QStringLiteral("N\n"));
        return options_.assumeYes;
    }
    const QString answer = readAnswer().trimmed().toLower();
    return answer == u"s" || answer == u"si" || answer == u"sì";
}

QString ConsoleInterazione::ScegliFile(const QString&, const QString&) {
    return options_.file;
}

std::unique_ptr<Progresso> ConsoleInterazione::CreaProgresso(const QString& messaggio) {
    if (!errIsTerminal_) {
        return std::make_unique<SilentProgress>();
    }
    return std::make_unique<TerminalProgress>(options_.err, messaggio, barOnScreen_);
}

// An import may write hundreds of thousands of lines: to a file or a pipe
// they go in large writes, and are flushed before anything is written to `err`
// so that a log holding both keeps their order.
void ConsoleInterazione::AggiungiRiepilogo(const QString& riga) {
    // On a screen shared with the bar, the line takes the bar's place and the
    // bar comes back under it.
    const bool sotto = outIsTerminal_ && barOnScreen_;
    if (sotto)
        barOnScreen_->erase();
    write(options_.out, withLineFeeds(riga) + u'\n', outIsTerminal_);
    if (sotto)
        barOnScreen_->draw();
}

void ConsoleInterazione::message(const QString& kind, const QString& text) {
    const QString start = errIsTerminal_ ? QString::fromLatin1(kClearLine) : QString();
    std::fflush(options_.out);
    write(options_.err, start + kind + QStringLiteral(": ") + withLineFeeds(text) + u'\n');
}

QString ConsoleInterazione::readAnswer() {
    QByteArray line;
    for (int c = std::fgetc(options_.in); c != EOF && c != '\n'; c = std::fgetc(options_.in)) {
        line += char(c);
    }
    return QString::fromUtf8(line);
}

} // namespace mavo
