#include "query/motore/CostruttoreSql.h"

#include "common/DateSQL.h"
#include "platform/SqlTesto.h"

namespace mavo {

namespace {

// "L.FIELD" of a linked table as it is; a main-table field with the alias.
QString campoQualificato(const QString& nome) {
    return nome.size() > 1 && nome[1] == u'.' ? nome : QStringLiteral("XX.") + nome;
}

QString campoDellaRiga(const QString& nome) {
    return nome.contains(u'.') ? nome : QStringLiteral("XX.") + nome;
}

// Rows whose field contains the text, in any case. A text field is compared
// in full (at least as long as the field itself), a memo as it is.
QString ricerca(const QString& campo, const QString& testo, const InfoCampo& info) {
    const QString valore = sql::apiciRaddoppiati(testo);
    if (info.tipo == tipo_campo::Memo || info.tipo == tipo_campo::Blob)
        return "(UPPER(" + campo + ") LIKE ('%" + valore + "%'))";
    const int lunghezza = std::max(256, info.lunghezza);
    return QStringLiteral("(UPPER (CAST(%1 AS CHARACTER(%2)) ) LIKE UPPER('%%3%'))")
        .arg(campo)
        .arg(lunghezza)
        .arg(valore);
}

// "(EXTRACT (MONTH FROM D)) AS MESE" -> "(EXTRACT (MONTH FROM D))": what
// GROUP BY repeats of a computed column.
QString senzaAlias(const QString& espressione) {
    int livello = 0;
    qsizetype alias = -1;
    FuoriDaiLetterali(espressione, [&](qsizetype i) {
        const QChar c = espressione[i];
        if (c == u'(')
            ++livello;
        else if (c == u')')
            --livello;
        else if (livello == 0 &&
                 QStringView(espressione).sliced(i).startsWith(u" AS ", Qt::CaseInsensitive))
            alias = i;
    });
    return alias < 0 ? espressione : espressione.left(alias);
}

// Each item its own line, all but the last followed by `separatore`.
void aggiungiElenco(QStringList& sql, const QStringList& voci, const QString& separatore) {
    for (qsizetype i = 0; i < voci.size(); ++i)
        sql << (i + 1 < voci.size() ? voci[i] + separatore : voci[i]);
}

class Costruttore {
public:
    Costruttore(const Definizione& righe, const QString& tabella, const TipoDelCampo& tipoCampo)
        : righe_(righe), tabella_(tabella), tipoCampo_(tipoCampo) {}

    IstruzioneQuery costruisci() {
        IstruzioneQuery istruzione;
        QStringList colonne, gruppi, estrazioni;
        bool raggruppata = false;
        for (const RigaDefinizione& riga : righe_) {
            if (!mostra::Campo(riga.Mostra))
                continue;
            if (mostra::InRisposta(riga.Mostra)) {
                colonne << campoQualificato(riga.Nome);
                gruppi << campoQualificato(riga.Nome);
            }
            const Condizione c = AnalizzaCondizione(riga.Condizione);
            if (c.tipo == Condizione::Tipo::Calcolata) {
                colonne << c.espressione;
                raggruppata = raggruppata || c.aggregata;
                if (c.estrazione && !c.aggregata)
                    estrazioni << senzaAlias(c.espressione);
            } else if (c.tipo == Condizione::Tipo::SommaProg ||
                       c.tipo == Condizione::Tipo::InteroVek) {
                istruzione.calcolate.append({c.tipo, c.campo, c.ordine, c.nome});
            }
        }
        QStringList& sql = istruzione.sql;
        sql << QStringLiteral("SELECT");
        aggiungiElenco(sql, colonne, QStringLiteral(","));
        sql << QStringLiteral("FROM ");
        sql << collegamenti();
        const QStringList condizioni = filtri();
        if (!condizioni.isEmpty()) {
            sql << QStringLiteral("WHERE ");
            for (qsizetype i = 0; i < condizioni.size(); ++i)
                sql << u'(' + condizioni[i] + (i + 1 < condizioni.size() ? ") and" : ")");
        }
        // EXTRACT columns are groups of their own; nothing to group by, no clause.
        gruppi << estrazioni;
        if (raggruppata && !gruppi.isEmpty()) {
            sql << QStringLiteral("GROUP BY");
            aggiungiElenco(sql, gruppi, QStringLiteral(","));
        }
        return istruzione;
    }

private:
    InfoCampo info(const QString& nome) const {
        return tipoCampo_ ? tipoCampo_(nome) : InfoCampo{};
    }

