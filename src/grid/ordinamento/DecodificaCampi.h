#pragma once

#include <QStringList>
#include <optional>

namespace mavo {

// The grid's custom fields: fields the query computes, whose SQL expression
// (to search and sort on) is not a plain column.
struct DecodificaCampi {
    QStringList nomi;        // upper case (CampiPersonalizzati)
    QStringList espressioni; // at the same index (CampiPersonalizzatiDecodifica)

    bool contiene(const QString& nome) const;
    std::optional<QString> espressione(const QString& nome) const;
};

// What a search or a sort on a field works on: the custom expression of a
// custom field, else the field's origin (table.column) in upper case, else
// the field's name.
QString EspressioneCampo(const QString& nome, const QString& origine,
                         const DecodificaCampi& personalizzati);

} // namespace mavo
