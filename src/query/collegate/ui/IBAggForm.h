#pragma once

#include "query/collegate/Collegate.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace mavo {

class Interazione;
namespace db {
class Database;
}

// "Aggiungi tabella": a table of the main table's database joined to the
// query, with its join kind, the field pairs it joins on and the fields to
// show. "&Riporta" appends its rows to the definition and closes; nothing
// changes otherwise.
class TIBAggForm : public QDialog {
    Q_OBJECT
public:
    TIBAggForm(Definizione& definizione, db::Database& database, const QString& ditta,
               const QString& prefisso, Interazione& port, QWidget* owner = nullptr);

    // How "Tabella da aggiungere" asks for the table: the list of the
    // database's tables by default; empty when the user gives none.
    std::function<QString(QWidget* owner, db::Database& database)> ScegliTabella;

    int Esito = 2; // 1 once the rows are appended

    QPushButton* ButtonTabella; // "Tabella da aggiungere"
    QLineEdit* EditTabella;
    QLineEdit* EditPercorso;
    QLabel* LabelNota;
    QPushButton* ButtonChiudi;
    QGroupBox* GroupJoin; // "Impostazione Join", once a table is chosen
    QRadioButton* RadioLeft;
    QRadioButton* RadioRight;
    QRadioButton* RadioCondizioniPrima;
    QComboBox* ComboPrincipale;
    QComboBox* ComboCollegata;
    QPushButton* ButtonAggiungiLegame;
    QTableWidget* GrigliaLegami; // TabQuTmp1
    QTableWidget* GrigliaCampi;  // TabQuTmp2
    QPushButton* ButtonSelezionaTutto;
    QPushButton* ButtonDeselezionaTutto;
    QPushButton* ButtonRiporta;
    QPushButton* ButtonAnnulla;

    // What the buttons do.
    void ButtonTabellaClick();
    void CambiaTabella(const QString& nome); // the table name changed
    void AggiungiLegame();
    void ScambiaCampo(int riga);
    void SelezionaCampi(bool mostra);
    void Riporta();
    void Annulla();

    // The choice as the dialog holds it now.
    TabellaDaCollegare Scelta() const;

private:
    void mostraJoin(bool mostra);

    Definizione& definizione_;
    db::Database& database_;
    Interazione& port_;
};

// "Elimina tabella collegata": one of `tabelle` (linked tables' headers);
// empty when cancelled.
class TEliminaForm : public QDialog {
    Q_OBJECT
public:
    TEliminaForm(const QStringList& tabelle, QWidget* owner = nullptr);

    int Esito = 2; // 1 after OK
    QComboBox* ComboTabelle;
};

// The dialogs as the query form calls them: true when rows were appended;
// the chosen header, empty when cancelled.
bool AggiungiTabellaCollegata(QWidget* owner, Interazione& port, db::Database& database,
                              const QString& ditta, const QString& prefisso,
                              Definizione& definizione);
QString ScegliTabellaDaEliminare(QWidget* owner, const QStringList& tabelle);

} // namespace mavo
