#pragma once

#include "netprices/AcquisizioneRighe.h"
#include "platform/CodaProduttore.h"

#include <optional>
#include <vector>

namespace mavo {

class FileFornitore;

// The lines of a supplier file read and judged on a thread of their own, a
// few blocks ahead of the rows being staged, so that the file and the engine
// work at the same time. A read failure comes out of Prossimo() after the
// lines read before it.
class LetturaAnticipata {
public:
    struct Lotto {
        qint64 linee = 0; // lines after the header read up to the end of this lot
        std::vector<AcquisizioneRighe::Riga> righe;
    };

    explicit LetturaAnticipata(FileFornitore& file);

    // The next lot in file order; none after the last line.
    std::optional<Lotto> Prossimo() { return coda_.Prossimo(); }

private:
    CodaProduttore<Lotto> coda_;
};

} // namespace mavo
