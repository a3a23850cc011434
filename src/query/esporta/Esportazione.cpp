#include "query/esporta/Esportazione.h"

#include "context/EseguiProtetto.h"
#include "dataset/Dataset.h"
#include "dataset/LocalTableDataset.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "platform/SqlTesto.h"
#include "query/esporta/ScrittoreXls.h"
#include "query/esporta/ScrittoreXlsx.h"
#include "query/motore/ColonneCalcolate.h"
#include "query/risposta/Risposta.h"
#include "query/risposta/TabellaRisposta.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

namespace mavo {

namespace {

const QString FineTesto = QStringLiteral("EXPORT SU FILE TERMINATO !!!");
const QString FineFoglio = QStringLiteral("EXPORT SU FILE EXCEL TERMINATO !!!");
const QString ErroreFoglio = QStringLiteral("ERRORE NELL' EXPORT SU FILE EXCEL!!!");
const QString FineTabella = QStringLiteral("EXPORT SU TABELLA IN FORMATO INTERBASE TERMINATO !!!");
const QString ErroreTabella = QStringLiteral("E' avvenuto un errore durante l'esportazione");

QString nativo(const QString& percorso) {
    return QDir::toNativeSeparators(percorso);
}

// The progress of a long pass, moved (and the windows let paint) only when
// the percentage changes.
class Percentuale {
public:
    Percentuale(Progresso* finestra, Interazione& port, qint64 totale)
        : finestra_(finestra), port_(port), totale_(totale) {}
    void riga() {
        if (!finestra_)
            return;
        ++righe_;
        const int p =
            totale_ > 0 ? int(std::min<qint64>(100, (righe_ * 100 + totale_ / 2) / totale_)) : 100;
        if (p != ultima_) {
            ultima_ = p;
            finestra_->SetProgresso(p);
            port_.PompaMessaggi();
        }
    }

private:
    Progresso* finestra_;
    Interazione& port_;
    qint64 totale_;
    qint64 righe_ = 0;
    int ultima_ = -1;
};

// A value as a spreadsheet cell: typed, or every one as text for "Excel L testo".
Cella cellaDi(const ColonnaEsportata& colonna, const QVariant& valore, bool soloTesto) {
    Cella cella;
    if (valore.isNull())
        return cella;
    const FieldType tipo = colonna.campo->dataType();
    if (tipo == FieldType::Blob)
        return cella; // bytes are no cell value
    const auto testo = [&] {
        cella.tipo = Cella::Tipo::Testo;
        cella.testo = TestoValore(colonna, valore);
        // A line break inside a cell is a line feed alone.
        cella.testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        return cella;
    };
    if (soloTesto)
        return testo();
    switch (tipo) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
        cella.tipo = Cella::Tipo::Numero;
        cella.numero = double(valore.toLongLong());
        return cella;
    case FieldType::Float:
        cella.tipo = Cella::Tipo::Numero;
        cella.numero = valore.toDouble();
        cella.formato = colonna.raggruppamento == 1   ? Cella::Formato::Importo
                        : colonna.raggruppamento == 2 ? Cella::Formato::Intero
                                                      : Cella::Formato::Generale;
        return cella;
    case FieldType::Date: {
        const QDate giorno =
            valore.typeId() == QMetaType::QDateTime ? valore.toDateTime().date() : valore.toDate();
        cella.numero = SerialeFoglio(giorno);
        if (cella.numero < 0)
            return testo();
        cella.tipo = Cella::Tipo::Data;
        return cella;
    }
    case FieldType::DateTime: {
        const QDateTime momento = valore.toDateTime();
        cella.numero =
            SerialeFoglio(momento.date(), momento.time().msecsSinceStartOfDay() / 86400000.0);
        if (cella.numero < 0)
            return testo();
        cella.tipo = Cella::Tipo::DataOra;
        return cella;
    }
    case FieldType::Time:
        cella.tipo = Cella::Tipo::Ora;
        cella.numero = valore.toTime().msecsSinceStartOfDay() / 86400000.0;
        return cella;
    case FieldType::Boolean:
        cella.tipo = Cella::Tipo::Logico;
        cella.numero = valore.toBool() ? 1 : 0;
        return cella;
    default:
        return testo();
    }
}

// A short write transaction of the tool's own on the answer's archive.
void avviaScrittura(db::Transaction& t) {
    t.setParams(db::TpbScritturaBreve);
    t.start();
}

} // namespace

