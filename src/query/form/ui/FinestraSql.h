#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace mavo {

// The query engine's own window: the statement of the query, to look at
// before it goes to the clipboard; "Ok" confirms.
class FinestraSql : public QDialog {
    Q_OBJECT
public:
    FinestraSql(const QStringList& sql, QWidget* owner = nullptr);

    QPlainTextEdit* const MemoSql;
};

} // namespace mavo
