#pragma once

#include "query/stampa/StatoStampa.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace mavo {

// The report kinds of the radio "Tipo report", as stored in "TipoStampa".
QStringList TipiReport();
// "Stampa Verticale", "Stampa Orizzontale".
QStringList Orientamenti();

// What the print-title dialog (TTitStForm) shows and gives back.
struct ScelteTitolo {
    int Esito = 2; // 1 OK, 2 Cancel
    QString Titolo;
    QString Note;
    bool NumeraPagine = true;
    QString RighePerPagina = QStringLiteral("50");
    QString NomeReport; // without extension
    bool MemoEstesi = false;
    int Tipo = 0;         // index of TipiReport()
    int Orientamento = 0; // 0 portrait, 1 landscape
    // The font dialog's font (what the report prints in) and the dialog's
    // print font, which the font dialog takes for the advanced report.
    CarattereStampa CarattereDialogo{QStringLiteral("Arial"), 10};
    CarattereStampa CarattereDiStampa;
    // Where "Sfoglia" opens and the only folder it accepts a report from.
    QString CartellaReport;
};

// What the dialog reads when it opens: the title and notes given, then the
// company's six settings (rows per page, report name, default notes, memo
// option, kind, orientation) from the settings file, the kind's own
// presets applied.
ScelteTitolo ApriTitoloStampa(const QString& fileImpostazioni, const QString& ditta,
                              const QString& titolo, const QString& note);

// The kind chosen: fonts, report name and what the dialog shows follow it.
void CambiaTipoReport(ScelteTitolo& scelte, int tipo);

// What OK stores: the six settings of the company.
void SalvaTitoloStampa(const QString& fileImpostazioni, const QString& ditta,
                       const ScelteTitolo& scelte);

// The file filter of "Sfoglia" for the kind.
QString FiltroReport(int tipo);

// "Sfoglia": the report name of a chosen file, or the warning when it does
// not lie in the report folder (the name is then kept).
struct ReportScelto {
    std::optional<QString> Nome;
    QString Avviso;
};
ReportScelto VerificaReportScelto(const QString& file, const QString& cartellaReport);

// Which parts of the dialog the kind shows.
struct VisibilitaTitolo {
    bool Font = true;
    bool EditaReport = true;
    bool RighePerPagina = false;
    bool Orientamento = true;
};
VisibilitaTitolo VisibilitaPerTipo(int tipo);

// The handlers the form installs on the dialog: "Edita report" (with the
// choices shown at that moment), the options that change the report's look
// ("Stampa campi memo estesi", "Numera pagine", orientation) and a font
// chosen with "Font".
struct GestoriTitolo {
    std::function<void(const ScelteTitolo& correnti)> EditaReport;
    std::function<void()> OpzioniCambiate;
    std::function<void()> FontScelto;
};

// The rows per page typed, as the print-table generator reads them: 50 when
// not a number.
int RighePerPaginaDaTesto(const QString& testo);

} // namespace mavo
