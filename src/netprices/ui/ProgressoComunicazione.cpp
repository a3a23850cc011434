#include "netprices/ui/ProgressoComunicazione.h"

#include "netprices/ui/ComunicazioneForm.h"

namespace mavo {

ProgressoComunicazione::ProgressoComunicazione(QWidget* owner, const QString& messaggio)
    : form_(new TComunicazioneForm(owner)) {
    form_->SetMessaggio(messaggio);
}

ProgressoComunicazione::~ProgressoComunicazione() {
    delete form_.data();
}

void ProgressoComunicazione::SetMessaggio(const QString& testo) {
    if (form_) {
        form_->SetMessaggio(testo);
    }
}

void ProgressoComunicazione::SetBarraVisibile(bool visibile) {
    if (form_) {
        form_->SetBarraVisibile(visibile);
    }
}

void ProgressoComunicazione::SetProgresso(int percentuale) {
    if (form_) {
        form_->SetProgresso(percentuale);
    }
}

void ProgressoComunicazione::Mostra() {
    if (form_) {
        form_->Mostra();
    }
}

void ProgressoComunicazione::Nascondi() {
    if (form_) {
        form_->hide();
    }
}

std::unique_ptr<Progresso> CreaProgressoComunicazione(QWidget* owner, const QString& messaggio) {
    return std::make_unique<ProgressoComunicazione>(owner, messaggio);
}

} // namespace mavo
