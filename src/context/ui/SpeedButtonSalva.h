#pragma once

#include "context/PulsanteSalva.h"

#include <QToolButton>

namespace mavo {

// The two-state save button of an editing window: its glyph is the picture
// the call context names (Grafica\Verde.bmp, Grafica\Rosso.bmp), its tag the
// state. A picture that cannot be read leaves the button without a glyph.
class TSpeedButtonSalva : public QToolButton, public PulsanteSalva {
    Q_OBJECT
public:
    explicit TSpeedButtonSalva(QWidget* parent = nullptr);

    int Tag() const override { return tag_; }
    void Imposta(int tag, const QString& immagine) override;
    const QString& Immagine() const { return immagine_; }

private:
    int tag_ = 0;
    QString immagine_;
};

} // namespace mavo
