#pragma once

#include "platform/Interazione.h"

#include <QPointer>

class QWidget;

namespace mavo {

class TComunicazioneForm;

// The progress handle of the windows: a TComunicazioneForm owned by the
// handle (also when it has an owner window) and destroyed with it.
class ProgressoComunicazione final : public Progresso {
public:
    ProgressoComunicazione(QWidget* owner, const QString& messaggio);
    ~ProgressoComunicazione() override;
    ProgressoComunicazione(const ProgressoComunicazione&) = delete;
    ProgressoComunicazione& operator=(const ProgressoComunicazione&) = delete;

    void SetMessaggio(const QString& testo) override;
    void SetBarraVisibile(bool visibile) override;
    void SetProgresso(int percentuale) override;
    void Mostra() override;
    void Nascondi() override;

private:
    // Guarded: closing the owner window destroys the form first.
    QPointer<TComunicazioneForm> form_;
};

// Factory for QtInterazione::setFabbricaProgresso: a window carrying the
// message, not yet shown.
std::unique_ptr<Progresso> CreaProgressoComunicazione(QWidget* owner, const QString& messaggio);

} // namespace mavo
