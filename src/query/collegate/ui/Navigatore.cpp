#include "query/collegate/ui/Navigatore.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QToolButton>

namespace mavo {

Navigatore::Navigatore(QTableWidget* griglia, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        const char* testo;
        const char* suggerimento;
        int (*riga)(int corrente, int righe);
    } mosse[] = {
        {"|<", "Primo", [](int, int) { return 0; }},
        {"<", "Precedente", [](int c, int) { return std::max(c - 1, 0); }},
        {">", "Successivo", [](int c, int n) { return std::min(c + 1, n - 1); }},
        {">|", "Ultimo", [](int, int n) { return n - 1; }},
    };
    for (const auto& mossa : mosse) {
        auto* pulsante = new QToolButton(this);
        pulsante->setText(QString::fromLatin1(mossa.testo));
        pulsante->setToolTip(QString::fromLatin1(mossa.suggerimento));
        pulsante->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(pulsante);
        connect(pulsante, &QToolButton::clicked, griglia, [griglia, muovi = mossa.riga] {
            if (griglia->rowCount() == 0)
                return;
            const int colonna = std::max(griglia->currentColumn(), 0);
            griglia->setCurrentCell(muovi(griglia->currentRow(), griglia->rowCount()), colonna);
        });
    }
    layout->addStretch();
}

void ColoraRiga(QTableWidget& griglia, int riga, const QColor& sfondo) {
    for (int colonna = 0; colonna < griglia.columnCount(); ++colonna) {
        QTableWidgetItem* cella = griglia.item(riga, colonna);
        if (!cella)
            continue;
        cella->setBackground(sfondo.isValid() ? QBrush(sfondo) : QBrush());
        cella->setForeground(sfondo.isValid() ? QBrush(Qt::black) : QBrush());
    }
}

QTableWidget* GrigliaDiScelta(const QStringList& titoli, QWidget* parent) {
    auto* g = new QTableWidget(0, int(titoli.size()), parent);
    g->setHorizontalHeaderLabels(titoli);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < g->columnCount(); ++c)
        g->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    return g;
}

} // namespace mavo
