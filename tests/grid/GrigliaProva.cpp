#include "GrigliaProva.h"

#include "ArchivioGriglia.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>

namespace mavo::test {

std::unique_ptr<TVEKGrid> GrigliaProva::nuovaGriglia(Dataset& dati) {
    auto griglia = PreparaGriglia(dati, {kSituazione, kUtente, kProgetto});
    griglia->setInterazione(&interazione);
    return griglia;
}

std::unique_ptr<IbQuery> GrigliaProva::nuovaQuery(const QStringList& sql) {
    auto query = std::make_unique<IbQuery>();
    query->setDatabase(&archivio.db());
    query->setSql(sql);
    return query;
}

QStringList GrigliaProva::nomi(Dataset& dati) {
    QStringList nomi;
    for (int riga = 0; riga < dati.recordCount(); ++riga)
        nomi << dati.valueAt(riga, dati.fieldByName("NOME")).toString();
    return nomi;
}

QStringList GrigliaProva::ordinamenti() {
    db::Transaction transazione(&archivio.db());
    db::Statement s(&archivio.db(), &transazione);
    s.setSql(QStringList{"SELECT ORDINAMENTO FROM STOASP1"} +
             RigheChiave({kSituazione, kUtente, kProgetto}) + QStringList{"ORDER BY POSIZIONE"});
    s.execute();
    QStringList valori;
    while (s.fetch())
        valori << (s.isNull(0) ? QString() : s.value(0).toString());
    transazione.commit();
    return valori;
}

void GrigliaProva::tasto(TVEKGrid& griglia, Qt::Key tasto) {
    // Its keys work only while it has the focus in the active window.
    griglia.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&griglia));
    griglia.setFocus();
    QTest::keyClick(&griglia, tasto);
}

void GrigliaProva::doppioClicTitolo(TVEKGrid& griglia, int colonna, bool ctrl) {
    QHeaderView* titoli = griglia.horizontalHeader();
    const int ultima = titoli->count() - 1;
    const int x = colonna >= 0
                      ? titoli->sectionViewportPosition(colonna) + titoli->sectionSize(colonna) / 2
                      : titoli->sectionViewportPosition(ultima) + titoli->sectionSize(ultima) + 20;
    QTest::mouseDClick(titoli->viewport(), Qt::LeftButton,
                       ctrl ? Qt::ControlModifier : Qt::NoModifier, {x, titoli->height() / 2});
}

bool GrigliaProva::conDialogo(const std::function<void(QDialog&)>& passo,
                              const std::function<void()>& azione) {
    bool aperto = false;
    QTimer attesa; // looks for the dialog whenever events run, until it shows
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        attesa.stop();
        aperto = true;
        passo(*dialogo);
        // A step that failed half-way must not leave the test waiting.
        if (dialogo->isVisible())
            dialogo->reject();
    });
    attesa.start(5);
    azione();
    return aperto;
}

} // namespace mavo::test
