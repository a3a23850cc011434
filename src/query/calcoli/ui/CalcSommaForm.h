#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace mavo {

namespace db {
class Database;
}

// "Inserimento somma": a numeric field of the main table and the name of
// its sum, to be summed over each group of the fields shown. "Ok" closes
// only with both given.
class TCalcSommaForm : public QDialog {
    Q_OBJECT
public:
    // Reads the table's fields; a table that cannot be read raises DatabaseError.
    TCalcSommaForm(const QString& tabella, db::Database& database, QWidget* owner = nullptr);

    QPushButton* ButtonCampo;
    QComboBox* ComboCampo;
    QPushButton* ButtonTitolo;
    QLineEdit* EditSomma;
    QPushButton* ButtonOk;
    QPushButton* ButtonCancel;
};

} // namespace mavo
