#pragma once

#include <QProcess>
#include <QString>

namespace mavo::test {

// Another process of this test program holding a local table (exclusively
// open) for as long as this object lives: another user of the same table.
class TabellaTenuta {
public:
    TabellaTenuta(const QString& directory, const QString& file);
    ~TabellaTenuta();

private:
    QProcess processo_;
};

} // namespace mavo::test
