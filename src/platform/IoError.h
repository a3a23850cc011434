#pragma once

#include <QString>
#include <stdexcept>

namespace mavo {

// A failure of the file system or of a local table; message() is the text the
// user is shown.
class IoError : public std::runtime_error {
public:
    explicit IoError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace mavo
