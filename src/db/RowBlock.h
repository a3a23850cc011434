#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace mavo::db {

class Database;
class Transaction;
class Statement;

// The same few PSQL statements for many rows in one EXECUTE BLOCK, so that a
// row costs the engine its statements and not a call of its own. In the
// names and the body '#' stands for the row: "CODICE#" is CODICE_1,
// CODICE_2, ... Prepared once for a fixed number of rows: a run with fewer
// fills the rest with rows of nulls, which the body must let pass.
class RowBlock {
public:
    struct Variable {
        QString name; // with '#'
        QString type; // as PSQL declares it, e.g. Statement::paramType()
    };
    struct Definition {            // at least one input and one output
        QVector<Variable> inputs;  // set row by row before each run
        QVector<Variable> outputs; // read row by row after it
        QStringList body;          // the statements of row '#'
    };

    RowBlock(Database* database, Transaction* transaction, int rows, Definition definition);
    ~RowBlock();
    RowBlock(const RowBlock&) = delete;
    RowBlock& operator=(const RowBlock&) = delete;

    // A statement's lines for a body, its parameters renamed NAME#.
    static QStringList perRow(const QStringList& lines);

    // Inputs keep their values from one run to the next.
    void setParam(int row, int input, const QVariant& value);
    // When the run fails, nothing it did stays.
    void execute();
    QVariant value(int row, int output) const;

private:
    QStringList text() const;

    int rows_;
    Definition definition_;
    std::unique_ptr<Statement> block_;
    QVector<QVariant> values_; // outputs of the last run, row after row
};

} // namespace mavo::db
