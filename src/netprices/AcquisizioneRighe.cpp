#include "netprices/AcquisizioneRighe.h"

#include "common/Testo.h"
#include "db/DatabaseError.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"

#include <algorithm>

namespace mavo {

namespace {

constexpr QChar Separatore = u';';
constexpr QChar Apostrofo = u'\'';
constexpr QChar Acuto = u'\u00B4'; // stored data has it where the file has an apostrophe
constexpr QChar Euro = u'\u20AC';
constexpr int MassimoCodice = 30;
constexpr int MassimoDescrizione = 50;

// Lengths are in characters as the database counts them; a character outside
// the basic plane is one, not two.
qsizetype caratteri(QStringView testo) {
    return testo.size() -
           std::count_if(testo.begin(), testo.end(), [](QChar c) { return c.isLowSurrogate(); });
}

QString primiCaratteri(const QString& testo, qsizetype quanti) {
    qsizetype fine = 0;
    for (qsizetype presi = 0; fine < testo.size() && presi < quanti; ++presi)
        fine += testo[fine].isHighSurrogate() && fine + 1 < testo.size() ? 2 : 1;
    return testo.left(fine);
}

// Blanks and control characters at both ends go.
QStringView senzaBordi(QStringView testo) {
    while (!testo.isEmpty() && testo.front().unicode() <= u' ')
        testo = testo.sliced(1);
    while (!testo.isEmpty() && testo.back().unicode() <= u' ')
        testo.chop(1);
    return testo;
}

QString conAcuti(QString testo) {
    return testo.replace(Apostrofo, Acuto);
}

} // namespace

AcquisizioneRighe::AcquisizioneRighe(db::Database& database, db::Transaction& transazione,
                                     Interazione& port)
    : port_(port), inserimento_(&database, &transazione), controllo_(&database, &transazione) {
    inserimento_.setSql({"INSERT INTO MANUTENZIONENETTI(", "CODICE,", "DESCRIZIONE,", "PREZZO", ")",
                         "VALUES(", ":CODICE,", ":DESCRIZIONE,", ":PREZZO", ")"});
    inserimento_.prepare();
    controllo_.setSql({"SELECT", "  COUNT(*) AS TOT", "FROM", "  MANUTENZIONENETTI", "WHERE",
                       "  CODICE=:CODICE"});
    controllo_.prepare();
}

void AcquisizioneRighe::scarta(qint64 numero, const QString& motivo) {
    port_.AggiungiRiepilogo(QStringLiteral("Riga %1 scartata: ").arg(numero) + motivo);
}

bool AcquisizioneRighe::giaAcquisito(const QString& codice) {
    controllo_.setParam("CODICE", codice);
    controllo_.execute();
    const bool trovato = controllo_.fetch() && controllo_.value(0).toLongLong() > 0;
    controllo_.close();
    return trovato;
}

void AcquisizioneRighe::Acquisisci(QStringView riga, qint64 numero) {
    if (!EstraiCampo(riga, 5, Separatore).contains(u"NETTO", Qt::CaseInsensitive))
        return;
    const QString codice = EstraiCampo(riga, 1, Separatore);
    if (codice.isEmpty())
        return;
    if (const qsizetype lunghezza = caratteri(codice); lunghezza > MassimoCodice)
        return scarta(numero, QStringLiteral("Codice non può superare i 30 car., \"%1\" da %2 car.")
                                  .arg(codice, QString::number(lunghezza)));
    // Checked as it will be stored, so that a code repeated with an apostrophe
    // is reported as a repetition and not as a failed insert.
    const QString codiceSalvato = conAcuti(codice);
    if (giaAcquisito(codiceSalvato))
        return scarta(
            numero,
            QStringLiteral("Codice \"%1\" già acquisito in una riga precedente").arg(codice));

    QString descrizione = EstraiCampo(riga, 2, Separatore);
    if (const qsizetype lunghezza = caratteri(descrizione); lunghezza > MassimoDescrizione) {
        port_.AggiungiRiepilogo(
            QStringLiteral("Riga %1: Descrizione non può superare i 50 car., \"%2\" da %3 car. - "
                           "verrà troncata")
                .arg(QString::number(numero), descrizione, QString::number(lunghezza)));
        descrizione = primiCaratteri(descrizione, MassimoDescrizione);
    }

    QString campoPrezzo = EstraiCampo(riga, 3, Separatore);
    campoPrezzo.remove(Euro);
    campoPrezzo.remove(u'.'); // always a thousands separator
    const QString prezzo = senzaBordi(campoPrezzo).toString();
    if (prezzo.isEmpty())
        return scarta(numero, QStringLiteral("Prezzo non trovato"));
    const std::optional<double> valore = textToFloat(prezzo);
    if (!valore)
        return scarta(numero, QStringLiteral("Prezzo \"%1\" non valido").arg(prezzo));
    if (*valore == 0)
        return scarta(numero, QStringLiteral("Prezzo a 0"));

    inserimento_.setParam("CODICE", codiceSalvato);
    inserimento_.setParam("DESCRIZIONE", conAcuti(descrizione));
    inserimento_.setParam("PREZZO", *valore);
    try {
        inserimento_.execute();
        ++acquisite_;
    } catch (const db::DatabaseError& e) {
        scarta(numero, QStringLiteral("Errore durante l'acquisizione"));
        port_.AggiungiRiepilogo(e.message());
    }
}

} // namespace mavo
