#pragma once

#include <QString>
#include <optional>

namespace mavo {

// The six targets of an export, in the order the dialog lists them.
enum class TipoExport { Testo, IB, Excel, ExcelX, ExcelL, ExcelLTesto };

// "Testo", "IB", "Excel", "ExcelX", "ExcelL", "ExcelLTesto": the type as the
// dialog names it and the command line takes it.
std::optional<TipoExport> TipoDaParola(const QString& parola);

// What the export dialog returns (plain, so that the command line and the
// tests give it without a window).
struct OpzioniEsportazione {
    TipoExport Tipo = TipoExport::Testo;
    QString Cartella;                         // target folder (files)
    QString NomeFile;                         // file name, or the table name for "IB"
    QString Separatore = QStringLiteral(";"); // at most one character
    bool LunghezzaFissa = false;
    bool MemoEstesi = false;
    bool RtfInChiaro = false;
    bool SaltaIntestazioni = false;
    QString Tag; // replaces each line break inside memo values when set
    QString EseguibileExcel;
    QString ExcelPreimpostato;
    int Esito = 2; // 1 OK, 2 cancel, 8 "Apri Excel", 0 window closed

    bool Confermato() const { return Esito == 1 || Esito == 8; }
    // Folder and name, with a separator between them when the folder has none.
    QString Destinazione() const;
};

// What the query form hands to the export.
struct ContestoEsportazione {
    QString Ditta = {};
    QString DirectoryLavoro = {};
    // The settings file (Windows-style or local); empty: the tool's own, by
    // the settings-file rule.
    QString FileImpostazioni = {};
    QString NomeFile = {};                    // preset: main table + ".TXT"
    QString Separatore = QStringLiteral(";"); // preset separator

    QString FileImpostazioniEffettivo() const;
};

// The settings the dialog reads and writes in the company's section.
namespace chiavi_export {
inline const QString MemoEstesi = QStringLiteral("StampaMemoEstesi");
inline const QString MemoEstesiTag = QStringLiteral("StampaMemoEstesiTag");
inline const QString DirectoryTemporanee = QStringLiteral("Directory tabelle temporanee");
inline const QString DirectoryBin = QStringLiteral("Directory bin");
inline const QString DirectoryExport = QStringLiteral("Directory export Query");
inline const QString ProgrammaExcel = QStringLiteral("Programma riferimento Excel");
inline const QString ExcelPreimpostato = QStringLiteral("Excel Preimpostato");
} // namespace chiavi_export

} // namespace mavo
