#include "platform/CodaProduttore.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using namespace mavo;

namespace {

using Coda = CodaProduttore<int>;

// Takes every item, in order, until the end or an error.
std::vector<int> tutti(Coda& coda) {
    std::vector<int> presi;
    while (std::optional<int> n = coda.Prossimo())
        presi.push_back(*n);
    return presi;
}

} // namespace

TEST(CodaProduttore, ItemsArriveInOrderAndTheProducerStaysAtMostTheLeadAhead) {
    constexpr int Quanti = 2000;
    constexpr std::size_t Anticipo = 3;
    std::atomic<int> prodotti = 0;
    Coda coda(Anticipo, [&](const Coda::Consegna& consegna) {
        for (int i = 0; i < Quanti; ++i) {
            consegna(i);
            ++prodotti;
        }
    });
    std::vector<int> presi;
    int massimoAnticipo = 0;
    while (std::optional<int> n = coda.Prossimo()) {
        presi.push_back(*n);
        massimoAnticipo = std::max(massimoAnticipo, prodotti.load() - int(presi.size()));
    }
    ASSERT_EQ(presi.size(), std::size_t(Quanti));
    for (int i = 0; i < Quanti; ++i)
        ASSERT_EQ(presi[i], i);
    // Delivered items not yet taken, plus the one waiting to be delivered.
    EXPECT_LE(massimoAnticipo, int(Anticipo) + 1);
}

TEST(CodaProduttore, AnErrorComesOutAfterTheItemsBeforeItAndOnlyOnce) {
    Coda coda(2, [](const Coda::Consegna& consegna) {
        for (int i = 1; i <= 5; ++i)
            consegna(i);
        throw std::runtime_error("Errore di lettura del file");
    });
    std::vector<int> presi;
    EXPECT_THROW(
        {
            while (std::optional<int> n = coda.Prossimo())
                presi.push_back(*n);
        },
        std::runtime_error);
    EXPECT_EQ(presi, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(coda.Prossimo().has_value());
}

TEST(CodaProduttore, AConsumerGivingUpStopsAProducerThatWouldNeverEnd) {
    std::atomic<int> consegnati = 0;
    {
        Coda coda(4, [&](const Coda::Consegna& consegna) {
            for (int i = 0;; ++i) {
                consegna(i);
                ++consegnati;
            }
        });
        EXPECT_EQ(coda.Prossimo(), 0);
        EXPECT_EQ(coda.Prossimo(), 1);
    } // returns only once the producer has stopped
    EXPECT_LE(consegnati.load(), 2 + 4);
}

TEST(CodaProduttore, AProducerWithNothingEndsTheQueueAtOnce) {
    Coda coda(1, [](const Coda::Consegna&) {});
    EXPECT_TRUE(tutti(coda).empty());
}