std::optional<QString> NomeTabellaExport(const QString& nome) {
    static const QRegularExpression valido(QStringLiteral("^[A-Za-z][A-Za-z0-9_$]{0,30}$"));
    if (!valido.match(nome).hasMatch())
        return std::nullopt;
    return nome.toUpper();
}

EsportazioneRisposta::EsportazioneRisposta(Interazione& port, Risposta& risposta,
                                           ContestoEsportazione contesto)
    : RighePerFoglioXls(ScrittoreXls::MassimoRighe),
      RighePerFoglioXlsx(ScrittoreXlsx::MassimoRighe), port_(port), risposta_(risposta),
      contesto_(std::move(contesto)) {
    FinestraAvanzamento = [this] { return port_.CreaProgresso(QStringLiteral("Avanzamento")); };
    FinestraStato = [this](const QString& titolo) { return port_.CreaProgresso(titolo); };
}

void EsportazioneRisposta::Esporta(const DialogoEsportazione& dialogo) {
    OpzioniEsportazione opzioni;
    bool riuscita = false;
    const bool senzaErrori = EseguiProtetto(port_, [&] {
        opzioni = dialogo(contesto_);
        if (opzioni.Confermato())
            riuscita = EsportaNuovo(opzioni);
    });
    if (!senzaErrori) {
        // The error has been shown: the earlier routine gets its turn.
        EseguiProtetto(port_, [&] {
            opzioni = dialogo(contesto_);
            if (opzioni.Confermato())
                riuscita = EsportaVecchio(opzioni);
        });
    }
    // Only a file just written whole is worth opening.
    if (riuscita && opzioni.Esito == 8 && opzioni.Tipo != TipoExport::IB)
        ApriRisultato(fileEsportato_);
}

bool EsportazioneRisposta::EsportaNuovo(const OpzioniEsportazione& opzioni) {
    switch (opzioni.Tipo) {
    case TipoExport::Testo:
        return esportaTesto(opzioni, false);
    case TipoExport::IB:
        return CreaCopiaTabellaExport(opzioni.NomeFile, opzioni.Esito);
    default:
        return esportaFoglio(opzioni);
    }
}

bool EsportazioneRisposta::EsportaVecchio(const OpzioniEsportazione& opzioni) {
    if (opzioni.Tipo != TipoExport::Testo)
        return false;
    return esportaTesto(opzioni, true);
}

FormatoTesto EsportazioneRisposta::formato(const OpzioniEsportazione& opzioni) const {
    return {.separatore = opzioni.Separatore,
            .lunghezzaFissa = opzioni.LunghezzaFissa,
            .memoEstesi = opzioni.MemoEstesi,
            .rtfInChiaro = opzioni.RtfInChiaro,
            .tag = opzioni.Tag};
}

qint64 EsportazioneRisposta::contaRighe() {
    if (!ContaPerAvanzamento)
        return 0;
    if (risposta_.Calcolata())
        return static_cast<LocalTableDataset&>(risposta_.Dati()).table().count();
    db::Statement conta(&risposta_.Database(), &risposta_.Lettura());
    conta.setParamCheck(false);
    conta.setSql(QStringList{QStringLiteral("SELECT COUNT(*) AS TOT FROM (")}
                 << risposta_.Query().sql() << QStringLiteral(")"));
    conta.execute();
    return conta.fetch() ? conta.value(0).toLongLong() : 0;
}

