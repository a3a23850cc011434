#pragma once

#include "platform/Interazione.h"

#include <QDialog>
#include <QPointer>

class QFrame;
class QProgressBar;

namespace mavo {

// "Avanzamento": the progress of a file export, one smooth bar from 0 to 100
// filling a borderless panel, centred on the desktop.
class TAvanzamentoForm : public QDialog {
    Q_OBJECT
public:
    explicit TAvanzamentoForm(QWidget* owner = nullptr);

    QFrame* const Panel1;
    QProgressBar* const BarraProgresso;

protected:
    // The export holds the event loop: closing the window could not stop it.
    void closeEvent(QCloseEvent* evento) override;
    void reject() override {}
};

// The export's progress handle over a TAvanzamentoForm (the message is the
// window's caption); or, with `statoTabella`, over the status window of the
// table copy (TStatBarForm, captioned with the message).
class ProgressoEsportazione final : public Progresso {
public:
    ProgressoEsportazione(QWidget* owner, const QString& messaggio, bool statoTabella);
    ~ProgressoEsportazione() override;
    ProgressoEsportazione(const ProgressoEsportazione&) = delete;
    ProgressoEsportazione& operator=(const ProgressoEsportazione&) = delete;

    void SetMessaggio(const QString& testo) override;
    void SetBarraVisibile(bool visibile) override;
    void SetProgresso(int percentuale) override;
    void Mostra() override;
    void Nascondi() override;

    QDialog* finestra() const { return finestra_; }

private:
    QPointer<QDialog> finestra_;
    QProgressBar* barra_ = nullptr;
};

} // namespace mavo
