#pragma once

#include "dataset/IbQuery.h"

#include <QString>

namespace mavo {

enum class TipoAggiornamento { Update, Insert };

// Writes the modify (Update) or the insert (Insert) statement of `aggiornamento`
// for table `tabella` from the fields of the query's SQL text, in their order:
//   UPDATE "T" / SET / F1=:F1, / F2=:F2
//   INSERT INTO "T" / ( / F1, / F2 / ) / VALUES / ( / :F1, / :F2 / )
// The caller adds the WHERE lines of the modify statement. The query need not
// be open; database failures reach the caller.
void GeneraSQLAggiornamento(const IbQuery& query, const QString& tabella, TipoAggiornamento tipo,
                            UpdateSql& aggiornamento);

} // namespace mavo
