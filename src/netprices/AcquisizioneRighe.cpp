#include "netprices/AcquisizioneRighe.h"
#include "platform/SqlTesto.h"

#include "common/Testo.h"
#include "db/DatabaseError.h"
#include "netprices/Catalogo.h"
#include "platform/Formats.h"
#include "platform/Interazione.h"

#include <algorithm>
#include <iterator>

namespace mavo {

namespace {

constexpr QChar Separatore = u';';
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

// "NETTO" anywhere in the field, the letters compared without regard to case;
// no other character folds to one of them, so ASCII is all there is to it.
bool netto(QStringView campo) {
    static constexpr char16_t minuscole[] = u"netto";
    constexpr qsizetype lunghezza = std::size(minuscole) - 1;
    for (qsizetype i = 0; i + lunghezza <= campo.size(); ++i) {
        qsizetype k = 0;
        while (k < lunghezza && (campo[i + k].unicode() | 0x20) == minuscole[k])
            ++k;
        if (k == lunghezza)
            return true;
    }
    return false;
}

QString scartata(qint64 numero, const QString& motivo) {
    return QStringLiteral("Riga %1 scartata: ").arg(numero) + motivo;
}

const QStringList Inserimento{"INSERT INTO MANUTENZIONENETTI(",
                              "CODICE,",
                              "DESCRIZIONE,",
                              "PREZZO",
                              ")",
                              "VALUES(",
                              ":CODICE,",
                              ":DESCRIZIONE,",
                              ":PREZZO",
                              ")"};
const QStringList Controllo{"SELECT", "  COUNT(*) AS TOT", "FROM", "  MANUTENZIONENETTI",
                            "WHERE",  "  CODICE=:CODICE"};

} // namespace

AcquisizioneRighe::AcquisizioneRighe(db::Database& database, db::Transaction& transazione,
                                     Interazione& port)
    : port_(port), inserimento_(&database, &transazione), controllo_(&database, &transazione),
      blocco_(&database, &transazione, RigheBlocco, preparaIstruzioni(database)) {
    attesa_.reserve(RigheBlocco);
}

// The block gives each row the outcome of the duplicate check (TOT) and, when
// the code is new and the row has a price, inserts it: what one row at a
// time does, in the same transaction. A row of nulls finds nothing and
// inserts nothing.
//
// When an insert of a code already there is bound to fail (a unique index on
// CODICE) and does nothing else (no trigger), the insert goes first and the
// check only runs when it fails: the outcome is the same, for a fraction of
// the work, as most codes are new. A failure the check does not explain is
// raised again, so that the row is reported with its own message.
db::RowBlock::Definition AcquisizioneRighe::preparaIstruzioni(db::Database& database) {
    inserimento_.setSql(Inserimento);
    inserimento_.prepare();
    controllo_.setSql(Controllo);
    controllo_.prepare();
    QStringList controllo = db::RowBlock::perRow(Controllo) << "INTO :TOT#;";
    QStringList inserimento = db::RowBlock::perRow(Inserimento);
    inserimento.last() += ';';
    QStringList corpo;
    if (ColonnaUnivoca(database, "MANUTENZIONENETTI", "CODICE") &&
        SenzaTrigger(database, "MANUTENZIONENETTI")) {
        corpo << "TOT# = 0;"
              << "IF (PREZZO# IS NULL) THEN" << controllo << "ELSE"
              << "BEGIN" << inserimento << "  WHEN GDSCODE UNIQUE_KEY_VIOLATION, GDSCODE NO_DUP DO"
              << "  BEGIN" << controllo << "    IF (TOT# = 0) THEN"
              << "      EXCEPTION;"
              << "  END"
              << "END";
    } else {
        corpo << controllo << "IF (TOT# = 0 AND PREZZO# IS NOT NULL) THEN" << inserimento;
    }
    return {.inputs = {{"CODICE#", inserimento_.paramType("CODICE")},
                       {"DESCRIZIONE#", inserimento_.paramType("DESCRIZIONE")},
                       {"PREZZO#", inserimento_.paramType("PREZZO")}},
            .outputs = {{"TOT#", controllo_.columnType(0)}},
            .body = corpo};
}

std::optional<AcquisizioneRighe::Riga> AcquisizioneRighe::Valuta(QStringView riga, qint64 numero) {
    if (!netto(EstraiCampo(riga, 5, Separatore)))
        return std::nullopt;
    Riga r;
    r.numero = numero;
    r.codice = EstraiCampo(riga, 1, Separatore);
    if (r.codice.isEmpty())
        return std::nullopt;
    if (const qsizetype lunghezza = caratteri(r.codice); lunghezza > MassimoCodice) {
        r.riepilogo << scartata(numero, QStringLiteral("Codice non può superare i 30 car., "
                                                       "\"%1\" da %2 car.")
                                            .arg(r.codice, QString::number(lunghezza)));
        r.codice.clear();
        return r;
    }
    // Checked as it will be stored, so that a code repeated with an apostrophe
    // is reported as a repetition and not as a failed insert.
    r.codiceSalvato = sql::conAcuto(r.codice);

    QString descrizione = EstraiCampo(riga, 2, Separatore);
    if (const qsizetype lunghezza = caratteri(descrizione); lunghezza > MassimoDescrizione) {
        r.riepilogo << QStringLiteral(
                           "Riga %1: Descrizione non può superare i 50 car., \"%2\" da %3 car. - "
                           "verrà troncata")
                           .arg(QString::number(numero), descrizione, QString::number(lunghezza));
        descrizione = primiCaratteri(descrizione, MassimoDescrizione);
    }
    r.descrizione = sql::conAcuto(descrizione);

    QString campoPrezzo = EstraiCampo(riga, 3, Separatore);
    campoPrezzo.remove(Euro);
    campoPrezzo.remove(u'.'); // always a thousands separator
    const QString prezzo = senzaBordi(campoPrezzo).toString();
    if (prezzo.isEmpty()) {
        r.riepilogo << scartata(numero, QStringLiteral("Prezzo non trovato"));
    } else if (const std::optional<double> valore = textToFloat(prezzo); !valore) {
        r.riepilogo << scartata(numero, QStringLiteral("Prezzo \"%1\" non valido").arg(prezzo));
    } else if (*valore == 0) {
        r.riepilogo << scartata(numero, QStringLiteral("Prezzo a 0"));
    } else {
        r.prezzo = valore;
    }
    return r;
}

void AcquisizioneRighe::Acquisisci(Riga riga) {
    attesa_.push_back(std::move(riga));
    if (attesa_.size() == RigheBlocco)
        Completa();
}

void AcquisizioneRighe::Completa() {
    if (attesa_.empty())
        return;
    try {
        for (int r = 0; r < RigheBlocco; ++r) {
            const Riga* riga =
                r < int(attesa_.size()) && !attesa_[r].codice.isEmpty() ? &attesa_[r] : nullptr;
            blocco_.setParam(r, 0, riga ? QVariant(riga->codiceSalvato) : QVariant());
            blocco_.setParam(r, 1, riga && riga->prezzo ? QVariant(riga->descrizione) : QVariant());
            blocco_.setParam(r, 2, riga && riga->prezzo ? QVariant(*riga->prezzo) : QVariant());
        }
        blocco_.execute();
    } catch (const db::DatabaseError&) {
        // Nothing of the block stays: one row at a time, the failing row is
        // reported as such and the others go in.
        for (const Riga& riga : attesa_)
            unaAllaVolta(riga);
        attesa_.clear();
        return;
    }
    for (int r = 0; r < int(attesa_.size()); ++r) {
        const Riga& riga = attesa_[r];
        if (!riga.codice.isEmpty() && blocco_.value(r, 0).toLongLong() > 0) {
            riportaRipetizione(riga);
            continue;
        }
        for (const QString& linea : riga.riepilogo)
            port_.AggiungiRiepilogo(linea);
        if (riga.prezzo)
            ++acquisite_;
    }
    attesa_.clear();
}

void AcquisizioneRighe::riportaRipetizione(const Riga& riga) {
    port_.AggiungiRiepilogo(scartata(
        riga.numero,
        QStringLiteral("Codice \"%1\" già acquisito in una riga precedente").arg(riga.codice)));
}

void AcquisizioneRighe::unaAllaVolta(const Riga& riga) {
    if (!riga.codice.isEmpty() && giaAcquisito(riga.codiceSalvato))
        return riportaRipetizione(riga);
    for (const QString& linea : riga.riepilogo)
        port_.AggiungiRiepilogo(linea);
    if (riga.prezzo)
        inserisci(riga);
}

bool AcquisizioneRighe::giaAcquisito(const QString& codice) {
    controllo_.setParam("CODICE", codice);
    controllo_.execute();
    const bool trovato = controllo_.fetch() && controllo_.value(0).toLongLong() > 0;
    controllo_.close();
    return trovato;
}

void AcquisizioneRighe::inserisci(const Riga& riga) {
    inserimento_.setParam("CODICE", riga.codiceSalvato);
    inserimento_.setParam("DESCRIZIONE", riga.descrizione);
    inserimento_.setParam("PREZZO", *riga.prezzo);
    try {
        inserimento_.execute();
        ++acquisite_;
    } catch (const db::DatabaseError& e) {
        port_.AggiungiRiepilogo(
            scartata(riga.numero, QStringLiteral("Errore durante l'acquisizione")));
        port_.AggiungiRiepilogo(e.message());
    }
}

} // namespace mavo
