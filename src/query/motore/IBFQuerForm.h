#pragma once

#include "dataset/Field.h"
#include "query/motore/CostruttoreSql.h"

#include <QHash>
#include <QStringList>
#include <functional>

namespace mavo {

class Interazione;
class Risposta;
namespace db {
class Database;
}

// The query engine: turns a definition into one statement, writes it into
// the answer and opens it, computes running sums and integer parts, tells a
// field's type. One per query form, kept for its whole life. (The tool named
// it after the helper form it lived in; its window, which shows the statement
// for copying, belongs to the form.)
class TIBFQuerForm {
public:
    struct Impostazioni {
        int Utente = 0;
        QString TabellaPrincipale = {};
        QString DirectoryLavoro = {};
        QString DirectoryBin = {};
        QString Ditta = {};
        int Livello = 0; // 0: the main query; n: the n-th chained query
        // The stored answers of its chain: root + user + level.
        QString RadiceRisposte = QStringLiteral("RSUCC");
    };

    TIBFQuerForm(Interazione& port, db::Database& database, Impostazioni impostazioni);

    // Clipboard mode: the statement goes to MemoPerClipboard (apostrophes
    // doubled, for pasting into a quoted string) and the answer stays closed.
    bool CopiaSql = false;
    QStringList MemoPerClipboard;
    // The answer carries an ORDER BY written by the ordering.
    bool Ordinato = false;
    // Run before every statement is built (the linked stored queries the
    // definition joins made ready); false stops the run, the user told.
    std::function<bool(const Definizione&)> TestQueryCollegate;

    Impostazioni& impostazioni() { return impostazioni_; }
    const Impostazioni& impostazioni() const { return impostazioni_; }

    // Builds the statement of the definition into the answer and opens it:
    // with `unione` each side-by-side member is a statement of its own,
    // joined by UNION. False, after telling the user, when it cannot be built
    // or opened; the answer then stays closed.
    bool EseguiInterrogazione(const Definizione& definizione, Risposta& risposta,
                              const QString& tabellaExtra, bool unione);
    // The statement of the rows from `primo` to `ultimo`, opened unless in
    // clipboard mode; false as above.
    bool Interroga(int primo, int ultimo, const Definizione& definizione, Risposta& risposta);

    // The type code of a field named as in the definition (0: not found):
    // of the main table, of a linked table ("L.FIELD", by its header), or at a
    // chained level of the answer stored for the level below.
    int DeterminaTipoCampo(const QString& nome, const Definizione& definizione);
    InfoCampo Campo(const QString& nome, const Definizione& definizione);

    // The table a query reads: the main table, or at a chained level the
    // answer stored for the level below.
    QString TabellaSorgente() const;

    // One shown row per field of that table, in field order, without
    // conditions. A table that cannot be read raises DatabaseError.
    Definizione DefinizioneIniziale();

private:
    // Builds, opens, and on failure tells the user and leaves the answer closed.
    bool costruisci(Risposta& risposta, const std::function<IstruzioneQuery()>& costruzione);
    IstruzioneQuery istruzione(int primo, int ultimo, const Definizione& definizione);
    void apri(Risposta& risposta, const QStringList& sql,
              const QVector<ColonnaCalcolata>& calcolate);
    const QHash<QString, InfoCampo>& campiDi(const QString& tabella);
    QVector<FieldDef> descriviTabella(const QString& tabella);

    Interazione& port_;
    db::Database& database_;
    Impostazioni impostazioni_;
    // Field types read once per table and run.
    QHash<QString, QHash<QString, InfoCampo>> tipi_;
};

// The table the answer of chain level `livello` is stored in, for the level
// after it to read: "RSUCC" (or another root) + user on two digits + level on
// two digits.
QString NomeTabellaRisposta(int utente, int livello,
                            const QString& radice = QStringLiteral("RSUCC"));

} // namespace mavo
