#include "query/blocco/Blocco.h"

#include "platform/Cp1252.h"
#include "platform/Interazione.h"

namespace mavo {

namespace {

const QString NomeBlocco = QStringLiteral("QUERY BLOCCATA");
const QString ChiaveNonValida = QStringLiteral("Impossibile proseguire: Chiave non valida");

bool tuttiUguali(const QString& chiave) {
    return !chiave.isEmpty() && chiave.count(chiave.front()) == chiave.size();
}

bool chiaveNuovaValida(const QString& chiave) {
    return chiave.size() == LunghezzaChiave && !tuttiUguali(chiave);
}

void aggiungiBlocco(Definizione& righe, const QString& condizione) {
    const int numero = righe.isEmpty() ? 1 : righe.last().Numero + 1;
    righe.append({numero, NomeBlocco, mostra::Marcatore, condizione});
}

} // namespace

QString CriptaChiave(const QString& chiave) {
    constexpr unsigned primaMaschera = 0b10100110;
    constexpr unsigned secondaMaschera = 0b01011001;
    // The codes are those of the Windows programs' character set.
    const QByteArray codici = toCp1252(chiave);
    const qsizetype n = codici.size();
    QStringList byte;
    for (qsizetype k = 0; k < n; ++k) {
        const unsigned precedente = quint8(codici[(k + n - 1) % n]);
        const unsigned corrente = quint8(codici[k]);
        byte << QString::number(~((precedente & primaMaschera) | (corrente & secondaMaschera)) &
                                0xFFu);
    }
    return byte.join(u' ');
}

std::optional<QString> ChiaveNonAccettabile(const QString& chiave) {
    if (chiave.isEmpty())
        return QStringLiteral("Inserire una chiave");
    if (chiave.size() != LunghezzaChiave)
        return QStringLiteral("La chiave inserita deve essere composta da sei caratteri!");
    if (tuttiUguali(chiave))
        return QStringLiteral("Impossibile inserire una chiave con tutti i caratteri uguali!");
    return std::nullopt;
}

int RigaBlocco(const Definizione& righe) {
    for (int i = 0; i < righe.size(); ++i)
        if (righe[i].Mostra == mostra::Marcatore)
            return i;
    return -1;
}

BloccoQuery::BloccoQuery(Interazione& port, bool bloccata, const Definizione& righe) : port_(port) {
    if (!bloccata)
        return;
    const int riga = RigaBlocco(righe);
    if (riga < 0)
        return;
    chiaveSalvata_ = righe[riga].Condizione;
    tipo_ = chiaveSalvata_.isEmpty() ? TipoBlocco::Semplice : TipoBlocco::ConChiave;
}

bool BloccoQuery::AccettaChiave(const QString& chiave) {
    if (const std::optional<QString> motivo = ChiaveNonAccettabile(chiave)) {
        port_.Informazione(*motivo);
        return false;
    }
    if (tipo_ == TipoBlocco::ConChiave) {
        chiaveValida_ = CriptaChiave(chiave) == chiaveSalvata_;
        if (!chiaveValida_)
            port_.Informazione(QStringLiteral("Chiave Errata"));
        return chiaveValida_;
    }
    chiaveValida_ = true;
    port_.Informazione(QStringLiteral("Nuova chiave corretta"));
    return true;
}

bool BloccoQuery::Applica(TipoBlocco nuovo, const QString& chiave, Definizione& righe,
                          bool& bloccata) {
    if (nuovo == tipo_)
        return true;
    const bool conChiaveNuova = nuovo == TipoBlocco::ConChiave;
    if (conChiaveNuova && !chiaveNuovaValida(chiave)) {
        port_.Informazione(ChiaveNonValida);
        return false;
    }
    if (tipo_ == TipoBlocco::ConChiave && !chiaveValida_) {
        port_.Informazione(ChiaveNonValida);
        return false;
    }
    const int riga = RigaBlocco(righe);
    if (tipo_ == TipoBlocco::Nessuno) {
        aggiungiBlocco(righe, conChiaveNuova ? CriptaChiave(chiave) : QString());
    } else if (nuovo == TipoBlocco::Nessuno) {
        // From the last row back, as rows are taken out.
        for (qsizetype i = righe.size() - 1; i >= 0; --i)
            if (righe[i].Mostra == mostra::Marcatore &&
                (tipo_ == TipoBlocco::Semplice || !righe[i].Condizione.isEmpty()))
                righe.remove(i);
    } else if (riga >= 0) {
        // Between the two kinds only the lock row's key changes, wherever the
        // row is (a chain marker may follow it).
        righe[riga].Condizione = conChiaveNuova ? CriptaChiave(chiave) : QString();
    } else {
        aggiungiBlocco(righe, conChiaveNuova ? CriptaChiave(chiave) : QString());
    }
    bloccata = nuovo != TipoBlocco::Nessuno;
    tipo_ = nuovo;
    chiaveSalvata_ = conChiaveNuova ? CriptaChiave(chiave) : QString();
    return true;
}

} // namespace mavo
