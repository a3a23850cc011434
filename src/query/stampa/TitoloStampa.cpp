#include "query/stampa/TitoloStampa.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace mavo {

namespace {

const QString kRighe = QStringLiteral("RigheStampaQuery");
const QString kReport = QStringLiteral("ReportQuery");
const QString kNote = QStringLiteral("NoteStampaDefault");
const QString kMemo = QStringLiteral("StampaMemoEstesi");
const QString kTipo = QStringLiteral("TipoStampa");
const QString kOrientamento = QStringLiteral("OrientamentoStampa");

int intero(const QString& testo, int predefinito) {
    bool ok = false;
    const int valore = testo.trimmed().toInt(&ok);
    return ok ? valore : predefinito;
}

// A folder compared as Windows compares it: upper case, one final separator.
QString cartellaConfrontabile(QString cartella) {
    cartella = toLocalPath(cartella).toUpper();
    if (!cartella.endsWith(u'/'))
        cartella += u'/';
    return cartella;
}

} // namespace

QStringList TipiReport() {
    return {QStringLiteral("Avanzato personalizzabile (tecn. Combit (R))"),
            QStringLiteral("Semplice personalizzabile (tecn. Combit (R))"),
            QStringLiteral("Semplice/Veloce (tecn. Cristal Report (TM))")};
}

QStringList Orientamenti() {
    return {QStringLiteral("Stampa Verticale"), QStringLiteral("Stampa Orizzontale")};
}

ScelteTitolo ApriTitoloStampa(const QString& fileImpostazioni, const QString& ditta,
                              const QString& titolo, const QString& note) {
    const IniFile impostazioni(fileImpostazioni);
    ScelteTitolo scelte;
    scelte.Titolo = titolo;
    scelte.Note = note;
    scelte.RighePerPagina = impostazioni.readString(ditta, kRighe, QStringLiteral("50"));
    scelte.Note = impostazioni.readString(ditta, kNote, note);
    scelte.MemoEstesi = impostazioni.readString(ditta, kMemo, QStringLiteral("No")) == u"Si";
    const int tipo = qBound(0, intero(impostazioni.readString(ditta, kTipo), 0), 2);
    scelte.Orientamento = intero(impostazioni.readString(ditta, kOrientamento), 0) == 1 ? 1 : 0;
    scelte.NumeraPagine = true;
    CambiaTipoReport(scelte, tipo);
    scelte.NomeReport = impostazioni.readString(ditta, kReport);
    return scelte;
}

void CambiaTipoReport(ScelteTitolo& scelte, int tipo) {
    scelte.Tipo = tipo;
    switch (tipo) {
    case 0:
        scelte.NomeReport.clear();
        scelte.CarattereDialogo = scelte.CarattereDiStampa;
        break;
    case 1:
        scelte.NomeReport.clear();
        scelte.CarattereDialogo = {QStringLiteral("Courier New"), 8};
        break;
    default:
        scelte.NomeReport = QStringLiteral("TEXT");
        break;
    }
}

VisibilitaTitolo VisibilitaPerTipo(int tipo) {
    return {.Font = tipo != 2,
            .EditaReport = tipo == 0,
            .RighePerPagina = tipo != 0,
            .Orientamento = tipo == 0};
}

void SalvaTitoloStampa(const QString& fileImpostazioni, const QString& ditta,
                       const ScelteTitolo& scelte) {
    IniFile impostazioni(fileImpostazioni);
    impostazioni.writeString(ditta, kRighe, scelte.RighePerPagina);
    impostazioni.writeString(ditta, kReport, scelte.NomeReport);
    impostazioni.writeString(ditta, kNote, scelte.Note);
    impostazioni.writeString(ditta, kMemo,
                             scelte.MemoEstesi ? QStringLiteral("Si") : QStringLiteral("No"));
    impostazioni.writeString(ditta, kTipo, QString::number(scelte.Tipo));
    impostazioni.writeString(ditta, kOrientamento, QString::number(scelte.Orientamento));
}

QString FiltroReport(int tipo) {
    return tipo == 2 ? QStringLiteral("File report Crystal Report (*.rpt);;Tutti i file (*)")
                     : QStringLiteral("File report List & Label (*.lst);;Tutti i file (*)");
}

ReportScelto VerificaReportScelto(const QString& file, const QString& cartellaReport) {
    if (cartellaConfrontabile(directoryPart(toLocalPath(file))) !=
        cartellaConfrontabile(cartellaReport))
        return {std::nullopt,
                "Attenzione: Sono ammessi report presenti nella directory " + cartellaReport};
    const QString nome = fileNamePart(file);
    const qsizetype punto = nome.lastIndexOf(u'.');
    return {punto < 0 ? nome : nome.left(punto), {}};
}

int RighePerPaginaDaTesto(const QString& testo) {
    return intero(testo, 50);
}

} // namespace mavo
