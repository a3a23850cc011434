#pragma once

#include "query/stampa/LavoroStampa.h"
#include "query/stampa/StatoStampa.h"
#include "query/stampa/TitoloStampa.h"

#include <functional>
#include <optional>

namespace mavo {

class Dataset;
class Interazione;
class Risposta;

// What the query form hands the print besides its state.
struct ContestoStampa {
    Risposta* RispostaQuery = nullptr;
    // The one-record table, printed instead of the answer in the one-record view.
    Dataset* TabellaUnRecord = nullptr;
    QString Ditta;
    QString TabellaPrincipale;
    QString DirectoryLavoro;
    QString DirectoryBin;
    // The title dialog and the print tables always read the company's
    // settings here.
    QString FileImpostazioni = QStringLiteral("c:\\windows\\tervald.ini");
    // The answer grid's font when the user chose one (the grid's own
    // "BorlandTE" counts as none).
    std::optional<CarattereStampa> CarattereGriglia;
};

// The windows the print uses, injected so that the print runs the same in
// the form, in interroga and in the tests.
struct DialoghiStampa {
    // The title dialog, shown modally; it calls the handlers while open.
    std::function<ScelteTitolo(const ScelteTitolo& iniziali, const GestoriTitolo& gestori)> Titolo;
    // The report designer on a project file; true when it saved it.
    std::function<bool(const QString& file)> Designer;
    // "Configurazione parametri di stampa", before the output of the reports
    // printed through a project (kinds 0 and 1): false, cancelled, ends the
    // print there. Without it the output follows at once (a PDF).
    std::function<bool(const LavoroStampa& lavoro)> Opzioni;
    // The print itself: preview, printer or PDF.
    std::function<void(const LavoroStampa& lavoro)> Uscita;
};

// The "&Stampa" button of the query form: the title dialog, then the report
// of the kind chosen. Failures are told through the port.
void ButtonStampaClick(StatoStampa& stato, const ContestoStampa& contesto,
                       const DialoghiStampa& dialoghi, Interazione& port);

// The title dialog's "Edita report", with the choices it shows.
void ButtonEditReportClick(StatoStampa& stato, const ContestoStampa& contesto,
                           const ScelteTitolo& scelte, const DialoghiStampa& dialoghi,
                           Interazione& port);

// The print without the title dialog: what interroga does with the choices
// of its command line (Esito is ignored). False when nothing was printed.
bool StampaConScelte(StatoStampa& stato, const ContestoStampa& contesto, const ScelteTitolo& scelte,
                     const DialoghiStampa& dialoghi, Interazione& port);

// "Ditta: " + company + " Tabella: " + table + "  Data: " + today.
QString TitoloPredefinito(const QString& ditta, const QString& tabella);

} // namespace mavo
