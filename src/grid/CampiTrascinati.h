#pragma once

#include <functional>

class QHeaderView;

namespace mavo {

class Field;

// Columns are the fields in the dataset's order: a title dragged in
// `intestazione` moves its field instead. The header keeps its own order
// across the model's reset, so it is put back first; the reset then brings
// the columns in line. `campoColonna` gives the field of a column (none:
// the drag stays as it is).
void CampiTrascinati(QHeaderView* intestazione, std::function<Field*(int colonna)> campoColonna);

} // namespace mavo
