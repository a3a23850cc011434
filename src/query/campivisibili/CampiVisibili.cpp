#include "query/campivisibili/CampiVisibili.h"

#include "query/collegate/Collegate.h"

#include <QHash>
#include <QSet>
#include <optional>

namespace mavo {

namespace {

// The rows the dialog works on: up to the end of the first side-by-side
// member (or the lock row); the members after it repeat field names of
// their own tables, which are not this query's.
qsizetype fineCampi(const Definizione& righe) {
    for (qsizetype i = 0; i < righe.size(); ++i)
        if (righe[i].Mostra == mostra::Marcatore)
            return i;
    return righe.size();
}

// The letter of the table a field row belongs to ("" for the main table);
// none for rows that are no field.
std::optional<QString> tabellaDelCampo(const RigaDefinizione& riga) {
    if (!mostra::Campo(riga.Mostra))
        return std::nullopt;
    if (riga.Nome.size() > 1 && riga.Nome[1] == u'.')
        return riga.Nome.left(1).toUpper();
    return QString();
}

bool stessoNome(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString nomeCampo(const TabellaQuery& tabella, const QString& campo) {
    return tabella.Lettera.isEmpty() ? campo : tabella.Lettera + u'.' + campo;
}

} // namespace

QVector<TabellaQuery> TabelleQuery(const QString& principale, const QString& prefisso,
                                   const Definizione& righe) {
    QVector<TabellaQuery> tabelle{{principale, {}, {}, false}};
    for (const RigaDefinizione& riga : righe) {
        const QChar lettera = LetteraTestata(riga);
        if (lettera.isNull())
            continue;
        QString percorso = PercorsoTestata(riga);
        if (!percorso.isEmpty() && percorso.mid(1, 1) != u":")
            percorso.prepend(prefisso);
        tabelle.append({NomeTabellaCollegata(riga), percorso, QString(lettera), false});
    }
    return tabelle;
}

QVector<CampoVisibile>
CampiTabelle(const QVector<TabellaQuery>& tabelle, const Definizione& righe,
             const std::function<QStringList(const TabellaQuery&)>& campiDi) {
    const qsizetype fine = fineCampi(righe);
    QVector<CampoVisibile> campi;
    for (const TabellaQuery& tabella : tabelle) {
        if (!tabella.Selezione)
            continue;
        campi.append({tabella.Lettera.isEmpty()
                          ? tabella.NomeTabella
                          : tabella.NomeTabella + QStringLiteral(" = ") + tabella.Lettera,
                      codice_campo::Testata});
        for (const QString& campo : campiDi(tabella)) {
            const QString nome = nomeCampo(tabella, campo);
            const RigaDefinizione* trovata = nullptr;
            for (qsizetype i = 0; i < fine && !trovata; ++i)
                if (righe[i].Mostra != mostra::Chiave && stessoNome(righe[i].Nome, nome))
                    trovata = &righe[i];
            if (!trovata)
                campi.append({nome, codice_campo::Assente});
            else if (mostra::InRisposta(trovata->Mostra) || !trovata->Condizione.isEmpty())
                campi.append({nome, codice_campo::Fisso});
            else if (trovata->Mostra == mostra::Nascosto)
                campi.append({nome, codice_campo::Nascosto});
        }
    }
    return campi;
}

int CodiceScambiato(int codice) {
    if (codice == codice_campo::Assente)
        return codice_campo::Nascosto;
    if (codice == codice_campo::Nascosto)
        return codice_campo::Assente;
    return codice;
}

Definizione RicostruisciDefinizione(const Definizione& righe, const QVector<TabellaQuery>& tabelle,
                                    const QVector<CampoVisibile>& campi) {
    // The field list of each marked table, by its letter, in the list's order.
    QHash<QString, QVector<CampoVisibile>> scelte;
    {
        qsizetype t = -1;
        QVector<CampoVisibile>* corrente = nullptr;
        for (const CampoVisibile& campo : campi) {
            if (campo.Selezione == codice_campo::Testata) {
                do
                    ++t;
                while (t < tabelle.size() && !tabelle[t].Selezione);
                corrente = t < tabelle.size() ? &scelte[tabelle[t].Lettera] : nullptr;
            } else if (corrente) {
                corrente->append(campo);
            }
        }
    }

    const qsizetype fine = fineCampi(righe);
    auto rifatta = [&](const RigaDefinizione& riga) {
        const std::optional<QString> tabella = tabellaDelCampo(riga);
        return tabella && scelte.contains(*tabella);
    };

    // Each marked table's new rows, and the row they go before.
    QHash<qsizetype, Definizione> gruppi;
    for (auto s = scelte.cbegin(); s != scelte.cend(); ++s) {
        const QString& lettera = s.key();
        Definizione gruppo;
        QSet<QString> nominati;
        for (const CampoVisibile& campo : s.value()) {
            nominati.insert(campo.NomeCampo.toUpper());
            if (campo.Selezione == codice_campo::Nascosto)
                gruppo.append({0, campo.NomeCampo, mostra::Nascosto, {}});
            else if (campo.Selezione == codice_campo::Fisso)
                for (qsizetype i = 0; i < fine; ++i)
                    if (tabellaDelCampo(righe[i]) == lettera &&
                        stessoNome(righe[i].Nome, campo.NomeCampo))
                        gruppo.append(righe[i]);
        }
        // Rows naming no field of the table (since dropped from it, or
        // mistyped) are the user's: they stay.
        qsizetype posto = -1;
        for (qsizetype i = 0; i < fine; ++i) {
            if (tabellaDelCampo(righe[i]) != lettera)
                continue;
            if (posto < 0)
                posto = i;
            if (!nominati.contains(righe[i].Nome.toUpper()))
                gruppo.append(righe[i]);
        }
        if (posto < 0) {
            // No field row yet: the main table's go before the linked
            // tables, a linked table's after its header and join keys.
            posto = fine;
            for (qsizetype i = 0; i < fine; ++i) {
                const QChar testata = LetteraTestata(righe[i]);
                if (testata.isNull())
                    continue;
                if (lettera.isEmpty()) {
                    posto = i;
                    break;
                }
                if (QString(testata) == lettera) {
                    posto = i + 1;
                    while (posto < fine && righe[posto].Mostra == mostra::Chiave)
                        ++posto;
                    break;
                }
            }
        }
        gruppi[posto] += gruppo;
    }

    Definizione nuove;
    for (qsizetype i = 0; i < righe.size(); ++i) {
        nuove += gruppi.value(i);
        if (i >= fine || !rifatta(righe[i]))
            nuove.append(righe[i]);
    }
    nuove += gruppi.value(righe.size());
    for (qsizetype i = 0; i < nuove.size(); ++i)
        nuove[i].Numero = int(i) + 1;
    return nuove;
}

} // namespace mavo
