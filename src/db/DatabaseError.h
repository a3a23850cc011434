#pragma once

#include <QString>
#include <stdexcept>

namespace mavo::db {

// A failure reported by the engine (or by this layer for a misuse such as an
// unknown parameter). message() is the server's text, formatted as Firebird
// formats its status vector.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message, int sqlCode = 0, long gdsCode = 0)
        : std::runtime_error(message.toStdString()), message_(message), sqlCode_(sqlCode),
          gdsCode_(gdsCode) {}

    const QString& message() const { return message_; }
    int sqlCode() const { return sqlCode_; }
    long gdsCode() const { return gdsCode_; }

private:
    QString message_;
    int sqlCode_;
    long gdsCode_;
};

} // namespace mavo::db
