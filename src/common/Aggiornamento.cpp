#include "common/Aggiornamento.h"

#include "db/Statement.h"

namespace mavo {

namespace {

// The names of the answer's fields, learnt by preparing the query's text
// without running it.
QStringList nomiCampi(const IbQuery& query) {
    db::Statement statement(query.database(), query.transaction());
    statement.setParamCheck(query.paramCheck());
    statement.setSql(query.sql());
    statement.prepare();
    QStringList nomi;
    for (const db::FieldInfo& colonna : statement.columns()) {
        nomi << colonna.alias;
    }
    return nomi;
}

// One line per field from `modello` ("%1" is the field), a comma after all but the last.
QStringList righeCampi(const QStringList& campi, const QString& modello) {
    QStringList righe;
    for (qsizetype i = 0; i < campi.size(); ++i) {
        righe << modello.arg(campi[i]) + (i + 1 < campi.size() ? QStringLiteral(",") : QString());
    }
    return righe;
}

} // namespace

void GeneraSQLAggiornamento(const IbQuery& query, const QString& tabella, TipoAggiornamento tipo,
                            UpdateSql& aggiornamento) {
    const QStringList campi = nomiCampi(query);
    const QString nome = u'"' + tabella + u'"';
    if (tipo == TipoAggiornamento::Update) {
        aggiornamento.modifySql =
            QStringList{QStringLiteral("UPDATE ") + nome, QStringLiteral("SET")} +
            righeCampi(campi, QStringLiteral("%1=:%1"));
        return;
    }
    aggiornamento.insertSql =
        QStringList{QStringLiteral("INSERT INTO ") + nome, QStringLiteral("(")} +
        righeCampi(campi, QStringLiteral("%1")) +
        QStringList{QStringLiteral(")"), QStringLiteral("VALUES"), QStringLiteral("(")} +
        righeCampi(campi, QStringLiteral(":%1")) + QStringList{QStringLiteral(")")};
}

} // namespace mavo
