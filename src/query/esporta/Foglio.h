#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace mavo {

// One cell of a spreadsheet row, typed as the value it holds.
struct Cella {
    enum class Tipo { Vuota, Numero, Data, DataOra, Ora, Testo, Logico };
    // How a number shows: as it is, "#,##0.00" or "#,##0".
    enum class Formato { Generale, Importo, Intero };

    Tipo tipo = Tipo::Vuota;
    double numero = 0;  // Numero and Logico; Data/DataOra/Ora as a spreadsheet serial
    QString testo = {}; // Testo
    Formato formato = Formato::Generale;
};

// A spreadsheet's cell holds at most this many characters: a longer text is
// cut there, where spreadsheet programs would refuse the file.
inline constexpr int MassimoCaratteriCella = 32767;

// The serial of a day as spreadsheets count them (1900 system: 1 is
// 1900-01-01, with 1900-02-29 counted as the programs count it), with the
// time of day as the fraction. Days before 1900 have none: -1.
double SerialeFoglio(const QDate& giorno, double frazioneGiorno = 0);

// A spreadsheet file being written row by row, the whole answer in order:
// the header row on top of every sheet, and a sheet that reaches its row
// limit continues on a new one ("Foglio2", ...). Nothing is left at the
// target until Chiudi() has written the whole file; a writer destroyed
// before that leaves no file behind. Failures raise IoError.
class ScrittoreFoglio {
public:
    virtual ~ScrittoreFoglio() = default;
    // Titles and widths (characters) of the columns; before the first row.
    virtual void Colonne(const QStringList& titoli, const QVector<int>& larghezze) = 0;
    virtual void Riga(const QVector<Cella>& celle) = 0;
    virtual void Chiudi() = 0;
};

} // namespace mavo
