#pragma once

#include <QDialog>

class QListWidget;

namespace mavo {

namespace db {
class Database;
}

// Lets the user choose one of the user tables of a database (system tables
// and views left out), sorted by name. "Apri" or a double-click on a name
// confirms; the caller reads the current item of `ListBox1`.
class TListTabForm : public QDialog {
    Q_OBJECT
public:
    // Reads the names at once; database failures reach the caller.
    TListTabForm(QWidget* owner, db::Database& database);

    QListWidget* const ListBox1;
    // 1 after "Apri" or a double-click on a name, 2 after "Annulla", 0 otherwise.
    int Esito = 0;

private:
    void chiudi(int esito);
};

} // namespace mavo
