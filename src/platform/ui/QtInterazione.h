#pragma once

#include "platform/Interazione.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace mavo {

// The port of the windows: modal message boxes over the owner window, the
// file-open dialog, the progress window made by the factory the host window
// installs, and the summary memo. Texts are shown as plain text.
class QtInterazione : public Interazione {
public:
    using FabbricaProgresso =
        std::function<std::unique_ptr<Progresso>(QWidget* owner, const QString& messaggio)>;

    explicit QtInterazione(QWidget* owner = nullptr);

    // The memo that receives the summary; without one the summary is dropped.
    void setMemo(QPlainTextEdit* memo) { memo_ = memo; }
    // Without a factory the progress handles do nothing (a host without a
    // progress window).
    void setFabbricaProgresso(FabbricaProgresso fabbrica) { fabbrica_ = std::move(fabbrica); }

    void Avviso(const QString& testo) override;
    void Errore(const QString& testo) override;
    void Informazione(const QString& testo) override;
    bool Conferma(const QString& domanda) override;
    QString ScegliFile(const QString& titolo, const QString& cartella) override;
    std::unique_ptr<Progresso> CreaProgresso(const QString& messaggio) override;
    void PompaMessaggi() override;
    void PulisciRiepilogo() override;
    void AggiungiRiepilogo(const QString& riga) override;

private:
    QPointer<QWidget> owner_;
    QPointer<QPlainTextEdit> memo_;
    FabbricaProgresso fabbrica_;
};

} // namespace mavo
