#pragma once

#include "ArchiviNetti.h"

#include "netprices/DestinazioneNetti.h"

#include <QMap>
#include <QVariant>
#include <array>
#include <memory>

namespace mavo::test {

struct Bersaglio {
    const char* caso;
    const DestinazioneNetti& d;
    bool suListino; // LISTINO of the price-list archive, else ANAMAG of the company archive
};
void PrintTo(const Bersaglio& bersaglio, std::ostream* os);
const Bersaglio BersaglioListone{"Listone", DestinazioneNetti::Listone(), true};
const Bersaglio BersaglioAnagrafica{"Anagrafica", DestinazioneNetti::AnagraficaMagazzino(), false};

// List, purchase, net plus charges, sale price and markup of one target row.
using Prezzi = std::array<double, 5>;

// The statements' texts are checked line by line elsewhere; here the target's
// column names only serve to set rows up and read them back.
class BersaglioTest : public ArchiviNetti, public ::testing::WithParamInterface<Bersaglio> {
protected:
    const DestinazioneNetti& d() const { return GetParam().d; }
    TestDb& archivio() { return GetParam().suListino ? listino : ditta; }

    // A row with purchase 1, net plus charges 2 and markup 50; `estensione`
    // counts only for ANAMAG.
    void articolo(int id, const QString& fornitore, const QString& codice,
                  const QVariant& prezzoListino, double vendita = 100,
                  const QString& estensione = "3");
    Prezzi prezzi(int id);
    QMap<int, double> vendite(); // sale price by ID
    // Updates of the row with this ID fail (a trigger).
    void rifiutaAggiornamento(int id);
    // Another user's open transaction holding the row with this ID.
    std::unique_ptr<db::Transaction> blocca(int id);
};

} // namespace mavo::test
