#include "query/catena/Affiancate.h"

namespace mavo {

namespace {

const QString Unione = QStringLiteral("UNION");

bool marcatoreSuccessiva(const RigaDefinizione& riga) {
    return riga.Mostra == mostra::MarcatoreCatena && riga.Nome == u"QUERY SUCCESSIVA";
}

void rinumera(Definizione& righe) {
    int numero = righe.isEmpty() ? 1 : righe.first().Numero;
    for (RigaDefinizione& riga : righe)
        riga.Numero = numero++;
}

} // namespace

bool ParolaAffiancamento(const QString& condizione) {
    return condizione == u"AFFIANCA CON BUCHI" || condizione == u"AFFIANCA SENZA BUCHI" ||
           condizione == u"APPENDI";
}

bool AggiungiUnioneQuery(Definizione& righe, const QString& tabella) {
    if (std::none_of(righe.begin(), righe.end(),
                     [](const RigaDefinizione& r) { return r.Mostra == mostra::Mostrato; }))
        return false;
    const Definizione copia = righe;
    // A successor's marker belongs to the whole query: it stays last.
    std::optional<RigaDefinizione> successiva;
    if (!righe.isEmpty() && marcatoreSuccessiva(righe.last())) {
        successiva = righe.last();
        righe.removeLast();
    }
    for (RigaDefinizione& riga : righe) {
        if (riga.Mostra == mostra::Mostrato)
            riga.Mostra = mostra::Congelato;
        if (riga.Mostra == mostra::Marcatore)
            break;
    }
    int numero = righe.isEmpty() ? 1 : righe.last().Numero + 1;
    righe.append({numero++, tabella, mostra::TestataLeft, Unione});
    for (const RigaDefinizione& riga : copia) {
        if (riga.Mostra == mostra::MarcatoreCatena)
            continue; // the chain's markers are the query's, not a member's
        if (riga.Mostra == mostra::Marcatore) {
            righe.append({numero++, riga.Nome, riga.Mostra, Unione});
            break;
        }
        // The new member's fields are its own to change, even when the copy
        // is of a member already frozen; a linked table's header is copied
        // whole, so that the member joins its tables as the first one does.
        const int codice = riga.Mostra == mostra::Congelato ? mostra::Mostrato : riga.Mostra;
        righe.append({numero++, riga.Nome, codice, riga.Condizione});
    }
    if (successiva) {
        successiva->Numero = numero;
        righe.append(*successiva);
    }
    return true;
}

bool EliminaUltimaQueryAffiancata(Definizione& righe) {
    std::optional<RigaDefinizione> successiva;
    if (!righe.isEmpty() && marcatoreSuccessiva(righe.last())) {
        successiva = righe.last();
        righe.removeLast();
    }
    const auto marcatore = [](const RigaDefinizione& r) { return r.Mostra == mostra::Marcatore; };
    // The last member's closing row, then its rows back to the row closing
    // the member before it.
    const auto ultimo = std::find_if(righe.rbegin(), righe.rend(), marcatore);
    if (ultimo != righe.rend())
        righe.erase(std::next(ultimo).base());
    while (!righe.isEmpty() && !marcatore(righe.last()))
        righe.removeLast();
    // The lock row is the first member's, the first row of its kind; every
    // later one closes a member ("UNION" or a joining word).
    const auto primo = std::find_if(righe.begin(), righe.end(), marcatore);
    const bool restano = primo != righe.end() && std::next(primo) != righe.end();
    if (!restano)
        for (RigaDefinizione& riga : righe)
            if (riga.Mostra == mostra::Congelato)
                riga.Mostra = mostra::Mostrato;
    if (successiva) {
        righe.append(*successiva);
        rinumera(righe);
    }
    return restano;
}

} // namespace mavo
