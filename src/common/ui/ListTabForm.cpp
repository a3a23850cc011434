#include "common/ui/ListTabForm.h"

#include "common/ui/AspettoDialogo.h"
#include "common/Testo.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

namespace {

QStringList tabelleUtente(db::Database& database) {
    db::Transaction transazione(&database);
    db::Statement query(&database, &transazione);
    query.setParamCheck(false);
    query.setSql({QStringLiteral("SELECT RDB$RELATION_NAME"), QStringLiteral("FROM RDB$RELATIONS"),
                  QStringLiteral("WHERE (RDB$SYSTEM_FLAG = 0 OR RDB$SYSTEM_FLAG IS NULL)"),
                  QStringLiteral("AND RDB$VIEW_BLR IS NULL"),
                  QStringLiteral("ORDER BY RDB$RELATION_NAME")});
    query.execute();
    QStringList nomi;
    while (query.fetch()) {
        // The names are CHAR columns, padded with blanks.
        nomi << TogliSpaziFinali(query.value(0).toString());
    }
    transazione.commit();
    return nomi;
}

} // namespace

TListTabForm::TListTabForm(QWidget* owner, db::Database& database)
    : QDialog(owner), ListBox1(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("ListTabForm"));
    ImpostaCarattereDialogo(*this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->addItems(tabelleUtente(database));

    auto* apri = new QPushButton(QStringLiteral("Apri"), this);
    apri->setObjectName(QStringLiteral("ButtonApri"));
    auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("ButtonAnnulla"));
    connect(apri, &QPushButton::clicked, this, [this] { chiudi(1); });
    connect(annulla, &QPushButton::clicked, this, [this] { chiudi(2); });
    // The signal comes only from a double-click on a name, which selects it.
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { chiudi(1); });

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(apri);
    pulsanti->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(pulsanti);
    CentraSulloSchermo(*this);
}

void TListTabForm::chiudi(int esito) {
    Esito = esito;
    done(esito == 1 ? Accepted : Rejected);
}

} // namespace mavo
