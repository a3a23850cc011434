#include "query/form/ui/DialoghiQuery.h"

#include "common/ui/EditData.h"
#include "common/ui/PimDataForm.h"
#include "common/ui/PimIn1Form.h"
#include "query/blocco/ui/BloccaQForm.h"
#include "query/calcoli/ui/CalcSommaForm.h"
#include "query/calcoli/ui/EditCondForm.h"
#include "query/calcoli/ui/FormuleForm.h"
#include "query/calcoli/ui/OrdETotForm.h"
#include "query/calcoli/ui/RaggMesiForm.h"
#include "query/calcoli/ui/RangeForm.h"
#include "query/calcoli/ui/SommaForm.h"
#include "query/campivisibili/ui/IBCamVisForm.h"
#include "query/collegate/ui/IBAggForm.h"
#include "query/esporta/ui/EsportaRisposta.h"
#include "query/form/ui/ElabAvanForm.h"
#include "query/form/ui/FinestraSql.h"
#include "query/grafici/ui/GraficoForm.h"

#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace mavo {

namespace {

std::optional<QString> valore(QWidget* owner, bool data) {
    if (data) {
        TPimDataForm dialogo(owner);
        dialogo.EditData1->clear();
        dialogo.exec();
        return dialogo.Esito == 1 ? std::optional(dialogo.EditData1->text()) : std::nullopt;
    }
    TPimIn1Form dialogo(owner);
    dialogo.Edit1->clear();
    dialogo.exec();
    return dialogo.Esito == 1 ? std::optional(dialogo.Edit1->text()) : std::nullopt;
}

bool testoSql(QWidget* owner, const QStringList& sql) {
    FinestraSql finestra(sql, owner);
    return finestra.exec() == QDialog::Accepted;
}

std::optional<QFont> carattere(QWidget* owner, const QFont& attuale) {
    bool scelto = false;
    const QFont font = QFontDialog::getFont(&scelto, attuale, owner);
    return scelto ? std::optional(font) : std::nullopt;
}

std::optional<ValoriRange> range(QWidget* owner, Interazione& port, bool date) {
    TRangeForm dialogo(port, owner);
    dialogo.TipoIntervallo = date ? QStringLiteral("Data") : QStringLiteral("Valore");
    dialogo.exec();
    if (dialogo.Esito != 1)
        return std::nullopt;
    return ValoriRange{dialogo.Edit1->text(), dialogo.Edit2->text(), dialogo.EditData1->text(),
                       dialogo.EditData2->text()};
}

std::optional<SceltaFormula> formule(QWidget* owner, Interazione& port, const QStringList& nomi,
                                     const QString& corrente) {
    TFormuleForm dialogo(nomi, corrente, port, owner);
    dialogo.exec();
    if (dialogo.Esito != 1)
        return std::nullopt;
    return SceltaFormula{dialogo.EditFormula->text(), dialogo.EditNomeCampoRisposta->text()};
}

std::optional<QString> anniMesi(QWidget* owner, Interazione& port, const QStringList& campiData) {
    TRaggMesiForm dialogo(campiData, port, owner);
    dialogo.exec();
    return dialogo.Esito == 1 ? std::optional(dialogo.Risultato) : std::nullopt;
}

std::optional<QString> editorCondizione(QWidget* owner, const QString& condizione) {
    TEditCondForm dialogo(owner);
    dialogo.Memo1->setPlainText(condizione);
    dialogo.exec();
    return dialogo.Esito == 1 ? std::optional(dialogo.Memo1->toPlainText()) : std::nullopt;
}

std::optional<SceltaSomma> sommaRaggruppata(QWidget* owner, const QString& tabella,
                                            db::Database& database) {
    TCalcSommaForm dialogo(tabella, database, owner);
    if (dialogo.exec() != 1)
        return std::nullopt;
    return SceltaSomma{dialogo.ComboCampo->currentText(), dialogo.EditSomma->text()};
}

bool ordineETotali(QWidget* owner, Interazione& port, Dataset& risposta,
                   CodiciVisualizzazione& codici, const QString& ditta, const QFont& font) {
    TOrdETotForm dialogo(risposta, codici, ditta, port, owner);
    dialogo.setFont(font);
    dialogo.exec();
    return dialogo.Esito == 1;
}

void somma(QWidget* owner, Interazione& port, Dataset& risposta, const QString& ditta,
           const QString& directoryBin, const QString& directoryLavoro, const QFont& font) {
    TSommaForm dialogo(ditta, directoryBin, directoryLavoro, risposta, port, owner);
    dialogo.setFont(font);
    dialogo.exec();
}

QString elabAvanzate(QWidget* owner, Interazione& port, const StatoElaborazioni& stato,
                     const QString& ditta, const QSet<QString>& disponibili) {
    TElabAvanForm dialogo(stato, ditta, disponibili, port, owner);
    dialogo.exec();
    return dialogo.Parola;
}

bool blocco(QWidget* owner, Interazione& port, bool& bloccata, const QString& ditta,
            Definizione& righe) {
    TBloccaQForm dialogo(bloccata, ditta, righe, port, owner);
    return dialogo.exec() == QDialog::Accepted;
}

} // namespace

DialoghiQuery DialoghiPredefiniti() {
    return {valore,
            testoSql,
            carattere,
            range,
            formule,
            anniMesi,
            editorCondizione,
            sommaRaggruppata,
            ordineETotali,
            somma,
            MostraGrafici,
            ButtonEsportaClick,
            AggiungiTabellaCollegata,
            ScegliTabellaDaEliminare,
            CampiVisibili,
            elabAvanzate,
            blocco};
}

} // namespace mavo
