#include "query/motore/Condizione.h"

#include <QList>
#include <functional>

namespace mavo {

namespace {

constexpr int LunghezzaMassimaCalcolo = 255;

bool carattereIdentificatore(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

void FuoriDaiLetterali(const QString& testo, const std::function<void(qsizetype)>& visita) {
    QChar apertura;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (!apertura.isNull()) {
            if (c == apertura)
                apertura = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            apertura = c;
            continue;
        }
        visita(i);
    }
}

namespace {

// Where each whole word `parola` starts outside literals.
QList<qsizetype> posizioniParola(const QString& testo, const QString& parola) {
    QList<qsizetype> trovate;
    FuoriDaiLetterali(testo, [&](qsizetype i) {
        if (testo.size() - i < parola.size() ||
            QStringView(testo).sliced(i, parola.size()).compare(parola, Qt::CaseInsensitive) != 0)
            return;
        const qsizetype fine = i + parola.size();
        if ((i > 0 && carattereIdentificatore(testo[i - 1])) ||
            (fine < testo.size() && carattereIdentificatore(testo[fine])))
            return;
        trovate << i;
    });
    return trovate;
}

// Where `parola(` starts, or -1; `dopo` is then the position of the "(".
qsizetype trovaFunzione(const QString& testo, const QString& parola, qsizetype* dopo = nullptr) {
    for (const qsizetype i : posizioniParola(testo, parola)) {
        qsizetype j = i + parola.size();
        while (j < testo.size() && testo[j] == u' ')
            ++j;
        if (j < testo.size() && testo[j] == u'(') {
            if (dopo)
                *dopo = j;
            return i;
        }
    }
    return -1;
}

// CALC followed by "(" or by one of the words of the columns computed after
// reading: "CALC(A*B)", "(CALC (A*B) AS T)", "(CALC SOMMAPROG(N) AS P)".
qsizetype trovaCalc(const QString& testo) {
    for (const qsizetype i : posizioniParola(testo, QStringLiteral("CALC"))) {
        const QString resto = testo.mid(i + 4).trimmed();
        if (resto.startsWith(u'(') || trovaFunzione(resto, QStringLiteral("SOMMAPROG")) == 0 ||
            trovaFunzione(resto, QStringLiteral("INTEROVEK")) == 0)
            return i;
    }
    return -1;
}

// The text after CALC, kept while there are no more closing than opening
// parentheses, so that "(CALC (A*B) AS T)" gives "(A*B) AS T".
QString espressioneCalc(const QString& testo, qsizetype dopoCalc) {
    int livello = 0;
    qsizetype fine = dopoCalc;
    for (; fine < testo.size(); ++fine) {
        if (testo[fine] == u'(')
            ++livello;
        else if (testo[fine] == u')' && --livello < 0)
            break;
    }
    return testo.mid(dopoCalc, std::min<qsizetype>(fine - dopoCalc, LunghezzaMassimaCalcolo))
        .trimmed();
}

QString senzaSpazi(QString testo) {
    return testo.remove(u' ');
}

// SOMMAPROG(field[,order]) AS NAME, INTEROVEK(field) AS NAME.
void leggiArgomenti(Condizione& c, const QString& espressione, qsizetype parentesi) {
    const qsizetype chiusa = espressione.indexOf(u')', parentesi);
    const QString argomenti =
        espressione.mid(parentesi + 1, (chiusa < 0 ? espressione.size() : chiusa) - parentesi - 1);
    c.campo = senzaSpazi(argomenti.section(u',', 0, 0));
    // The order keeps its blanks: "DATA DESC" is an order, "DATADESC" is not.
    c.ordine = argomenti.contains(u',') ? argomenti.section(u',', 1).trimmed() : QString();
    const qsizetype as =
        espressione.indexOf(QStringLiteral("AS "), chiusa < 0 ? 0 : chiusa, Qt::CaseInsensitive);
    if (as < 0) {
        c.nome = QStringLiteral("XXXXXX");
        return;
    }
    const qsizetype fine = espressione.indexOf(u')', as);
    c.nome = senzaSpazi(espressione.mid(as + 3, fine < 0 ? -1 : fine - as - 3));
}

// "(Set)" stands for the main table's column SET, whose name is a keyword.
QString colonnaSet(QString espressione) {
    return espressione.replace(QStringLiteral("(Set)"), QStringLiteral("(XX.\"SET\")"),
                               Qt::CaseInsensitive);
}

bool aggrega(const QString& espressione) {
    for (const char* funzione : {"SUM", "COUNT", "MIN", "MAX", "AVG"})
        if (ContieneFunzione(espressione, QString::fromLatin1(funzione)))
            return true;
    return false;
}

} // namespace

bool ContieneFunzione(const QString& testo, const QString& parola) {
    return trovaFunzione(testo, parola) >= 0;
}

Condizione AnalizzaCondizione(const QString& testo) {
    Condizione c;
    c.testo = testo;
    if (testo.isEmpty())
        return c;
    qsizetype parentesi = -1;
    if (const qsizetype calc = trovaCalc(testo); calc >= 0) {
        const QString espressione = espressioneCalc(testo, calc + 4);
        if (trovaFunzione(espressione, QStringLiteral("SOMMAPROG"), &parentesi) >= 0) {
            c.tipo = Condizione::Tipo::SommaProg;
            leggiArgomenti(c, espressione, parentesi);
        } else if (trovaFunzione(espressione, QStringLiteral("INTEROVEK"), &parentesi) >= 0) {
            c.tipo = Condizione::Tipo::InteroVek;
            leggiArgomenti(c, espressione, parentesi);
        } else {
            c.tipo = Condizione::Tipo::Calcolata;
            c.espressione = colonnaSet(espressione);
        }
    } else if (ContieneFunzione(testo, QStringLiteral("EXTRACT"))) {
        c.tipo = Condizione::Tipo::Calcolata;
        c.espressione = colonnaSet(testo.toUpper());
    } else {
        c.tipo = testo.startsWith(u'(') ? Condizione::Tipo::Sql : Condizione::Tipo::Ricerca;
        return c;
    }
    if (c.tipo == Condizione::Tipo::Calcolata) {
        c.aggregata = aggrega(c.espressione);
        c.estrazione = ContieneFunzione(c.espressione, QStringLiteral("EXTRACT"));
    }
    return c;
}

QString PrefissaCampo(const QString& condizione, const QString& campo) {
    QString risultato = condizione;
    const QList<qsizetype> posizioni = posizioniParola(condizione, campo);
    // From the end, so that earlier positions stay valid.
    for (auto it = posizioni.crbegin(); it != posizioni.crend(); ++it) {
        if (*it > 0 && condizione[*it - 1] == u'.')
            continue;
        risultato.insert(*it, QStringLiteral("XX."));
    }
    return risultato;
}

} // namespace mavo
