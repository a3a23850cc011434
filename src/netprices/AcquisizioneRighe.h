#pragma once

#include "db/Statement.h"

#include <QStringView>

namespace mavo {

class Interazione;

// The checks a row of the supplier file goes through before it is staged in
// MANUTENZIONENETTI. A row that fails one is reported as a summary line and
// left out; only unexpected failures (the duplicate check) are thrown.
class AcquisizioneRighe {
public:
    // Prepares the insert and the duplicate check, once for the whole file.
    AcquisizioneRighe(db::Database& database, db::Transaction& transazione, Interazione& port);

    // `numero` is the line's number in the file (the header is line 1).
    void Acquisisci(QStringView riga, qint64 numero);
    qint64 Acquisite() const { return acquisite_; }

private:
    bool giaAcquisito(const QString& codice);
    void scarta(qint64 numero, const QString& motivo);

    Interazione& port_;
    db::Statement inserimento_;
    db::Statement controllo_;
    qint64 acquisite_ = 0;
};

} // namespace mavo
