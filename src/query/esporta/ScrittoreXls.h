#pragma once

#include "query/esporta/Foglio.h"

#include <memory>

namespace mavo {

// A legacy spreadsheet file (.xls: a BIFF8 workbook in a compound file),
// written as rows come: every text goes to the shared-string table, numbers
// and dates are number cells (dates with a date format), 256 columns and
// `righePerFoglio` rows (header included) per sheet. The sheets and the
// strings wait in temporary files beside the target, so memory stays flat
// however long the answer is; Chiudi() puts the workbook together and
// replaces the target in one step.
class ScrittoreXls final : public ScrittoreFoglio {
public:
    static constexpr int MassimoRighe = 65536;
    static constexpr int MassimoColonne = 256;

    explicit ScrittoreXls(const QString& percorso, int righePerFoglio = MassimoRighe);
    ~ScrittoreXls() override;

    void Colonne(const QStringList& titoli, const QVector<int>& larghezze) override;
    void Riga(const QVector<Cella>& celle) override;
    void Chiudi() override;

private:
    struct Dati;
    std::unique_ptr<Dati> d_;
};

} // namespace mavo
