#pragma once

#include "query/esporta/Foglio.h"
#include "query/esporta/ModelloXlsx.h"

#include <memory>
#include <optional>

namespace mavo {

// A spreadsheet file (.xlsx) written with libxlsxwriter in constant-memory
// mode: each row goes to disk as the next one starts, texts inline, so
// memory stays flat however long the answer is. With a model, the values of
// its first sheet come first on the first sheet and the answer follows
// them. The workbook is written under a temporary name beside the target
// and takes the target's name only once it is whole.
class ScrittoreXlsx final : public ScrittoreFoglio {
public:
    static constexpr int MassimoRighe = 1048576;

    explicit ScrittoreXlsx(const QString& percorso, int righePerFoglio = MassimoRighe,
                           std::optional<ModelloFoglio> modello = std::nullopt);
    ~ScrittoreXlsx() override;

    void Colonne(const QStringList& titoli, const QVector<int>& larghezze) override;
    void Riga(const QVector<Cella>& celle) override;
    void Chiudi() override;

private:
    struct Dati;
    std::unique_ptr<Dati> d_;
};

} // namespace mavo
