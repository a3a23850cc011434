#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace mavo {

// The words the advanced-operations dialog returns, one per button.
namespace elaborazione {
inline const QString CampiVisibili = QStringLiteral("CampiVisibili");
inline const QString BloccaQuery = QStringLiteral("BloccaQuery");
inline const QString QueryAffiancata = QStringLiteral("QueryAffiancata");
inline const QString TogliQueryAffiancata = QStringLiteral("TogliQueryAffiancata");
inline const QString PassaPrecedente = QStringLiteral("PassaPrecedente");
inline const QString PassaSuccessiva = QStringLiteral("PassaSuccessiva");
inline const QString EliminaSuccessiva = QStringLiteral("EliminaSuccessiva");
// The chain lives in the history: these need history mode.
bool DiCatena(const QString& parola);
} // namespace elaborazione

// What the dialog is told of the query.
struct StatoElaborazioni {
    int LivelloCatena = 0;
    bool InCatena = false;
    bool Affiancata = false;
    bool Bloccata = false;
};

// Why the operation of `parola` cannot be chosen now (none: it can).
std::optional<QString> RifiutoElaborazione(const QString& parola, const StatoElaborazioni& stato);

} // namespace mavo
