#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace mavo {

namespace db {
class Database;
}

// Small helpers of the demo provisioning: each runs in a transaction of its own.
void eseguiDemo(db::Database& database, const QStringList& sql,
                const QVariantHash& parametri = QVariantHash());
// First column of the first row, null when there is none.
QVariant scalareDemo(db::Database& database, const QStringList& sql,
                     const QVariantHash& parametri = QVariantHash());

// A table with the statements that create it and its indexes and generators.
struct TabellaDemo {
    QString nome;
    QList<QStringList> istruzioni;
};
void creaTabelleMancanti(db::Database& database, const QList<TabellaDemo>& tabelle);

// An article of the demo: the same list fills the warehouse master, the
// price list and the supplier file.
struct ArticoloDemo {
    QString fornitore;
    QString estensione;
    QString codice;
    QString descrizione;
    double prezzoListino;
    double prezzoVendita() const;
};
ArticoloDemo articoloDemo(int indice);

// Rows the host's own programs wrote in the price list, with characters
// beyond ASCII in codes and descriptions; the supplier file has net prices
// for them. Their IDs follow the articles'.
struct ArticoloHost {
    int id;
    ArticoloDemo articolo;
};
QList<ArticoloHost> articoliHost();

} // namespace mavo
