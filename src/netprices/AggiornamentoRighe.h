#pragma once

#include "db/RowBlock.h"
#include "db/Statement.h"

#include <QString>
#include <span>
#include <vector>

namespace mavo {

class Interazione;
struct DestinazioneNetti;

// The lookup and the update of each staged net price in the target, many
// rows per call of the engine. A target without triggers has its rows
// updated in the order of their IDs, the order they lie in on disk, some
// thousands at a time, so that each page is written about once per pass and
// not once per row; as an update does nothing else, no one can tell the
// order. Each row is looked up again right before its update, so that a
// target row two codes match (under a collation that ignores case) reads the
// price the first one wrote, as one at a time. The summary lines keep the
// order of the codes.
class AggiornamentoRighe {
public:
    // Prepares the lookup and the update in the target's transaction.
    AggiornamentoRighe(db::Database& archivio, db::Transaction& scrittura,
                       const DestinazioneNetti& destinazione, Interazione& port);

    // The staged rows, in their order.
    void Aggiungi(const QString& codice, double prezzo);
    // Updates and reports what is still waiting; after the last row.
    void Completa();
    qint64 Aggiornate() const { return aggiornate_; }
    qint64 Cambiate() const { return cambiate_; }

private:
    struct Netto {
        QString codice;
        double prezzo = 0;
        bool trovato = false; // a target row has the code
        qint64 id = 0;        // the first such row
        double vecchio = 0;   // its list price before the update
        bool fatta = false;   // looked up and, when found, updated
        QString errore;       // why the update failed
    };
    using Righe = std::vector<Netto>;

    db::RowBlock::Definition blocco(const DestinazioneNetti& destinazione, bool conAggiornamento);
    void elabora();
    void aggiornaTrovate();
    void cerca(Righe& righe);
    void aggiornaERiporta(Righe& righe, const std::vector<int>& ordine);
    void aggiorna(Righe& righe, const std::vector<int>& ordine);
    bool inBlocco(db::RowBlock& blocco, Righe& righe, std::span<const int> parte);
    void unaAllaVolta(Netto& netto, bool conAggiornamento);
    void riporta(const Righe& righe);

    Interazione& port_;
    db::Statement ricerca_;
    db::Statement aggiornamento_;
    db::RowBlock cercaBlocco_;
    db::RowBlock aggiornaBlocco_;
    bool perId_;
    Righe attesa_;  // read, not yet looked up
    Righe trovate_; // found, waiting for the update in ID order
    qint64 aggiornate_ = 0;
    qint64 cambiate_ = 0;
};

} // namespace mavo
