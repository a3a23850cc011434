#pragma once

#include <QWidget>
#include <memory>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLabel;
class QPushButton;
QT_END_NAMESPACE

namespace mavo {

class Interazione;

// The window a chart is shown in, "STAMPA GRAFICO": the chart, which follows
// the window's size, and what users do with a chart, save it as an image to
// paste into a document or print it. It deletes itself when closed.
class FinestraGrafico : public QWidget {
    Q_OBJECT
public:
    FinestraGrafico(std::unique_ptr<QChart> grafico, Interazione& port, QWidget* owner);

    QChart* Grafico() const;
    QChartView* const Vista;
    QPushButton* const ButtonSalva;
    QPushButton* const ButtonStampa;

    // Writes the chart at its size on screen; a failure is told.
    bool SalvaImmagine(const QString& file);

private:
    void chiediSalvataggio();
    void chiediStampa();

    Interazione& port_;
};

} // namespace mavo
