#pragma once

#include <QString>
#include <stdexcept>

namespace mavo {

// A call that breaks a rule of the code itself (a transaction committed twice,
// a parameter index past the end): a fault to mend, not something the user
// did. The text is for the developer; the user is told that an internal error
// happened, with this text on the line after.
class ErroreProgrammazione : public std::logic_error {
public:
    explicit ErroreProgrammazione(const QString& dettaglio)
        : std::logic_error(dettaglio.toStdString()), dettaglio_(dettaglio) {}
    explicit ErroreProgrammazione(const char* dettaglio)
        : ErroreProgrammazione(QString::fromUtf8(dettaglio)) {}

    const QString& dettaglio() const { return dettaglio_; }

private:
    QString dettaglio_;
};

} // namespace mavo
