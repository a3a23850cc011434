#include "netprices/LetturaAnticipata.h"

#include "netprices/FileFornitore.h"

#include <utility>

namespace mavo {

namespace {

// A lot is one block of rows for the engine, or fewer when lines that are no
// net prices run on, so that the bar keeps moving.
constexpr qint64 LineeLotto = 1000;
constexpr std::size_t LottiAnticipo = 8;

} // namespace

LetturaAnticipata::LetturaAnticipata(FileFornitore& file)
    : coda_(LottiAnticipo, [&file](const CodaProduttore<Lotto>::Consegna& consegna) {
          Lotto lotto;
          qint64 inizioLotto = 0;
          file.LeggiRighe([&](QStringView testo) {
              ++lotto.linee;
              if (auto riga = AcquisizioneRighe::Valuta(testo, lotto.linee + 1))
                  lotto.righe.push_back(std::move(*riga));
              if (lotto.righe.size() == AcquisizioneRighe::RigheBlocco ||
                  lotto.linee - inizioLotto == LineeLotto) {
                  inizioLotto = lotto.linee;
                  consegna(std::exchange(lotto, Lotto{.linee = lotto.linee, .righe = {}}));
              }
          });
          if (lotto.linee > inizioLotto)
              consegna(std::move(lotto));
      }) {}

} // namespace mavo
