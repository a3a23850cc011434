#pragma once

#include "query/form/CondizioniGuidate.h"
#include "query/form/ElabAvanzate.h"
#include "query/motore/Definizione.h"

#include <QFont>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace mavo {

class CodiciVisualizzazione;
struct ContestoEsportazione;
class Dataset;
class Interazione;
class Risposta;
namespace db {
class Database;
}

struct SceltaFormula {
    QString formula;
    QString nomeRisposta;
};
struct SceltaSomma {
    QString campo;
    QString nomeRisposta;
};

// What the query form asks its dialogs, as plain functions returning the
// user's choices (none: cancelled): the real dialogs by default, a script
// where the form runs without a user. Those that tell the user something
// (a wrong input) do it through the port they are given.
struct DialoghiQuery {
    // F10: a value, or a date (dd/mm/yyyy) for a date field.
    std::function<std::optional<QString>(QWidget* owner, bool data)> Valore;
    // The engine's window with the statement to copy: true on Ok.
    std::function<bool(QWidget* owner, const QStringList& sql)> TestoSql;
    // The answer grid's font.
    std::function<std::optional<QFont>(QWidget* owner, const QFont& attuale)> Carattere;
    // F6: the two ends of a range, values or dates.
    std::function<std::optional<ValoriRange>(QWidget* owner, Interazione& port, bool date)> Range;
    // F7: a formula over the fields `nomi`, starting from `corrente`.
    std::function<std::optional<SceltaFormula>(QWidget* owner, Interazione& port,
                                               const QStringList& nomi, const QString& corrente)>
        Formule;
    // F8: the year or month column of one of the date fields, as a condition.
    std::function<std::optional<QString>(QWidget* owner, Interazione& port,
                                         const QStringList& campiData)>
        AnniMesi;
    // F9: the condition edited in a larger box.
    std::function<std::optional<QString>(QWidget* owner, const QString& condizione)>
        EditorCondizione;
    // The popup's grouped sum: a numeric field of the table and its name.
    std::function<std::optional<SceltaSomma>(QWidget* owner, const QString& tabella,
                                             db::Database& database)>
        SommaRaggruppata;
    // "&Ord./Tot.": rewrites the answer's display codes; true when confirmed.
    std::function<bool(QWidget* owner, Interazione& port, Dataset& risposta,
                       CodiciVisualizzazione& codici, const QString& ditta, const QFont& font)>
        OrdineETotali;
    // "So&mma": sums of the answer's columns, told as the user asks.
    std::function<void(QWidget* owner, Interazione& port, Dataset& risposta, const QString& ditta,
                       const QString& directoryBin, const QString& directoryLavoro,
                       const QFont& font)>
        Somma;
    // "&Grafico": the chart dialog over the answer (font taken from `owner`).
    std::function<void(QWidget* owner, Interazione& port, const QString& ditta,
                       const QString& directoryBin, const QString& directoryLavoro,
                       Risposta& risposta)>
        Grafici;
    // "&Esporta": the options dialog, then the export of the answer.
    std::function<void(QWidget* owner, Interazione& port, Risposta& risposta,
                       const ContestoEsportazione& contesto)>
        Esporta;
    // "&Aggiungi tabella": a linked table's rows appended to the definition;
    // true when they were.
    std::function<bool(QWidget* owner, Interazione& port, db::Database& database,
                       const QString& ditta, const QString& prefisso, Definizione& definizione)>
        AggiungiTabella;
    // "E&limina tabella ": one of the linked tables' headers; empty when cancelled.
    std::function<QString(QWidget* owner, const QStringList& tabelle)> EliminaTabella;
    // "&Campi visibili": the definition rebuilt with the fields the user
    // chose for each table of the query; true when it was.
    std::function<bool(QWidget* owner, Interazione& port, db::Database& database,
                       const QString& ditta, const QString& tabellaPrincipale,
                       const QString& prefisso, Definizione& definizione)>
        CampiVisibili;
    // "Elab. a&vanzate": the word of the operation chosen (empty: none);
    // only those in `disponibili` can be chosen.
    std::function<QString(QWidget* owner, Interazione& port, const StatoElaborazioni& stato,
                          const QString& ditta, const QSet<QString>& disponibili)>
        ElabAvanzate;
    // "&Blocca Query": the lock row of `righe` and `bloccata` changed as the
    // user asks; true when confirmed.
    std::function<bool(QWidget* owner, Interazione& port, bool& bloccata, const QString& ditta,
                       Definizione& righe)>
        Blocco;
};

DialoghiQuery DialoghiPredefiniti();

} // namespace mavo