bool EsportazioneRisposta::esportaTesto(const OpzioniEsportazione& opzioni, bool vecchio) {
    if (!risposta_.Aperta())
        throw IoError(QStringLiteral("Nessuna risposta da esportare"));
    const QString percorso = toLocalPath(opzioni.Destinazione());
    const QVector<ColonnaEsportata> colonne =
        ColonneEsportate(risposta_.Dati(), risposta_.Codici());
    const FormatoTesto f = formato(opzioni);

    std::unique_ptr<Progresso> avanzamento;
    qint64 totale = 0;
    if (!vecchio) {
        totale = contaRighe();
        avanzamento = FinestraAvanzamento();
        avanzamento->Mostra();
        port_.PompaMessaggi();
    }
    Percentuale percentuale(avanzamento.get(), port_, totale);

    // Written under another name and renamed once whole: a failure leaves
    // any earlier file as it was.
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        throw IoError("Impossibile creare il file " + nativo(percorso) + "\n" + file.errorString());
    QString blocco;
    const auto scrivi = [&](bool tutto) {
        if (!tutto && blocco.size() < (1 << 18))
            return;
        const QByteArray byte = toCp1252(blocco);
        if (file.write(byte) != byte.size())
            throw IoError("Impossibile scrivere il file " + nativo(percorso) + "\n" +
                          file.errorString());
        blocco.clear();
    };
    if (!opzioni.SaltaIntestazioni)
        blocco += IntestazioneTesto(colonne, f) + QStringLiteral("\r\n");
    const auto riga = [&](const QVariantList& valori) {
        percentuale.riga();
        AccodaRigaTesto(blocco, colonne, valori, f);
        blocco += QLatin1String("\r\n");
        scrivi(false);
    };
    if (vecchio) {
        Dataset& dati = risposta_.Dati();
        QVariantList valori(dati.fieldCount());
        for (dati.first(); !dati.eof(); dati.next()) {
            for (int i = 0; i < dati.fieldCount(); ++i)
                valori[dati.field(i)->fieldNo()] = dati.field(i)->value();
            riga(valori);
        }
        dati.first();
    } else {
        risposta_.Scorri(riga);
    }
    scrivi(true);
    if (!file.commit())
        throw IoError("Impossibile scrivere il file " + nativo(percorso) + "\n" +
                      file.errorString());
    avanzamento.reset();
    fileEsportato_ = percorso;
    if (opzioni.Esito == 1)
        port_.Informazione(FineTesto);
    return true;
}

bool EsportazioneRisposta::esportaFoglio(const OpzioniEsportazione& opzioni) {
    if (!risposta_.Aperta())
        throw IoError(QStringLiteral("Nessuna risposta da esportare"));
    QString nome = opzioni.NomeFile;
    if (opzioni.Tipo == TipoExport::ExcelL || opzioni.Tipo == TipoExport::ExcelLTesto) {
        // These types always wrote an .xls beside the name given.
        const qsizetype punto = nome.lastIndexOf(u'.');
        if (punto > 0)
            nome.truncate(punto);
        nome += QStringLiteral(".xls");
    }
    const QString percorso = toLocalPath(joinPath(opzioni.Cartella, nome));
    const bool soloTesto = opzioni.Tipo == TipoExport::ExcelLTesto;

    std::unique_ptr<Progresso> avanzamento;
    try {
        const QVector<ColonnaEsportata> colonne =
            ColonneEsportate(risposta_.Dati(), risposta_.Codici());
        QStringList titoli;
        QVector<int> larghezze;
        for (const ColonnaEsportata& c : colonne) {
            titoli << c.campo->fieldName();
            larghezze << c.larghezza;
        }
        std::unique_ptr<ScrittoreFoglio> foglio;
        if (opzioni.Tipo == TipoExport::ExcelX) {
            std::optional<ModelloFoglio> modello;
            if (!opzioni.ExcelPreimpostato.isEmpty()) {
                try {
                    modello = LeggiModelloXlsx(toLocalPath(opzioni.ExcelPreimpostato));
                } catch (const IoError& e) {
                    port_.Avviso(e.message() + QStringLiteral("\rIl file viene esportato senza."));
                }
            }
            foglio =
                std::make_unique<ScrittoreXlsx>(percorso, RighePerFoglioXlsx, std::move(modello));
        } else {
            if (!opzioni.ExcelPreimpostato.isEmpty())
                port_.Avviso(QStringLiteral("Il file Excel preimpostato vale solo per il formato "
                                            "Excel X (.xlsx): per questo file non viene usato."));
            foglio = std::make_unique<ScrittoreXls>(percorso, RighePerFoglioXls);
        }
        foglio->Colonne(titoli, larghezze);

        const qint64 totale = contaRighe();
        avanzamento = FinestraAvanzamento();
        avanzamento->Mostra();
        port_.PompaMessaggi();
        Percentuale percentuale(avanzamento.get(), port_, totale);
        QVector<Cella> celle(colonne.size());
        risposta_.Scorri([&](const QVariantList& valori) {
            percentuale.riga();
            for (qsizetype i = 0; i < colonne.size(); ++i)
                celle[i] = cellaDi(colonne[i], valori.value(colonne[i].posizione), soloTesto);
            foglio->Riga(celle);
        });
        foglio->Chiudi();
    } catch (const IoError& e) {
        avanzamento.reset();
        port_.Errore(ErroreFoglio + QStringLiteral("\r\r") + e.message());
        return false;
    } catch (const db::DatabaseError& e) {
        avanzamento.reset();
        port_.Errore(ErroreFoglio + QStringLiteral("\r\r") + e.message());
        return false;
    }
    avanzamento.reset();
    fileEsportato_ = percorso;
    if (opzioni.Esito == 1)
        port_.Informazione(FineFoglio);
    return true;
}

