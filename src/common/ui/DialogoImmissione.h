#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace mavo {

// The frame of the entry dialogs: caption "Dialog", a label, one edit that has
// the focus when the window shows, OK and Cancel. A fixed border; centred.
class DialogoImmissione : public QDialog {
    Q_OBJECT
public:
    // 1 after OK, 2 after Cancel, 0 when the window was closed otherwise.
    int Esito = 0;

protected:
    DialogoImmissione(const QString& etichetta, QWidget* parent);
    // Called once by the subclass with its edit, which goes under the label.
    void impostaEditor(QLineEdit* editor);
    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* layout_;
    QPushButton* ok_;
    QLineEdit* editor_ = nullptr;
};

} // namespace mavo
