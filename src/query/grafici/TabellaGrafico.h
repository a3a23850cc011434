#pragma once

#include "dataset/Field.h"
#include "platform/LocalTable.h"

#include <QStringList>

namespace mavo {

class Dataset;
class Interazione;
class Risposta;

// The answer's columns a chart can take: for the x descriptions every text,
// date, time and number column; for the values the number columns other than
// the x column. Names in the answer's column order.
QStringList CampiAsseX(const Dataset& risposta);
QStringList CampiValori(const Dataset& risposta, const QString& campoX);

// The x description of a value, as the answer shows it; a null gives "".
QString TestoDescrizione(const QVariant& valore, FieldType tipo);

// With "Originale" the x descriptions keep the answer's order through the
// chart's alphabetical grouping: the record's number (from 1) in front, padded
// with zeros to 2 digits below 100 records, 3 below 1000, else 4 or as many as
// the record count has. The 7th of 250 records: "007.".
QString NumeroOriginale(qsizetype numero, qsizetype totale);

struct ImpostazioniGrafico {
    QString CampoX = {};
    QString CampoY = {};
    QStringList SerieAggiunte = {}; // further value columns, each a series after the first
    bool Originale = false;         // "Ordinamento": "Originale", else "Ordina"
};

// The chart table GRAFTMP.DB, in working directory + "QUERY\RISPTMP\GRAFTMP":
// one row per answer record and series, first the value column's then each
// additional series' in turn. Descrizione1 (20 characters) is the x
// description, Descrizione2 (20) the series' column name, Valore the value
// (a null gives 0). Descrizione1Intera and Descrizione2Intera keep both texts
// whole, since 20 characters would merge x descriptions or series that differ
// only further on and lose what the chart shows in full where it has room.
//
// A user who finds the table held by someone else gets a numbered
// alternative, deleted again by Chiudi() (and on destruction).
class TabellaGrafico {
public:
    static constexpr int LarghezzaDescrizione = 20;

    explicit TabellaGrafico(const QString& directoryLavoro);
    ~TabellaGrafico();
    TabellaGrafico(const TabellaGrafico&) = delete;
    TabellaGrafico& operator=(const TabellaGrafico&) = delete;

    static QList<LocalField> Campi();

    // Refills the table from scratch with every record of the open answer,
    // read once and in one local transaction; leaves it open. The columns
    // must be the answer's. Local-table and database failures are thrown.
    void Riempi(Risposta& risposta, const ImpostazioniGrafico& impostazioni, Interazione& port);

    LocalTable& Tabella() { return tabella_; }

    // Closes the table and deletes a numbered alternative; the base table
    // stays for the next chart. False when that file could not be deleted.
    bool Chiudi();

private:
    QString directory_;
    LocalTable tabella_;
};

} // namespace mavo
