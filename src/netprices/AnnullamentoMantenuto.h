#pragma once

#include "db/Transaction.h"

namespace mavo {

// The clean-up of the operations on the shared transaction IBTransaction1:
// whatever was not committed is rolled back on the way out, keeping the
// transaction open for the preview. After a commit it discards nothing.
class AnnullamentoMantenuto {
public:
    explicit AnnullamentoMantenuto(db::Transaction& transazione) : transazione_(transazione) {}
    ~AnnullamentoMantenuto() {
        try {
            if (transazione_.active())
                transazione_.rollbackRetaining();
        } catch (...) {
            // A rollback that fails leaves nothing committed either; the
            // error on the way here is the one to report.
        }
    }
    AnnullamentoMantenuto(const AnnullamentoMantenuto&) = delete;
    AnnullamentoMantenuto& operator=(const AnnullamentoMantenuto&) = delete;

private:
    db::Transaction& transazione_;
};

} // namespace mavo
