#include "query/stampa/Stampa.h"

#include "dataset/Dataset.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "query/risposta/Risposta.h"
#include "query/stampa/CartelleStampa.h"
#include "query/stampa/GenTabSt.h"
#include "query/stampa/ProgettoLst.h"
#include "query/stampa/RigheTesto.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

namespace mavo {

namespace {

const QString kStampaInCorso = QStringLiteral("Stampa in corso...");

QString fileReport(const QString& bin, const QString& nome) {
    return FileStampa(bin, "Report\\" + nome + ".lst");
}

QString fileTemporaneo(const QString& bin) {
    return FileStampa(bin, QStringLiteral("Report\\VEKTemp.lst"));
}

bool esiste(const QString& file) {
    return QFileInfo::exists(toLocalPath(file));
}

SorgenteStampa sorgente(const StatoStampa& stato, const ContestoStampa& contesto) {
    SorgenteStampa s;
    s.ValorePiuLungo = stato.ValorePiuLungo;
    if (stato.UnRecord && contesto.TabellaUnRecord) {
        s.UnRecord = true;
        s.Campi = CampiDaStampare(*contesto.TabellaUnRecord, nullptr);
        s.Scorri = ScorriDataset(*contesto.TabellaUnRecord);
        return s;
    }
    Risposta* risposta = contesto.RispostaQuery;
    s.Campi = CampiDaStampare(risposta->Dati(), &risposta->Codici());
    s.Scorri = [risposta](const std::function<void(const QVariantList&)>& perRiga) {
        risposta->Scorri(perRiga);
    };
    return s;
}

DatiProgettoAvanzato datiAvanzato(const SorgenteStampa& s, const StatoStampa& stato,
                                  const ScelteTitolo& scelte) {
    return {.Campi = s.Campi,
            .UnRecord = s.UnRecord,
            .TotaliVoluti = TotaliVoluti(s),
            .Orizzontale = scelte.Orientamento == 1,
            .NumeraPagine = scelte.NumeraPagine,
            .MemoEstesi = scelte.MemoEstesi,
            .Carattere = stato.Carattere};
}

// Reads the project and says what it cannot print, once; nothing when the
// print cannot start.
std::shared_ptr<const ReportLst> leggiProgetto(const QString& file, const QSet<QString>& nomi,
                                               Interazione& port) {
    if (!esiste(file)) {
        port.Errore("Attenzione: file " + file + " non trovato, impossibile continuare");
        return nullptr;
    }
    auto progetto = std::make_shared<ReportLst>(ReportLst::Leggi(file));
    if (!progetto->Valido()) {
        port.Errore("Attenzione: il file " + file + " non è un report valido per questa query" +
                    "\r\n" + "Sugg.: controllare i campi con totali alla fine.");
        return nullptr;
    }
    const QStringList ignoti = progetto->Verifica(nomi);
    if (!ignoti.isEmpty())
        port.Avviso("Il report " + file +
                    " contiene elementi che non possono essere stampati e che vengono "
                    "tralasciati:\n" +
                    ignoti.join(u'\n'));
    return progetto;
}

QHash<QString, ValoreReport> variabiliAvanzato(const ScelteTitolo& scelte) {
    return {
        {QStringLiteral("NUMERAPAGINE"),
         ValoreReport::Testo(scelte.NumeraPagine ? QStringLiteral("Si") : QStringLiteral("No"))},
        {QStringLiteral("TITOLO"), ValoreReport::Testo(scelte.Titolo)},
        {QStringLiteral("NOTE"), ValoreReport::Testo(scelte.Note)}};
}

// "Configurazione parametri di stampa": cancelled, nothing is printed.
bool opzioniConfermate(const DialoghiStampa& dialoghi, const LavoroStampa& lavoro) {
    return !dialoghi.Opzioni || dialoghi.Opzioni(lavoro);
}

// The advanced report (kind 0) of a project file; false when nothing was
// printed. A cancelled print leaves the project as it was.
bool stampaAvanzato(StatoStampa& stato, const ContestoStampa& contesto, const QString& file,
                    const SorgenteStampa& s, const ScelteTitolo& scelte,
                    const DialoghiStampa& dialoghi, Interazione& port) {
    LavoroStampa lavoro;
    lavoro.Tipo = 0;
    lavoro.TitoloFinestra = QStringLiteral("Anteprima di stampa");
    lavoro.Variabili = variabiliAvanzato(scelte);
    lavoro.Sorgente = &s;
    lavoro.TotaliVoluti = TotaliVoluti(s);
    lavoro.Progetto = leggiProgetto(file, NomiReportAvanzato(s, lavoro.Variabili), port);
    if (!lavoro.Progetto || !opzioniConfermate(dialoghi, lavoro))
        return false;
    dialoghi.Uscita(lavoro);
    QFile::remove(toLocalPath(FileStampa(contesto.DirectoryLavoro, "Stampe\\VEKTemp.lst")));
    stato.ReportAggiornato = false;
    return true;
}

// The text lines of the simple reports (kinds 1 and 2), then their print.
bool stampaSemplice(StatoStampa& stato, const ContestoStampa& contesto, const QString& bin,
                    const SorgenteStampa& s, const ScelteTitolo& scelte,
                    const DialoghiStampa& dialoghi, Interazione& port) {
    // What the print reads is settled before the lines are made.
    QString progettoFile;
    if (scelte.Tipo == 1) {
        progettoFile =
            scelte.NomeReport.isEmpty() ? fileTemporaneo(bin) : fileReport(bin, scelte.NomeReport);
        if (!scelte.NomeReport.isEmpty() && !esiste(progettoFile)) {
            port.Errore("Attenzione: file " + progettoFile +
                        " non trovato, impossibile continuare");
            return false;
        }
    } else if (!scelte.NomeReport.isEmpty()) {
        const QString rpt = FileStampa(bin, "report\\" + scelte.NomeReport + ".rpt");
        if (esiste(rpt)) {
            port.Avviso("Il report " + rpt +
                        " non può essere letto: la stampa usa il tracciato predefinito.");
        } else if (scelte.NomeReport.compare(u"TEXT", Qt::CaseInsensitive) != 0) {
            port.Errore(QStringLiteral("ATTENZIONE: directory bin errata o CRW non inizializzato"));
            return false;
        }
    }

    RigheTesto righe(s, scelte.MemoEstesi);
    TGenTabStForm generatore(righe.Testate(scelte.Titolo, scelte.Note), scelte.NumeraPagine,
                             contesto.DirectoryLavoro, scelte.RighePerPagina);
    {
        const std::unique_ptr<Progresso> progresso = port.CreaProgresso(kStampaInCorso);
        progresso->SetBarraVisibile(false);
        progresso->Mostra();
        righe.Genera([&](const QString& linea) { generatore.AggiungiRiga(linea); },
                     [&](qint64 fatte) {
                         if (fatte % 500 == 0)
                             port.PompaMessaggi();
                     });
        generatore.TerminaUltimaPagina();
        progresso->Nascondi();
    }

    LavoroStampa lavoro;
    lavoro.Tipo = scelte.Tipo;
    lavoro.Testate = &generatore.TabTestatT();
    lavoro.Righe = &generatore.TabRigheT();
    lavoro.RighePerPagina = generatore.RighePerPagina();
    lavoro.LunghezzaRiga = int(righe.RigaTitoli().size());
    lavoro.Orizzontale = scelte.Orientamento == 1;
    if (scelte.Tipo == 1) {
        // Kept while up to date: what the designer changed in it prints.
        if (scelte.NomeReport.isEmpty() && !stato.ReportAggiornato)
            CreaFileLSTStandard(progettoFile, stato);
        lavoro.TitoloFinestra = QStringLiteral("Anteprima di stampa");
        lavoro.Progetto = leggiProgetto(progettoFile, NomiReportStandard(), port);
        if (!lavoro.Progetto || !opzioniConfermate(dialoghi, lavoro))
            return false;
    } else {
        lavoro.TitoloFinestra = QStringLiteral("STAMPA QUERY");
    }
    dialoghi.Uscita(lavoro);
    return true;
}

// What the title dialog's choices change in the print's state: another
// report kind makes the generated report out of date.
void prendiScelte(StatoStampa& stato, const ScelteTitolo& scelte) {
    stato.Carattere = scelte.CarattereDialogo;
    if (scelte.Tipo != stato.UltimoTipo) {
        stato.UltimoTipo = scelte.Tipo;
        stato.ReportAggiornato = false;
    }
    stato.NumeraPagine = scelte.NumeraPagine;
    stato.MemoEstesi = scelte.MemoEstesi;
}

bool stampa(StatoStampa& stato, const ContestoStampa& contesto, const QString& bin,
            const ScelteTitolo& scelte, const DialoghiStampa& dialoghi, Interazione& port) {
    const SorgenteStampa s = sorgente(stato, contesto);
    if (scelte.Tipo != 0)
        return stampaSemplice(stato, contesto, bin, s, scelte, dialoghi, port);
    if (!scelte.NomeReport.isEmpty()) {
        const QString file = fileReport(bin, scelte.NomeReport);
        if (esiste(file))
            return stampaAvanzato(stato, contesto, file, s, scelte, dialoghi, port);
        if (!port.Conferma(
                QStringLiteral("Report di tipo LST non trovato. Stampo con tracciati standard?")))
            return false;
        CreaFileLSTAvanzato(fileTemporaneo(bin), datiAvanzato(s, stato, scelte), stato);
    } else if (!stato.ReportAggiornato) {
        CreaFileLSTAvanzato(fileTemporaneo(bin), datiAvanzato(s, stato, scelte), stato);
    }
    return stampaAvanzato(stato, contesto, fileTemporaneo(bin), s, scelte, dialoghi, port);
}

} // namespace

QString TitoloPredefinito(const QString& ditta, const QString& tabella) {
    return "Ditta: " + ditta + " Tabella: " + tabella +
           "  Data: " + dateToText(QDate::currentDate());
}

void ButtonStampaClick(StatoStampa& stato, const ContestoStampa& contesto,
                       const DialoghiStampa& dialoghi, Interazione& port) {
    const QString bin = DirectoryBinStampa(contesto.DirectoryBin);
    stato.ValorePiuLungo = qBound(45, stato.ValorePiuLungo, 100);
    stato.NumeraPagine = true;

    ScelteTitolo iniziali =
        ApriTitoloStampa(contesto.FileImpostazioni, contesto.Ditta,
                         TitoloPredefinito(contesto.Ditta, contesto.TabellaPrincipale), {});
    iniziali.CartellaReport = CartellaStampa(bin, QStringLiteral("Report"));
    if (contesto.CarattereGriglia) {
        iniziali.CarattereDiStampa = *contesto.CarattereGriglia;
        if (iniziali.Tipo == 0)
            iniziali.CarattereDialogo = *contesto.CarattereGriglia;
    }
    stato.Carattere = iniziali.CarattereDialogo;

    GestoriTitolo gestori;
    gestori.OpzioniCambiate = [&stato] { stato.ReportAggiornato = false; };
    gestori.FontScelto = [&stato] { stato.ReportAggiornato = false; };
    gestori.EditaReport = [&](const ScelteTitolo& correnti) {
        ButtonEditReportClick(stato, contesto, correnti, dialoghi, port);
    };
    const ScelteTitolo scelte = dialoghi.Titolo(iniziali, gestori);
    prendiScelte(stato, scelte);
    if (scelte.Esito != 1)
        return;
    SalvaTitoloStampa(contesto.FileImpostazioni, contesto.Ditta, scelte);
    stampa(stato, contesto, bin, scelte, dialoghi, port);
}

bool StampaConScelte(StatoStampa& stato, const ContestoStampa& contesto, const ScelteTitolo& scelte,
                     const DialoghiStampa& dialoghi, Interazione& port) {
    const QString bin = DirectoryBinStampa(contesto.DirectoryBin);
    stato.ValorePiuLungo = qBound(45, stato.ValorePiuLungo, 100);
    prendiScelte(stato, scelte);
    return stampa(stato, contesto, bin, scelte, dialoghi, port);
}

void ButtonEditReportClick(StatoStampa& stato, const ContestoStampa& contesto,
                           const ScelteTitolo& scelte, const DialoghiStampa& dialoghi,
                           Interazione& port) {
    if (scelte.Tipo == 2 || !dialoghi.Designer)
        return;
    const QString bin = DirectoryBinStampa(contesto.DirectoryBin);
    stato.Carattere = scelte.CarattereDialogo;
    const SorgenteStampa s = sorgente(stato, contesto);
    QString file;
    if (!scelte.NomeReport.isEmpty()) {
        file = fileReport(bin, scelte.NomeReport);
        // A new report starts from the one the tool would print.
        if (!esiste(file)) {
            StatoStampa copia = stato;
            if (scelte.Tipo == 0)
                CreaFileLSTAvanzato(file, datiAvanzato(s, stato, scelte), copia);
            else
                CreaFileLSTStandard(file, copia);
        }
    } else {
        file = fileTemporaneo(bin);
        if (stato.UltimoTipo != scelte.Tipo)
            stato.ReportAggiornato = false;
        if (!stato.ReportAggiornato) {
            if (scelte.Tipo == 0)
                CreaFileLSTAvanzato(file, datiAvanzato(s, stato, scelte), stato);
            else
                CreaFileLSTStandard(file, stato);
        }
    }
    try {
        dialoghi.Designer(file);
    } catch (const IoError& e) {
        port.Errore(e.message());
    }
}

} // namespace mavo
