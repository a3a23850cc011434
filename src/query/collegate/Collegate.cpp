#include "query/collegate/Collegate.h"

#include "platform/Interazione.h"
#include "query/motore/Condizione.h"

#include <QRegularExpression>

namespace mavo {

namespace {

// The letter of an "L.FIELD" row.
QChar letteraCampo(const RigaDefinizione& riga) {
    if (riga.Nome.size() < 3 || riga.Nome[1] != u'.')
        return {};
    const QChar lettera = riga.Nome[0].toUpper();
    return lettera >= u'A' && lettera <= u'Z' ? lettera : QChar();
}

// A condition that names a field of the table with alias `lettera`: the join
// field of a key row, or "L." inside an SQL condition or a computed column.
bool nominaTabella(const RigaDefinizione& riga, QChar lettera) {
    const QString prefisso = QString(lettera) + u'.';
    if (riga.Mostra == mostra::Chiave)
        return riga.Condizione.startsWith(prefisso, Qt::CaseInsensitive);
    if (!mostra::Campo(riga.Mostra))
        return false;
    const Condizione::Tipo tipo = AnalizzaCondizione(riga.Condizione).tipo;
    if (tipo == Condizione::Tipo::Vuota || tipo == Condizione::Tipo::Ricerca)
        return riga.Condizione.startsWith(prefisso, Qt::CaseInsensitive);
    const QRegularExpression alias(QStringLiteral("(^|[^A-Za-z0-9_.\"$])") + lettera + "\\.",
                                   QRegularExpression::CaseInsensitiveOption);
    return alias.match(riga.Condizione).hasMatch();
}

} // namespace

QChar LetteraTestata(const RigaDefinizione& riga) {
    if (!mostra::Testata(riga.Mostra) || riga.Nome.size() < 5 ||
        !riga.Nome.chopped(1).endsWith(QStringLiteral(" = ")))
        return {};
    const QChar lettera = riga.Nome.back().toUpper();
    return lettera >= u'A' && lettera <= u'Z' ? lettera : QChar();
}

QString NomeTabellaCollegata(const RigaDefinizione& testata) {
    return testata.Nome.chopped(4);
}

QString PercorsoTestata(const RigaDefinizione& testata) {
    return testata.Condizione == u"P" ? QString() : testata.Condizione;
}

QChar LetteraSuccessiva(const Definizione& righe) {
    QChar massima;
    for (const RigaDefinizione& riga : righe)
        for (const QChar lettera : {LetteraTestata(riga), letteraCampo(riga)})
            if (!lettera.isNull() && (massima.isNull() || lettera > massima))
                massima = lettera;
    if (massima.isNull())
        return u'A';
    return massima == u'Z' ? QChar() : QChar(massima.unicode() + 1);
}

QStringList TabelleCollegate(const Definizione& righe) {
    QStringList nomi;
    for (const RigaDefinizione& riga : righe)
        // Side-by-side members repeat the first member's headers.
        if (!LetteraTestata(riga).isNull() && !nomi.contains(riga.Nome))
            nomi << riga.Nome;
    return nomi;
}

bool TabellaPresente(const Definizione& righe, const QString& tabella, const QString& percorso) {
    for (const RigaDefinizione& riga : righe)
        if (!LetteraTestata(riga).isNull() &&
            NomeTabellaCollegata(riga).compare(tabella, Qt::CaseInsensitive) == 0 &&
            PercorsoTestata(riga) == percorso)
            return true;
    return false;
}

QStringList CampiPrincipali(const Definizione& righe) {
    QStringList nomi;
    for (const RigaDefinizione& riga : righe)
        if (riga.Mostra == mostra::Nascosto || riga.Mostra == mostra::Mostrato)
            nomi << riga.Nome;
    return nomi;
}

bool AggiungiTabella(Definizione& righe, const TabellaDaCollegare& scelta, Interazione& port) {
    if (scelta.Tabella.isEmpty() || scelta.Tabella.compare(u"*.db", Qt::CaseInsensitive) == 0) {
        port.Informazione(QStringLiteral("Si prega di scegliere una tabella da collegare!!"));
        return false;
    }
    if (scelta.Legami.isEmpty()) {
        port.Informazione(QStringLiteral("Si prega di creare almeno un collegamento!!"));
        return false;
    }
    if (scelta.Campi.isEmpty()) {
        port.Informazione(
            QStringLiteral("Si prega di scegliere almeno un campo da visualizzare!!"));
        return false;
    }
    if (TabellaPresente(righe, scelta.Tabella, scelta.Percorso)) {
        port.Informazione(QStringLiteral("Tabella gia presente nella Query!"));
        return false;
    }
    const QChar lettera = LetteraSuccessiva(righe);
    if (lettera.isNull()) {
        port.Informazione(QStringLiteral(
            "Impossibile collegare altre tabelle: sono già in uso tutte le lettere da A a Z!"));
        return false;
    }
    int numero = righe.isEmpty() ? 0 : righe.last().Numero;
    const QString alias = QString(lettera) + u'.';
    const QString condizione = !scelta.Percorso.isEmpty()                     ? scelta.Percorso
                               : scelta.Modo == ModoJoin::LeftCondizioniPrima ? QStringLiteral("P")
                                                                              : QString();
    righe.append({++numero, scelta.Tabella + QStringLiteral(" = ") + lettera,
                  scelta.Modo == ModoJoin::Right ? mostra::TestataRight : mostra::TestataLeft,
                  condizione});
    QVector<Legame> scritti;
    for (const Legame& legame : scelta.Legami) {
        if (scritti.contains(legame))
            continue;
        scritti << legame;
        righe.append(
            {++numero, alias + legame.CampoCollegato, mostra::Chiave, legame.CampoPrincipale});
    }
    for (const QString& campo : scelta.Campi)
        righe.append({++numero, alias + campo, mostra::Mostrato, {}});
    return true;
}

bool EliminaTabella(Definizione& righe, const QString& testata, Interazione& port) {
    const auto trovata = std::find_if(righe.cbegin(), righe.cend(), [&](const RigaDefinizione& r) {
        return r.Nome == testata && !LetteraTestata(r).isNull();
    });
    if (trovata == righe.cend())
        return false;
    const QChar lettera = LetteraTestata(*trovata);
    const QString prefisso = QString(lettera) + u'.';
    for (const RigaDefinizione& riga : righe) {
        if (riga.Nome.startsWith(prefisso, Qt::CaseInsensitive))
            continue;
        if (nominaTabella(riga, lettera)) {
            port.Informazione(
                QStringLiteral("Cancellazione Impossibile: la tabella da eliminare\rha un "
                               "collegamento con una tabella presente nella query!"));
            return false;
        }
    }
    if (!port.Conferma(QStringLiteral("Elimino la tabella e gli elementi ad essa collegata?")))
        return false;
    Definizione rimaste;
    for (const RigaDefinizione& riga : std::as_const(righe))
        if (LetteraTestata(riga) != lettera && !riga.Nome.startsWith(prefisso, Qt::CaseInsensitive))
            rimaste << riga;
    for (qsizetype i = 0; i < rimaste.size(); ++i)
        rimaste[i].Numero = int(i) + 1;
    righe = rimaste;
    return true;
}

} // namespace mavo
