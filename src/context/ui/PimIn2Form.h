#pragma once

#include "context/TabXForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mavo {

// A small modal dialog asking for two values. The caller sets caption, label
// and fields, runs it and reads Esito: 1 OK, 2 Cancel, 0 closed otherwise.
class TPimIn2Form : public QDialog {
    Q_OBJECT
public:
    explicit TPimIn2Form(QWidget* parent = nullptr);

    // The server question of a database that cannot be opened: computer name
    // in the first field, drive letter in the second.
    static RispostaServer ChiediServer(const QString& Titolo, const QString& Etichetta);

    int Esito = 0;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* BitBtnOk;
    QPushButton* BitBtnAnnulla;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace mavo
