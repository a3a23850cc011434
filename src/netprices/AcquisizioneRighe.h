#pragma once

#include "db/RowBlock.h"
#include "db/Statement.h"

#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

namespace mavo {

class Interazione;

// The checks a row of the supplier file goes through before it is staged in
// MANUTENZIONENETTI. A row that fails one is reported as a summary line and
// left out; only unexpected failures (the duplicate check) are thrown.
// Rows wait to be checked and staged many at a time, in one call of the
// engine; their summary lines are written then, in file order.
class AcquisizioneRighe {
public:
    // A row as far as it can be judged without the staging table.
    struct Riga {
        qint64 numero = 0;
        QString codice; // as read; empty for a row already judged
        QString codiceSalvato;
        QString descrizione;
        std::optional<double> prezzo; // none: the row is not staged
        QStringList riepilogo;        // the lines for it unless it is a repetition
    };

    // Prepares the insert and the duplicate check, once for the whole file.
    AcquisizioneRighe(db::Database& database, db::Transaction& transazione, Interazione& port);

    // A line of the file, `numero` its number (the header is line 1); none
    // for a line that is no net price. Touches nothing but the line, so it
    // may run on any thread.
    static std::optional<Riga> Valuta(QStringView riga, qint64 numero);
    // Rows are staged in file order.
    void Acquisisci(Riga riga);
    // Checks and stages the rows still waiting; after the last line.
    void Completa();
    qint64 Acquisite() const { return acquisite_; }

    // Rows checked and staged in one call of the engine. A row takes up to
    // five of the 256 contexts a statement may have (the insert, the check
    // and its count twice).
    static constexpr int RigheBlocco = 50;

private:
    db::RowBlock::Definition preparaIstruzioni(db::Database& database);
    void riportaRipetizione(const Riga& riga);
    void unaAllaVolta(const Riga& riga);
    bool giaAcquisito(const QString& codice);
    void inserisci(const Riga& riga);

    Interazione& port_;
    db::Statement inserimento_;
    db::Statement controllo_;
    db::RowBlock blocco_;
    std::vector<Riga> attesa_;
    qint64 acquisite_ = 0;
};

} // namespace mavo
