#pragma once

#include <QString>
#include <stdexcept>

namespace mavo::db {

// A failure reported by the engine (or by this layer for a misuse such as an
// unknown parameter). message() is the server's text, formatted as Firebird
// formats its status vector.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message, int sqlCode = 0, long gdsCode = 0,
                           bool lockConflict = false)
        : std::runtime_error(message.toStdString()), message_(message), sqlCode_(sqlCode),
          gdsCode_(gdsCode), lockConflict_(lockConflict) {}

    const QString& message() const { return message_; }
    int sqlCode() const { return sqlCode_; }
    long gdsCode() const { return gdsCode_; }
    // Another transaction holds (or has changed since this one began) a row
    // this one wanted to write: worth trying again a little later.
    bool lockConflict() const { return lockConflict_; }

private:
    QString message_;
    int sqlCode_;
    long gdsCode_;
    bool lockConflict_;
};

} // namespace mavo::db
