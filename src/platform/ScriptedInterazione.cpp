#include "platform/ScriptedInterazione.h"

namespace mavo {

namespace {

class ScriptedProgress final : public Progresso {
public:
    ScriptedProgress(std::shared_ptr<ScriptedInterazione::ProgressLog> log,
                     std::shared_ptr<std::function<void(int)>> onProgress)
        : log_(std::move(log)), onProgress_(std::move(onProgress)) {}

    void SetMessaggio(const QString& testo) override { log_->messages.append(testo); }
    void SetBarraVisibile(bool visibile) override { log_->barVisible = visibile; }
    void SetProgresso(int percentuale) override {
        if (log_->percent != percentuale) {
            log_->percent = percentuale;
            ++log_->percentChanges;
            if (*onProgress_)
                (*onProgress_)(percentuale);
        }
    }
    void Mostra() override {
        ++log_->shown;
        log_->visible = true;
    }
    void Nascondi() override { log_->visible = false; }

private:
    std::shared_ptr<ScriptedInterazione::ProgressLog> log_;
    std::shared_ptr<std::function<void(int)>> onProgress_;
};

} // namespace

QList<ScriptedInterazione::ProgressLog> ScriptedInterazione::progressLogs() const {
    QList<ProgressLog> logs;
    for (const auto& log : progress_) {
        logs.append(*log);
    }
    return logs;
}

void ScriptedInterazione::Avviso(const QString& testo) {
    messages_.append({Kind::Avviso, testo});
}

void ScriptedInterazione::Errore(const QString& testo) {
    messages_.append({Kind::Errore, testo});
}

void ScriptedInterazione::Informazione(const QString& testo) {
    messages_.append({Kind::Informazione, testo});
}

bool ScriptedInterazione::Conferma(const QString& domanda) {
    messages_.append({Kind::Conferma, domanda});
    return !confirmations_.isEmpty() && confirmations_.takeFirst();
}

QString ScriptedInterazione::ScegliFile(const QString& titolo, const QString& cartella) {
    messages_.append({Kind::ScegliFile, titolo});
    fileFolders_.append(cartella);
    return files_.isEmpty() ? QString() : files_.takeFirst();
}

std::unique_ptr<Progresso> ScriptedInterazione::CreaProgresso(const QString& messaggio) {
    auto log = std::make_shared<ProgressLog>();
    log->messages.append(messaggio);
    progress_.push_back(log);
    return std::make_unique<ScriptedProgress>(std::move(log), onProgress_);
}

void ScriptedInterazione::PulisciRiepilogo() {
    summary_.clear();
    ++summaryClears_;
}

} // namespace mavo
