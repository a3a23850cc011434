#pragma once

#include "query/stampa/CampiStampa.h"

#include <QStringList>
#include <functional>

namespace mavo {

// The text lines of the simple reports: "|" then, for each visible field,
// its value padded to the column's width and "|", never longer than 137
// characters (columns that do not fit are left out with their "|").
class RigheTesto {
public:
    // `memoEstesi`: memo and blob fields are wrapped over as many lines as
    // their text needs, instead of being cut to one.
    RigheTesto(const SorgenteStampa& sorgente, bool memoEstesi);

    // The column width of a field: the larger of its display width and its
    // title's length (the one-record table's values: the longest value).
    int Larghezza(const CampoStampa& campo) const;

    // The six header texts: title, notes, empty, column titles, rule, empty.
    QStringList Testate(const QString& titolo, const QString& note) const;
    QString RigaTitoli() const;

    // Every row's lines, then (when a visible field has totals) the rule and
    // the totals line, each handed to `riga`. Reads the rows once; `avanzamento`
    // gets the rows done so far.
    void Genera(const std::function<void(const QString&)>& riga,
                const std::function<void(qint64)>& avanzamento = {});

    bool TotaliVoluti() const;

private:
    // Appends a piece to the line as the 137-character rule allows.
    static void aggiungi(QString& linea, const QString& pezzo);
    QString pezzo(const CampoStampa& campo, const QVariant& valore, int& righeMemo) const;
    QString totale(const CampoStampa& campo, long double somma) const;

    const SorgenteStampa& sorgente_;
    bool memoEstesi_;
    QVector<int> larghezze_; // by position in Campi
};

// The largest number of lines a memo or blob field of the row needs when
// wrapped to its column (0 without such fields).
int DeterminaNumeroMassimoRighe(const SorgenteStampa& sorgente, const QVariantList& riga);

// The lines of a text wrapped to the width (CR LF, CR and LF all end a line).
QStringList LineeAvvolte(const QString& testo, int larghezza);

} // namespace mavo
