#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace mavo {

// "EDITAZIONE CONDIZIONE QUERY": a condition in a box of several lines (at
// most 1024 characters), for one too long for its cell.
class TEditCondForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditCondForm(QWidget* owner = nullptr);

    static constexpr int MassimoCaratteri = 1024;
    int Esito = 2; // 1 after OK

    QPlainTextEdit* Memo1;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace mavo
