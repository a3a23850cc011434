#pragma once

#include "dataset/IbQuery.h"
#include "db/Transaction.h"
#include "query/risposta/CodiciVisualizzazione.h"

#include <QObject>
#include <functional>
#include <memory>

namespace mavo {

class LocalTable;
class LocalTableDataset;

// The answer of a query (the tool's TabRispTmp): the database query whose SQL
// the engine writes, read in a read-only transaction of the tool's own
// connection, so that nothing a condition says can change the data; or,
// after running sums or integer parts, the local table computed from it.
// Dati() is what the grid, the export, the printing and the charts read,
// whichever it is. The display codes go with it, one per field.
class Risposta : public QObject {
    Q_OBJECT
public:
    explicit Risposta(db::Database& database, QObject* parent = nullptr);
    ~Risposta() override;

    db::Database& Database() const { return database_; }
    // The read-only transaction the answer is read in.
    db::Transaction& Lettura() { return lettura_; }
    IbQuery& Query() { return query_; }
    Dataset& Dati();
    bool Calcolata() const { return calcolata_ != nullptr; }
    CodiciVisualizzazione& Codici() { return codici_; }

    // Opens the query with its SQL (a computed table is let go first); the
    // display codes follow its fields.
    void Apri();
    void Chiudi();
    // Closed, and no statement left prepared on the tables it read.
    void Rilascia();
    bool Aperta();

    // The computed table (open) takes the place of the query's rows.
    void MostraTabella(LocalTable tabella);

    // Every row of the open answer from the first, in its order, read once
    // more and forward only: however long the answer, no row stays in memory.
    // Values by field position, as Dati() has them.
    void Scorri(const std::function<void(const QVariantList& riga)>& perRiga);

Q_SIGNALS:
    // Dati() is another dataset now (the query or a computed table).
    void datiCambiati();

private:
    db::Database& database_;
    db::Transaction lettura_;
    IbQuery query_;
    std::unique_ptr<LocalTableDataset> calcolata_;
    CodiciVisualizzazione codici_;
};

} // namespace mavo
