#pragma once

#include "query/form/ElabAvanzate.h"

#include <QDialog>
#include <QHash>
#include <QSet>

class QPushButton;

namespace mavo {

class Interazione;

// "Elaborazioni avanzate": one button per operation; a choice the query
// refuses is told and nothing is chosen. Parola is the word chosen (empty
// for "Ch&iudi" and a refusal). Only the operations in `disponibili` have
// their button enabled: the others are not there yet.
class TElabAvanForm : public QDialog {
    Q_OBJECT
public:
    TElabAvanForm(const StatoElaborazioni& stato, const QString& ditta,
                  const QSet<QString>& disponibili, Interazione& port, QWidget* owner = nullptr);

    QString Parola;
    QHash<QString, QPushButton*> Pulsanti; // by word
    QPushButton* ButtonChiudi = nullptr;

private:
    void scegli(const QString& parola);

    StatoElaborazioni stato_;
    Interazione& port_;
};

} // namespace mavo
