#pragma once

#include "dataset/IbQuery.h"
#include "db/Transaction.h"
#include "grid/aspetto/AvVEKGrForm.h"
#include "grid/aspetto/ChiaviGriglia.h"

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>

class QPushButton;
class QTableView;

namespace mavo {

class Interazione;
class DelegatoColore;
class ModelloAspetto;

// "Personalizzazione Griglia": the stored layout rows of one grid, whose
// titles, visibility and colours the user edits directly. The edits reach
// the database with "Ch&iudi" and the grid when it reloads its layout.
class TPVEKGridForm : public QDialog {
    Q_OBJECT
public:
    // `proprietario` is the grid (its font, limited to 10 points, is the dialog's).
    TPVEKGridForm(QWidget* proprietario, const QString& tabella, const ChiaviGriglia& chiavi,
                  db::Database& database, Interazione& interazione);

    // Reads the rows of the layout table for the keys.
    void CaricaGriglia();

    // "Aspetto Base": once the warning is confirmed and the dialog has let its
    // rows go (uncommitted edits are lost), the grid stores its default layout
    // again; the dialog then shows the new rows.
    std::function<void()> ripristinaAspetto;
    std::function<bool(QWidget* parent)> confermaAspettoBase = ConfermaAspettoBase;
    // The colour dialog; none when the user cancels it.
    std::function<std::optional<QColor>(const QColor& iniziale, QWidget* parent)> scegliColore;

private:
    void creaControlli();
    int rigaCorrente() const;
    void cambiaColore();
    void chiudi();
    void aspettoBase();

    QString tabella_;
    ChiaviGriglia chiavi_;
    Interazione& interazione_;
    db::Transaction IBTransaction1;
    UpdateSql IBUpdateSQL1;
    IbQuery IBQuery1; // after its transaction: it goes first

    ModelloAspetto* DataSource1;
    QTableView* DBGrid1;
    DelegatoColore* delegatoColore_;
    QPushButton* SpeedButton1;
    QPushButton* ButtonColoreDefault;
    QPushButton* ButtonAspettoBase;
    QPushButton* ButtonChiudi;
};

} // namespace mavo
