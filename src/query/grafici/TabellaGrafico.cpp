#include "query/grafici/TabellaGrafico.h"

#include "common/TabelleTemp.h"
#include "common/Testo.h"
#include "dataset/Dataset.h"
#include "platform/ErroreProgrammazione.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"
#include "query/risposta/Risposta.h"

#include <QDir>

namespace mavo {

namespace {

const QString NomeBase = QStringLiteral("GRAFTMP.DB");

// Rows written between two chances for the windows to repaint.
constexpr qsizetype RighePerPausa = 20000;

bool adattoAsseX(FieldType tipo) {
    switch (tipo) {
    case FieldType::String:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return true;
    default:
        return false;
    }
}

// BIGINT counts among the numbers: Firebird gives COUNT() and the sums of
// integers as BIGINT, the first things one charts.
bool numerico(const Field& campo) {
    return campo.isNumeric();
}

int posizione(const Dataset& risposta, const QString& nome) {
    const Field* campo = risposta.findField(nome);
    if (!campo)
        throw ErroreProgrammazione(QStringLiteral("Campo del grafico assente: ") + nome);
    return campo->fieldNo();
}

// What the chart needs of one record: its x description and its values, the
// value column's first.
struct LetturaRecord {
    QString descrizione;
    QVector<double> valori;
};

} // namespace

QStringList CampiAsseX(const Dataset& risposta) {
    QStringList nomi;
    for (int i = 0; i < risposta.fieldCount(); ++i) {
        const Field* campo = risposta.field(i);
        if (adattoAsseX(campo->dataType()) || numerico(*campo))
            nomi << campo->fieldName();
    }
    return nomi;
}

QStringList CampiValori(const Dataset& risposta, const QString& campoX) {
    QStringList nomi;
    for (int i = 0; i < risposta.fieldCount(); ++i) {
        const Field* campo = risposta.field(i);
        if (numerico(*campo) && campo->fieldName() != campoX)
            nomi << campo->fieldName();
    }
    return nomi;
}

QString TestoDescrizione(const QVariant& valore, FieldType tipo) {
    if (valore.isNull())
        return {};
    switch (tipo) {
    case FieldType::String:
        return TogliSpaziFinali(valore.toString());
    case FieldType::Float:
        return floatToText(valore.toDouble());
    case FieldType::Date:
        return dateToText(valore.toDate());
    case FieldType::Time:
        return timeToText(valore.toTime());
    case FieldType::DateTime:
        return dateTimeToText(valore.toDateTime());
    default:
        return valore.toString();
    }
}

QString NumeroOriginale(qsizetype numero, qsizetype totale) {
    int cifre = totale < 100 ? 2 : totale < 1000 ? 3 : 4;
    // Past 9,999 records four digits would sort 10000 before 2000.
    cifre = std::max(cifre, int(QString::number(totale).size()));
    return QStringLiteral("%1.").arg(numero, cifre, 10, QLatin1Char('0'));
}

TabellaGrafico::TabellaGrafico(const QString& directoryLavoro)
    : directory_(joinPath(directoryLavoro, QStringLiteral("QUERY\\RISPTMP\\GRAFTMP"))),
      tabella_(directory_, NomeBase) {}

TabellaGrafico::~TabellaGrafico() {
    try {
        Chiudi();
    } catch (...) {
        // A work file left behind harms nobody.
    }
}

QList<LocalField> TabellaGrafico::Campi() {
    using T = LocalField::Type;
    return {{"Descrizione1", T::String, LarghezzaDescrizione},
            {"Descrizione2", T::String, LarghezzaDescrizione},
            {"Valore", T::Float, 0},
            {"Descrizione1Intera", T::Memo, 0},
            {"Descrizione2Intera", T::Memo, 0}};
}

void TabellaGrafico::Riempi(Risposta& risposta, const ImpostazioniGrafico& impostazioni,
                            Interazione& port) {
    Dataset& dati = risposta.Dati();
    const int colonnaX = posizione(dati, impostazioni.CampoX);
    const FieldType tipoX = dati.findField(impostazioni.CampoX)->dataType();
    QStringList serie{dati.findField(impostazioni.CampoY)->fieldName()};
    QVector<int> colonne{posizione(dati, impostazioni.CampoY)};
    for (const QString& nome : impostazioni.SerieAggiunte) {
        colonne << posizione(dati, nome);
        serie << dati.findField(nome)->fieldName();
    }

    // A numbered alternative of an earlier chart goes: this one starts again
    // from the base name, and would otherwise leave the old file behind.
    Chiudi();
    tabella_.setFileName(NomeBase);
    QDir().mkpath(toLocalPath(directory_));
    const QList<LocalField> campi = Campi();
    if (PreparaTabellaTemp(tabella_) != QStringLiteral("Esiste Libera") ||
        tabella_.fields() != campi)
        tabella_.create(campi);

    // The answer is read once, whatever the number of series; the record
    // count decides the width of the "Originale" numbers.
    std::vector<LetturaRecord> letti;
    risposta.Scorri([&](const QVariantList& riga) {
        LetturaRecord record{TestoDescrizione(riga.value(colonnaX), tipoX), {}};
        record.valori.reserve(colonne.size());
        for (int colonna : colonne)
            record.valori << riga.value(colonna).toDouble(); // null: 0
        letti.push_back(std::move(record));
        if (letti.size() % RighePerPausa == 0)
            port.PompaMessaggi();
    });

    const qsizetype totale = qsizetype(letti.size());
    tabella_.beginBatch();
    for (qsizetype s = 0; s < serie.size(); ++s) {
        for (qsizetype i = 0; i < totale; ++i) {
            const LetturaRecord& record = letti[size_t(i)];
            const QString descrizione = impostazioni.Originale
                                            ? NumeroOriginale(i + 1, totale) + record.descrizione
                                            : record.descrizione;
            tabella_.insert({descrizione, serie[s], record.valori[s], descrizione, serie[s]});
        }
        port.PompaMessaggi();
    }
    tabella_.commitBatch();
}

bool TabellaGrafico::Chiudi() {
    tabella_.close();
    return EliminaTabellaTemp(tabella_, NomeBase);
}

} // namespace mavo
