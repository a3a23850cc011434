#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

namespace mavo {

// A framed group of mutually exclusive options laid out in columns, one of
// them chosen by its index. The options fill the rows in turn, or with
// `perColonne` each column from the top before the next (long captions then
// share a column).
class GruppoOpzioni : public QGroupBox {
    Q_OBJECT
public:
    GruppoOpzioni(const QString& titolo, const QStringList& voci, int colonne, QWidget* parent,
                  bool perColonne = false);

    void setVoci(const QStringList& voci, int colonne);
    int numeroVoci() const;
    int indice() const; // -1 when none is chosen
    // An index outside the options leaves the choice as it is.
    void setIndice(int indice);
    // None chosen.
    void azzera();

private:
    QButtonGroup* pulsanti_;
    QGridLayout* griglia_;
    bool perColonne_;
};

} // namespace mavo
