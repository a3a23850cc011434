#include "netprices/AggiornamentoRighe.h"

#include "db/DatabaseError.h"
#include "netprices/Catalogo.h"
#include "netprices/DestinazioneNetti.h"
#include "platform/Interazione.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace mavo {

namespace {

// Rows per call of the engine; a row takes three of the 256 contexts a
// statement may have (the lookup, the old and the new row of the update).
constexpr int RigheBlocco = 80;
// Found rows kept for one pass in ID order: memory stays flat however many
// codes are staged, the bar moves with the updates, and a page is still
// written about once per pass.
constexpr std::size_t RigheInOrdine = 20000;

// The old list price counts as changed when, in single precision, it differs
// from the new one by more than a ten-thousandth of the smaller of the two.
bool prezzoCambiato(double vecchio, double nuovo) {
    const double a = static_cast<float>(vecchio);
    const double b = static_cast<float>(nuovo);
    return std::fabs(a - b) > std::min(std::fabs(a), std::fabs(b)) * 0.0001;
}

std::vector<int> inOrdine(std::size_t righe) {
    std::vector<int> ordine(righe);
    std::iota(ordine.begin(), ordine.end(), 0);
    return ordine;
}

} // namespace

AggiornamentoRighe::AggiornamentoRighe(db::Database& archivio, db::Transaction& scrittura,
                                       const DestinazioneNetti& destinazione, Interazione& port)
    : port_(port), ricerca_(&archivio, &scrittura), aggiornamento_(&archivio, &scrittura),
      cercaBlocco_(&archivio, &scrittura, RigheBlocco, blocco(destinazione, false)),
      aggiornaBlocco_(&archivio, &scrittura, RigheBlocco, blocco(destinazione, true)),
      perId_(SenzaTrigger(archivio, destinazione.tabella)) {
    attesa_.reserve(RigheBlocco);
}

// For each row the lookup, first row only, then, with `conAggiornamento`,
// the update of that row: the same statements as one row at a time. A row
// of nulls finds nothing.
db::RowBlock::Definition AggiornamentoRighe::blocco(const DestinazioneNetti& destinazione,
                                                    bool conAggiornamento) {
    if (!ricerca_.prepared()) {
        ricerca_.setSql(destinazione.IstruzioneRicerca());
        ricerca_.prepare();
        aggiornamento_.setSql(destinazione.IstruzioneAggiornamento());
        aggiornamento_.prepare();
    }
    QStringList corpo{"TROVATO# = 0;", "FOR"};
    corpo << db::RowBlock::perRow(destinazione.IstruzioneRicerca()) << "INTO :ID#, :VECCHIO#"
          << "DO"
          << "BEGIN"
          << "  TROVATO# = 1;"
          << "  LEAVE;"
          << "END";
    if (conAggiornamento) {
        corpo << "IF (TROVATO# = 1) THEN"
              << db::RowBlock::perRow(destinazione.IstruzioneAggiornamento());
        corpo.last() += ';';
    }
    return {.inputs = {{"CODICE#", ricerca_.paramType("CODICE")},
                       {"PREZZO#", aggiornamento_.paramType("PREZZO")}},
            .outputs = {{"TROVATO#", "SMALLINT"},
                        {"ID#", aggiornamento_.paramType("ID")},
                        {"VECCHIO#", ricerca_.columnType(1)}},
            .body = corpo};
}

void AggiornamentoRighe::Aggiungi(const QString& codice, double prezzo) {
    Netto netto;
    netto.codice = codice;
    netto.prezzo = prezzo;
    attesa_.push_back(std::move(netto));
    if (attesa_.size() == RigheBlocco)
        elabora();
}

void AggiornamentoRighe::Completa() {
    elabora();
    if (perId_)
        aggiornaTrovate();
}

// The rows found so far, updated in the order of their IDs and reported in
// the order of their codes; two codes of one target row keep theirs.
void AggiornamentoRighe::aggiornaTrovate() {
    std::vector<int> ordine = inOrdine(trovate_.size());
    std::stable_sort(ordine.begin(), ordine.end(),
                     [&](int a, int b) { return trovate_[a].id < trovate_[b].id; });
    aggiornaERiporta(trovate_, ordine);
    trovate_.clear();
}

