#include "FormQuery.h"

#include "dataset/Dataset.h"
#include "dataset/DatasetModel.h"
#include "query/form/ui/GrigliaDefinizione.h"
#include "support/Gesti.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace mavo::test {

int rigaDi(TIBLQueryForm& form, const QString& nome) {
    const Definizione righe = form.LeggiRighe();
    for (int i = 0; i < righe.size(); ++i)
        if (righe[i].Nome == nome)
            return i;
    return -1;
}

QString condizioneDi(TIBLQueryForm& form, const QString& nome) {
    return form.LeggiRighe().value(rigaDi(form, nome)).Condizione;
}

int mostraDi(TIBLQueryForm& form, const QString& nome) {
    return form.LeggiRighe().value(rigaDi(form, nome)).Mostra;
}

void tastoSuRiga(TIBLQueryForm& form, const QString& nome, Qt::Key k) {
    GrigliaDefinizione& griglia = *form.DBGrid1;
    if (!griglia.InScrittura())
        griglia.setCurrentIndex(griglia.modello().index(
            rigaDi(form, nome), form.TabIntTmp.fieldByName("Condizione")->index()));
    QWidget* dove = QApplication::focusWidget();
    if (!dove || !griglia.isAncestorOf(dove))
        dove = &griglia;
    tasto(*dove, k);
}

void digita(const QString& testo) {
    for (QChar c : testo)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void scriviCondizione(TIBLQueryForm& form, const QString& nome, const QString& testo) {
    GrigliaDefinizione& griglia = *form.DBGrid1;
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    griglia.setFocus();
    // The application follows the window system's activation a little later.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &griglia; }));
    // On the name: what is typed goes to the condition.
    griglia.setCurrentIndex(
        griglia.modello().index(rigaDi(form, nome), form.TabIntTmp.fieldByName("Nome")->index()));
    digita(testo);
    invio();
}

void invio() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The grid posts what was typed once the editor has seen the key.
    QCoreApplication::processEvents();
}

void clic(QWidget& pulsante) {
    QTest::mouseClick(&pulsante, Qt::LeftButton);
}

int colonnaDi(TIBLQueryForm& form, const QString& campo) {
    const DatasetModel& modello = form.DBGrid2->modello();
    for (int c = 0; c < modello.columnCount(); ++c)
        if (modello.fieldAt(c)->fieldName() == campo)
            return c;
    return -1;
}

QStringList colonnaRisposta(TIBLQueryForm& form, const QString& campo) {
    QAbstractItemModel& modello = form.DBGrid2->modello();
    while (modello.canFetchMore({}))
        modello.fetchMore({});
    QStringList valori;
    const int colonna = colonnaDi(form, campo);
    for (int r = 0; r < modello.rowCount(); ++r)
        valori << modello.index(r, colonna).data().toString();
    return valori;
}

QStringList pulsantiAbilitati(TIBLQueryForm& form) {
    QStringList testi;
    for (QAbstractButton* b : form.findChildren<QAbstractButton*>())
        if (b->isEnabled() && b->isVisibleTo(&form) && !b->text().isEmpty())
            testi << b->text();
    return testi;
}

void FormQuery::SetUp() {
    archivio.exec(
        {"CREATE TABLE ART (COD INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(30), "
         "PREZZO NUMERIC(15,2), DATA DATE, NOTE BLOB SUB_TYPE 1)",
         "INSERT INTO ART VALUES (1, 'Vite M6', 1234.5, '2024-01-05', '" + notaLunga() + "')",
         "INSERT INTO ART VALUES (2, 'Dado M6', 0, '2024-02-10', NULL)",
         "INSERT INTO ART VALUES (3, 'Vite M8', 12, '2024-03-01', 'breve')"});
    tabella.setDatabase(&archivio.db());
    tabella.setTableName("ART");
    tabella.open();
}

void FormQuery::TearDown() {
    form.reset();
}

QString FormQuery::notaLunga() {
    QString nota;
    for (int i = 1; nota.size() < 230; ++i)
        nota += QStringLiteral("parola%1 ").arg(i);
    return nota.trimmed();
}

TIBLQueryForm& FormQuery::crea(DialoghiQuery dialoghi) {
    // The bin folder is the test's own: the print writes its report projects there.
    form =
        std::make_unique<TIBLQueryForm>(tabella, lavoro.filePath("BIN") + "/", lavoro.path(), "D01",
                                        archivio.db(), 7, &port, nullptr, std::move(dialoghi));
    return *form;
}

TIBLQueryForm& FormQuery::mostra() {
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return *form;
}

TIBLQueryForm& FormQuery::apri(DialoghiQuery dialoghi, bool eseguiAllApertura) {
    crea(std::move(dialoghi)).EseguiAllApertura = eseguiAllApertura;
    return mostra();
}

void FormQuery::esegui() {
    clic(*form->ButtonEseguiInterrogazione);
}

} // namespace mavo::test
