#pragma once

namespace mavo {

class Dataset;
class IbTable;

// The support table a grid over an in-memory dataset hands to the query tool
// (its TabellaAppoggio): its rows are replaced by the records the dataset
// shows, from the first, each field copied into the column at the same
// place of the definition, as the value it is (a number stays a number).
// All in one transaction of its own: a failure leaves the table as it was
// and is thrown. The table is left open.
void RiempiTabellaAppoggio(const Dataset& sorgente, IbTable& appoggio);

} // namespace mavo