// The rows read so far: updated at once, or looked up and kept for the
// updates in ID order at the end.
void AggiornamentoRighe::elabora() {
    if (!perId_) {
        aggiornaERiporta(attesa_, inOrdine(attesa_.size()));
        attesa_.clear();
        return;
    }
    const auto conserva = [&] {
        for (Netto& netto : attesa_)
            if (netto.trovato)
                trovate_.push_back(std::move(netto));
        attesa_.clear();
    };
    try {
        cerca(attesa_);
    } catch (const db::DatabaseError&) {
        // The rows before the failing lookup are updated and reported, as
        // one at a time would have done before failing there.
        conserva();
        aggiornaTrovate();
        throw;
    }
    conserva();
    if (trovate_.size() >= RigheInOrdine)
        aggiornaTrovate();
}

void AggiornamentoRighe::cerca(Righe& righe) {
    const std::vector<int> ordine = inOrdine(righe.size());
    for (std::size_t inizio = 0; inizio < ordine.size(); inizio += RigheBlocco) {
        const auto parte = std::span(ordine).subspan(
            inizio, std::min<std::size_t>(RigheBlocco, ordine.size() - inizio));
        if (!inBlocco(cercaBlocco_, righe, parte))
            for (int r : parte)
                unaAllaVolta(righe[r], false);
    }
}

// A failure on the way still reports the rows done before it.
void AggiornamentoRighe::aggiornaERiporta(Righe& righe, const std::vector<int>& ordine) {
    try {
        aggiorna(righe, ordine);
    } catch (const db::DatabaseError&) {
        riporta(righe);
        throw;
    }
    riporta(righe);
}

void AggiornamentoRighe::aggiorna(Righe& righe, const std::vector<int>& ordine) {
    for (std::size_t inizio = 0; inizio < ordine.size(); inizio += RigheBlocco) {
        const auto parte = std::span(ordine).subspan(
            inizio, std::min<std::size_t>(RigheBlocco, ordine.size() - inizio));
        if (inBlocco(aggiornaBlocco_, righe, parte)) {
            for (int r : parte)
                righe[r].fatta = true;
            continue;
        }
        // Nothing of the block stays: one row at a time, a failing update
        // is reported with its own message and the others go through.
        for (int r : parte)
            unaAllaVolta(righe[r], true);
    }
}

// False when the block failed: then it left nothing behind.
bool AggiornamentoRighe::inBlocco(db::RowBlock& blocco, Righe& righe, std::span<const int> parte) {
    for (int r = 0; r < RigheBlocco; ++r) {
        const Netto* netto = r < int(parte.size()) ? &righe[parte[r]] : nullptr;
        blocco.setParam(r, 0, netto ? QVariant(netto->codice) : QVariant());
        blocco.setParam(r, 1, netto ? QVariant(netto->prezzo) : QVariant());
    }
    try {
        blocco.execute();
    } catch (const db::DatabaseError&) {
        return false;
    }
    for (int r = 0; r < int(parte.size()); ++r) {
        Netto& netto = righe[parte[r]];
        netto.trovato = blocco.value(r, 0).toInt() == 1;
        netto.id = blocco.value(r, 1).toLongLong();
        netto.vecchio = blocco.value(r, 2).toDouble(); // NULL reads 0
    }
    return true;
}

void AggiornamentoRighe::unaAllaVolta(Netto& netto, bool conAggiornamento) {
    ricerca_.close();
    ricerca_.setParam("CODICE", netto.codice);
    ricerca_.execute();
    netto.trovato = ricerca_.fetch();
    if (netto.trovato) {
        netto.id = ricerca_.value(0).toLongLong();
        netto.vecchio = ricerca_.value(1).toDouble(); // NULL reads 0
    }
    ricerca_.close();
    if (!conAggiornamento)
        return;
    if (netto.trovato) {
        aggiornamento_.setParam("PREZZO", netto.prezzo);
        aggiornamento_.setParam("ID", netto.id);
        try {
            aggiornamento_.execute();
        } catch (const db::DatabaseError& e) {
            netto.errore = e.message();
        }
    }
    netto.fatta = true;
}

// In the order of the staged codes, up to the first row not done.
void AggiornamentoRighe::riporta(const Righe& righe) {
    for (const Netto& netto : righe) {
        if (!netto.fatta)
            return;
        if (!netto.trovato)
            continue;
        if (!netto.errore.isEmpty()) {
            port_.AggiungiRiepilogo("Errore durante l'aggiornamento del codice \"" + netto.codice +
                                    '"');
            port_.AggiungiRiepilogo(netto.errore);
            continue;
        }
        ++aggiornate_;
        if (prezzoCambiato(netto.vecchio, netto.prezzo))
            ++cambiate_;
    }
}

} // namespace mavo
