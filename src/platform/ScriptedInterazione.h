#pragma once

#include "platform/Interazione.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace mavo {

// The port of the tests: it records what an operation says, verbatim and in
// order, and answers from a script. With the script exhausted a confirmation is
// No and a file choice is cancelled (empty).
class ScriptedInterazione : public Interazione {
public:
    enum class Kind { Avviso, Errore, Informazione, Conferma, ScegliFile };

    struct Message {
        Kind kind;
        QString text; // the question of a confirmation, the title of a file choice
        bool operator==(const Message&) const = default;
    };

    // What one progress window went through. SetProgresso calls that repeat the
    // current value are not counted.
    struct ProgressLog {
        QStringList messages;           // the creation message, then each SetMessaggio
        std::optional<bool> barVisible; // the last SetBarraVisibile
        std::optional<int> percent;     // the last SetProgresso
        int percentChanges = 0;         // SetProgresso calls that changed the value
        int shown = 0;                  // Mostra calls
        bool visible = false;           // shown and not hidden since
    };

    void queueConferma(bool answer) { confirmations_.append(answer); }
    void queueFile(const QString& fileName) { files_.append(fileName); }
    // Runs with every new percentage a progress window is given: what happens
    // elsewhere (another user, the server) while an operation runs.
    void onProgress(std::function<void(int percent)> action) { *onProgress_ = std::move(action); }

    const QList<Message>& messages() const { return messages_; }
    // The memo lines since the last clear, and how many clears there were.
    const QStringList& summary() const { return summary_; }
    int summaryClears() const { return summaryClears_; }
    // One log per CreaProgresso, in order; they outlive the handles.
    QList<ProgressLog> progressLogs() const;
    int pumpCount() const { return pumps_; }
    // The folder each file choice was asked to open in, in order.
    const QStringList& fileFolders() const { return fileFolders_; }

    void Avviso(const QString& testo) override;
    void Errore(const QString& testo) override;
    void Informazione(const QString& testo) override;
    bool Conferma(const QString& domanda) override;
    QString ScegliFile(const QString& titolo, const QString& cartella) override;
    std::unique_ptr<Progresso> CreaProgresso(const QString& messaggio) override;
    void PompaMessaggi() override { ++pumps_; }
    void PulisciRiepilogo() override;
    void AggiungiRiepilogo(const QString& riga) override { summary_.append(riga); }

private:
    QList<Message> messages_;
    QList<bool> confirmations_;
    QStringList files_;
    QStringList fileFolders_;
    QStringList summary_;
    int summaryClears_ = 0;
    std::vector<std::shared_ptr<ProgressLog>> progress_;
    int pumps_ = 0;
    // Shared with the progress handles, which may outlive a moved-from port.
    std::shared_ptr<std::function<void(int)>> onProgress_ =
        std::make_shared<std::function<void(int)>>();
};

} // namespace mavo
