#pragma once

#include <QFont>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace mavo {

// What the query form asks its dialogs, as plain functions returning the
// user's choices (none: cancelled): the real dialogs by default, a script
// where the form runs without a user.
struct DialoghiQuery {
    // F10: a value, or a date (dd/mm/yyyy) for a date field.
    std::function<std::optional<QString>(QWidget* owner, bool data)> Valore;
    // The engine's window with the statement to copy: true on Ok.
    std::function<bool(QWidget* owner, const QStringList& sql)> TestoSql;
    // The answer grid's font.
    std::function<std::optional<QFont>(QWidget* owner, const QFont& attuale)> Carattere;
};

DialoghiQuery DialoghiPredefiniti();

} // namespace mavo