bool EsportazioneRisposta::CreaCopiaTabellaExport(const QString& nomeTabella, int esito) {
    const std::optional<QString> nome = NomeTabellaExport(nomeTabella);
    if (!nome) {
        port_.Avviso("Nome di tabella non valido: \"" + nomeTabella +
                     "\"\rIl nome deve iniziare con una lettera e contenere solo lettere, cifre, "
                     "\"_\" e \"$\", al massimo 31 caratteri.");
        return false;
    }
    db::Database& archivio = risposta_.Database();
    const QString tabella = sql::identificatore(*nome);

    QStringList colonne;
    {
        db::Transaction lettura(&archivio);
        avviaScrittura(lettura);
        if (TabellaEsiste(archivio, lettura, *nome))
            throw db::DatabaseError("La tabella " + *nome +
                                    " esiste già nell'archivio: scegliere un altro nome");
        colonne = ColonneTabellaRisposta(risposta_, lettura);
        lettura.rollback();
    }
    {
        db::Transaction ddl(&archivio);
        avviaScrittura(ddl);
        db::Statement crea(&archivio, &ddl);
        crea.setSql({"CREATE TABLE " + tabella + " (" + colonne.join(QStringLiteral(", ")) + ")"});
        crea.execute();
        ddl.commit();
    }

    // Gone before the outcome is told: a window saying "in progress" must not
    // stand beside the message that it has ended.
    std::unique_ptr<Progresso> stato = FinestraStato(QStringLiteral("Esportazione in corso..."));
    stato->Mostra();
    port_.PompaMessaggi();
    // What is run, kept should it fail.
    QStringList istruzione = QStringList{"INSERT INTO " + tabella} << risposta_.Query().sql();
    try {
        db::Transaction scrittura(&archivio);
        avviaScrittura(scrittura);
        istruzione = InserisciRisposta(risposta_, scrittura, tabella, risposta_.Query().sql(),
                                       int(colonne.size()));
        scrittura.commit();
    } catch (const db::DatabaseError& e) {
        stato.reset();
        // The statement is kept for whoever looks into it; the table, which
        // holds nothing of use, goes.
        const QString file = toLocalPath(joinPath(contesto_.DirectoryLavoro, "queryib.sql"));
        QSaveFile salvato(file);
        if (salvato.open(QIODevice::WriteOnly)) {
            salvato.write(toCp1252(istruzione.join(QStringLiteral("\r\n")) + "\r\n"));
            salvato.commit();
        }
        QString rimozione;
        try {
            db::Transaction elimina(&archivio);
            avviaScrittura(elimina);
            db::Statement drop(&archivio, &elimina);
            drop.setSql({"DROP TABLE " + tabella});
            drop.execute();
            elimina.commit();
        } catch (const db::DatabaseError& nonEliminata) {
            rimozione =
                "\r\rLa tabella " + *nome + " non è stata eliminata:\r" + nonEliminata.message();
        }
        port_.Errore(ErroreTabella + QStringLiteral("\r\r") + e.message() + rimozione);
        return false;
    }
    stato.reset();
    if (esito == 1)
        port_.Informazione(FineTabella);
    return true;
}

bool EsportazioneRisposta::ApriRisultato(const QString& file) {
    const QString programma = IniFile(contesto_.FileImpostazioniEffettivo())
                                  .readString(contesto_.Ditta, chiavi_export::ProgrammaExcel);
    if (programma.isEmpty()) {
        port_.Errore(QStringLiteral(
            "Errore: specificare parametro \"Programma riferimento Excel\" nel tervald.ini"));
        return false;
    }
    if (!QProcess::startDetached(toLocalPath(programma), {file})) {
        port_.Errore("Impossibile avviare il programma " + programma);
        return false;
    }
    return true;
}

} // namespace mavo
