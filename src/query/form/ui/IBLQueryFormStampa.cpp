#include "query/form/ui/IBLQueryForm.h"

#include "dataset/IbTable.h"
#include "query/stampa/ui/TitStForm.h"

namespace mavo {

// "&Stampa": the print keeps its state on the form between prints; the form
// says when the answer's look changed (StampaAggiornata cleared).
void TIBLQueryForm::ButtonStampaClick() {
    if (!FinestreStampa.Titolo)
        FinestreStampa = DialoghiStampaFinestre(this, port_);
    StatoDiStampa.ReportAggiornato = StampaAggiornata;
    StatoDiStampa.UnRecord = unRecord_;
    StatoDiStampa.ValorePiuLungo = LunghezzaMassima;
    ContestoStampa contesto{.RispostaQuery = &TabRispTmp,
                            .TabellaUnRecord = &TabRecTmp,
                            .Ditta = ditta_,
                            .TabellaPrincipale = tabella_.tableName(),
                            .DirectoryLavoro = directoryLavoro_,
                            .DirectoryBin = directoryBin_,
                            .FileImpostazioni = FileImpostazioni,
                            .CarattereGriglia = std::nullopt};
    if (contesto.FileImpostazioni.isEmpty())
        contesto.FileImpostazioni = ContestoStampa().FileImpostazioni;
    // The grid's own font is no choice of the user's.
    if (CaratterePerStampa != QFont())
        contesto.CarattereGriglia = CarattereStampa{.Nome = CaratterePerStampa.family(),
                                                    .Dimensione = CaratterePerStampa.pointSize(),
                                                    .Grassetto = CaratterePerStampa.bold(),
                                                    .Corsivo = CaratterePerStampa.italic(),
                                                    .Sottolineato = CaratterePerStampa.underline(),
                                                    .Barrato = CaratterePerStampa.strikeOut(),
                                                    .Colore = 0};
    mavo::ButtonStampaClick(StatoDiStampa, contesto, FinestreStampa, port_);
    StampaAggiornata = StatoDiStampa.ReportAggiornato;
}

} // namespace mavo