    // The main table, then every linked table joined to what comes before it.
    QStringList collegamenti() const {
        QStringList linee{u'"' + tabella_ + QStringLiteral("\" XX ")};
        int unioni = 0;
        for (qsizetype i = 0; i < righe_.size(); ++i) {
            const RigaDefinizione& testata = righe_[i];
            if (!mostra::Testata(testata.Mostra))
                continue;
            const bool condizioniPrima =
                testata.Mostra == mostra::TestataLeft && testata.Condizione == u"P";
            // A linked stored query's condition is its code, not a path.
            const QString percorso =
                condizioniPrima || TestataQueryCollegata(testata) ? QString() : testata.Condizione;
            const QString join =
                (testata.Mostra == mostra::TestataLeft ? QStringLiteral("LEFT JOIN \"")
                                                       : QStringLiteral("RIGHT JOIN \"")) +
                percorso + TabellaTestata(testata) + QStringLiteral("\" ") + testata.Nome.right(2);
            QStringList coppie;
            qsizetype j = i + 1;
            for (; j < righe_.size() && righe_[j].Mostra == mostra::Chiave; ++j) {
                const RigaDefinizione& chiave = righe_[j];
                coppie << chiave.Nome + u'=' +
                              (chiave.Condizione.contains(u'.') ? chiave.Condizione
                                                                : "XX." + chiave.Condizione);
            }
            if (condizioniPrima) {
                for (; j < righe_.size() && dellaTabella(righe_[j], testata); ++j) {
                    const RigaDefinizione& campo = righe_[j];
                    const Condizione c = AnalizzaCondizione(campo.Condizione);
                    if (c.tipo == Condizione::Tipo::Sql)
                        coppie << campo.Condizione;
                    else if (c.tipo == Condizione::Tipo::Ricerca)
                        coppie << ricerca(campoDellaRiga(campo.Nome), campo.Condizione,
                                          info(campo.Nome));
                }
            }
            if (++unioni > 1) {
                linee.first().prepend(u'(');
                linee.last().append(u')');
            }
            linee << join
                  << QStringLiteral("ON ((") + coppie.join(QStringLiteral(") AND (")) +
                         QStringLiteral("))");
        }
        return linee;
    }

    // A field row of the linked table of `testata` (its alias before the point).
    static bool dellaTabella(const RigaDefinizione& riga, const RigaDefinizione& testata) {
        return (riga.Mostra == mostra::Nascosto || riga.Mostra == mostra::Mostrato) &&
               riga.Nome.startsWith(testata.Nome.right(1) + u'.');
    }

    // The conditions of the field rows, outside the blocks whose conditions
    // went into their join.
    QStringList filtri() const {
        QStringList condizioni;
        const RigaDefinizione* bloccoP = nullptr;
        for (const RigaDefinizione& riga : righe_) {
            if (mostra::Testata(riga.Mostra)) {
                const bool p = riga.Mostra == mostra::TestataLeft && riga.Condizione == u"P";
                bloccoP = p ? &riga : nullptr;
                continue;
            }
            if (riga.Mostra == mostra::Chiave)
                continue;
            if (bloccoP && dellaTabella(riga, *bloccoP))
                continue;
            bloccoP = nullptr;
            if (!mostra::Campo(riga.Mostra))
                continue;
            const Condizione c = AnalizzaCondizione(riga.Condizione);
            if (c.tipo != Condizione::Tipo::Sql && c.tipo != Condizione::Tipo::Ricerca)
                continue;
            QString testo = riga.Condizione;
            if (!testo.contains(u'.')) {
                testo = testo.toUpper();
                if (c.tipo == Condizione::Tipo::Sql)
                    testo = PrefissaCampo(testo, riga.Nome.toUpper());
            }
            condizioni << (c.tipo == Condizione::Tipo::Sql
                               ? ConvertiDateSQL(testo)
                               : ricerca(campoDellaRiga(riga.Nome), testo, info(riga.Nome)));
        }
        return condizioni;
    }

    Definizione righe_;
    QString tabella_;
    const TipoDelCampo& tipoCampo_;
};

} // namespace

IstruzioneQuery Interroga(const Definizione& definizione, int primo, int ultimo,
                          const QString& tabella, const TipoDelCampo& tipoCampo) {
    Definizione segmento;
    for (const RigaDefinizione& riga : definizione)
        if (riga.Numero >= primo && riga.Numero <= ultimo)
            segmento << riga;
    return Costruttore(segmento, tabella, tipoCampo).costruisci();
}

QVector<std::pair<int, int>> SegmentiUnione(const Definizione& definizione) {
    QVector<std::pair<int, int>> segmenti;
    if (definizione.isEmpty())
        return segmenti;
    // A stretch of markers alone (a chain marker after the last member) is no member.
    const auto aggiungi = [&](int primo, int ultimo) {
        for (const RigaDefinizione& riga : definizione)
            if (riga.Numero >= primo && riga.Numero <= ultimo && mostra::Campo(riga.Mostra)) {
                segmenti.append({primo, ultimo});
                return;
            }
    };
    int inizio = definizione.first().Numero;
    for (qsizetype i = 0; i < definizione.size(); ++i) {
        const RigaDefinizione& riga = definizione[i];
        if (riga.Numero < inizio)
            continue;
        const bool chiude = riga.Mostra == mostra::Marcatore ||
                            (riga.Mostra == mostra::MarcatoreCatena && inizio != 1);
        if (!chiude)
            continue;
        aggiungi(inizio, riga.Numero);
        inizio = riga.Numero + 1;
        // The next member's header names the main table again: it starts after it.
        if (i + 1 < definizione.size() && mostra::Testata(definizione[i + 1].Mostra))
            inizio = definizione[i + 1].Numero + 1;
    }
    aggiungi(inizio, definizione.last().Numero);
    return segmenti;
}

QStringList TestoPerAppunti(const QStringList& sql) {
    QStringList testo;
    for (const QString& linea : sql)
        testo << sql::apiciRaddoppiati(linea);
    return testo;
}

} // namespace mavo
