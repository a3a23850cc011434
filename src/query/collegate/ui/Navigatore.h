#pragma once

#include <QWidget>

class QTableWidget;

namespace mavo {

// A navigator over a grid's rows with the four moves the query tool's
// dialogs allow: first, prior, next, last.
class Navigatore : public QWidget {
    Q_OBJECT
public:
    Navigatore(QTableWidget* griglia, QWidget* parent);
};

// A read-only grid of rows chosen one at a time: the first column takes the
// room left, the others fit their contents.
QTableWidget* GrigliaDiScelta(const QStringList& titoli, QWidget* parent);

// Colours a grid row's cells (invalid: the grid's own) with black text on a colour.
void ColoraRiga(QTableWidget& griglia, int riga, const QColor& sfondo);

} // namespace mavo
