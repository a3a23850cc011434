#pragma once

#include "query/campivisibili/CampiVisibili.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace mavo {

class Interazione;
namespace db {
class Database;
}

// "Campi visibili": the user marks tables of the query, then the fields of
// the marked tables to keep in the definition; "Aggiorna e chiudi" rebuilds
// the definition from that choice, "Ch&iudi" and "Annulla e chiudi" leave it
// as it was.
class TIBCamVisForm : public QDialog {
    Q_OBJECT
public:
    TIBCamVisForm(Definizione& definizione, db::Database& database, const QString& ditta,
                  const QString& tabellaPrincipale, const QString& prefisso, Interazione& port,
                  QWidget* owner = nullptr);

    int Esito = 2; // 1 after "Aggiorna e chiudi"

    QTableWidget* GrigliaTabelle; // TabCVTmp1
    QPushButton* ButtonMostraCampi;
    QPushButton* ButtonChiudi;
    QWidget* VistaCampi;
    QLabel* LabelCampi;
    QTableWidget* GrigliaCampi; // TabCVTmp2
    QPushButton* ButtonTuttoVisibile;
    QPushButton* ButtonTuttoInvisibile;
    QPushButton* ButtonAggiorna;
    QPushButton* ButtonAnnulla;

    const QVector<TabellaQuery>& Tabelle() const { return tabelle_; }
    const QVector<CampoVisibile>& Campi() const { return campi_; }

    // What the keys and buttons do.
    void ScambiaTabella(int riga);
    void ScambiaCampo(int riga);
    void MostraCampi();
    void RendiTutto(bool visibile);
    void Aggiorna();

private:
    void mostraTabelle();
    void mostraCampo(int riga);

    Definizione& definizione_;
    db::Database& database_;
    Interazione& port_;
    QVector<TabellaQuery> tabelle_;
    QVector<CampoVisibile> campi_;
};

// The dialog as the advanced operations call it: true when the definition
// was rebuilt.
bool CampiVisibili(QWidget* owner, Interazione& port, db::Database& database, const QString& ditta,
                   const QString& tabellaPrincipale, const QString& prefisso,
                   Definizione& definizione);

} // namespace mavo
