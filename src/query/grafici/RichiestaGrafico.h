#pragma once

#include "query/grafici/SceltaGrafico.h"
#include "query/grafici/TabellaGrafico.h"

#include <optional>
#include <variant>

namespace mavo {

class Dataset;

// A chart asked for without the dialog (the command-line tool): the dialog's
// choices by name.
struct RichiestaGrafico {
    ImpostazioniGrafico Impostazioni = {};
    QString Tipo = {};      // a caption of the chart-type group in use
    bool Verticale = false; // "Orientamento": "Verticale", else "Orizzontale"
    QString Titolo = {};
    std::optional<QString> AsseX = {}; // not given: the x column's name, as the dialog proposes
    std::optional<QString> AsseY = {}; // not given: the value column's name
    QString AsseZ = {};
};

// What the request draws, or the message that says what is wrong with it:
// the dialog's messages where it has one, and which columns or types would do.
struct GraficoRichiesto {
    SceltaGrafico Scelta;
    Didascalie Testi;
};
std::variant<GraficoRichiesto, QString> VerificaRichiesta(const Dataset& risposta,
                                                          const RichiestaGrafico& richiesta);

} // namespace mavo
