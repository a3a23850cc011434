#pragma once

#include "query/stampa/CampiStampa.h"
#include "query/stampa/StatoStampa.h"

#include <QStringList>

namespace mavo {

// The report project files the advanced and the simple report print from:
// one item a line, ending CR LF, Windows-1252, every expression between the
// character 168 (the project's text quote).

// What the advanced project is generated from.
struct DatiProgettoAvanzato {
    QVector<CampoStampa> Campi; // in column order
    bool UnRecord = false;
    bool TotaliVoluti = false;
    bool Orizzontale = false;
    bool NumeraPagine = true;
    bool MemoEstesi = false;
    CarattereStampa Carattere;
};

// The project's lines (without line ends).
QStringList LineeLSTAvanzato(const DatiProgettoAvanzato& dati);
QStringList LineeLSTStandard(const CarattereStampa& carattere);

// Writes the lines to the file (its folder made when missing), overwriting
// it. IoError when it cannot be written.
void ScriviFileLst(const QString& file, const QStringList& linee);

// The project of the advanced report, one column per visible field, and of
// the simple one, one column of text lines; both mark the report up to date
// and remember the kind they are for.
void CreaFileLSTAvanzato(const QString& file, const DatiProgettoAvanzato& dati, StatoStampa& stato);
void CreaFileLSTStandard(const QString& file, StatoStampa& stato);

// The expression a column of the advanced project prints a field with:
// `base` is the field's name (detail) or "Totale." and its name (totals).
QString FormattazioneCampoReportLSTAvanzato(const CampoStampa& campo, const QString& base);

// " Font={(R,G,B),size,-16,0,0,0,weight,italic,underline,strike,0,0,0,0,0,name}"
QString RigaFont(const CarattereStampa& carattere);

// The character that encloses expressions in the project files.
inline constexpr QChar kVirgolette = QChar(0xA8);

} // namespace mavo
