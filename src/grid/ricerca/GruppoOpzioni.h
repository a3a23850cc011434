#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

namespace mavo {

// A framed group of mutually exclusive options laid out in columns, one of
// them chosen by its index.
class GruppoOpzioni : public QGroupBox {
    Q_OBJECT
public:
    GruppoOpzioni(const QString& titolo, const QStringList& voci, int colonne, QWidget* parent);

    void setVoci(const QStringList& voci, int colonne);
    int numeroVoci() const;
    int indice() const; // -1 when none is chosen
    // An index outside the options leaves the choice as it is.
    void setIndice(int indice);

private:
    QButtonGroup* pulsanti_;
    QGridLayout* griglia_;
};

} // namespace mavo
