#include "host/demo/DemoSql.h"

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QHash>
#include <cmath>

namespace mavo {

namespace {

void imposta(db::Statement& istruzione, const QVariantHash& parametri) {
    for (auto it = parametri.begin(); it != parametri.end(); ++it)
        istruzione.setParam(it.key(), it.value());
}

} // namespace

void eseguiDemo(db::Database& database, const QStringList& sql, const QVariantHash& parametri) {
    db::Transaction transazione(&database);
    db::Statement istruzione(&database, &transazione);
    istruzione.setParamCheck(!parametri.isEmpty());
    istruzione.setSql(sql);
    imposta(istruzione, parametri);
    istruzione.execute();
    transazione.commit();
}

QVariant scalareDemo(db::Database& database, const QStringList& sql,
                     const QVariantHash& parametri) {
    db::Transaction transazione(&database);
    db::Statement istruzione(&database, &transazione);
    istruzione.setParamCheck(!parametri.isEmpty());
    istruzione.setSql(sql);
    imposta(istruzione, parametri);
    istruzione.execute();
    const QVariant valore = istruzione.fetch() ? istruzione.value(0) : QVariant();
    istruzione.close();
    transazione.commit();
    return valore;
}

void creaTabelleMancanti(db::Database& database, const QList<TabellaDemo>& tabelle) {
    for (const TabellaDemo& tabella : tabelle) {
        const QVariant presenti = scalareDemo(
            database, {"SELECT COUNT(*) FROM RDB$RELATIONS", "WHERE RDB$RELATION_NAME=:NOME"},
            {{"NOME", tabella.nome}});
        if (presenti.toInt() > 0)
            continue;
        for (const QStringList& istruzione : tabella.istruzioni)
            eseguiDemo(database, istruzione);
    }
}

ArticoloDemo articoloDemo(int indice) {
    static const QStringList oggetti = {
        "Rubinetto a sfera",  "Raccordo in ottone", "Valvola d'arresto",     "Tubo multistrato",
        "Guarnizione piana",  "Manicotto zincato",  "Curva a 90°",           "Riduzione filettata",
        "Miscelatore lavabo", "Sifone per doccia",  "Collettore complanare", "Termostato caldaia"};
    static const QStringList misure = {"1/2\"", "3/4\"", "1\"", "Ø 16", "Ø 20", "Ø 26"};
    static const QStringList finiture = {"cromato",     "nichelato",          "per acqua e gas",
                                         "con calotta", "già tarato",         "qualità è superiore",
                                         "a più vie",   "per impianti solari"};
    static const QStringList altriFornitori = {"1050", "3300", "0042"};

    ArticoloDemo articolo;
    const bool netti = indice % 2 == 0;
    articolo.fornitore = netti ? QStringLiteral("2197") : altriFornitori[indice % 3];
    articolo.estensione =
        netti && indice % 10 != 4 ? QStringLiteral("3") : QString::number(1 + indice % 2);
    articolo.codice =
        netti ? QStringLiteral("NT%1").arg(indice, 5, 10, QChar('0'))
              : QStringLiteral("%1-%2").arg(articolo.fornitore).arg(indice, 5, 10, QChar('0'));
    articolo.descrizione = oggetti[indice % oggetti.size()] + ' ' +
                           misure[(indice / 3) % misure.size()] + ' ' +
                           finiture[(indice / 7) % finiture.size()];
    articolo.prezzoListino = std::round((2.0 + (indice * 7919 % 250000) / 100.0) * 100) / 100;
    return articolo;
}

double ArticoloDemo::prezzoVendita() const {
    return std::round(prezzoListino * 140) / 100;
}

QList<ArticoloHost> articoliHost() {
    return {{900001,
             {"2197", "3", QString::fromUtf8("NT-D´ANGELO"),
              QString::fromUtf8("Raccordo d´angolo già montato"), 5.60}},
            {900002,
             {"2197", "3", QString::fromUtf8("NT-CAFFÈ"),
              QString::fromUtf8("Macinacaffè per bar, cauzione € 5"), 95.80}}};
}

} // namespace mavo
