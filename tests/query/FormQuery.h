#pragma once

#include "dataset/IbTable.h"
#include "platform/ScriptedInterazione.h"
#include "query/form/ui/IBLQueryForm.h"
#include "support/TestDb.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

// What a user does in the query form, with real key and mouse events.

// The definition row of a field (-1: none).
int rigaDi(TIBLQueryForm& form, const QString& nome);
QString condizioneDi(TIBLQueryForm& form, const QString& nome);
int mostraDi(TIBLQueryForm& form, const QString& nome);
// Puts the cursor on the row's condition and presses `tasto` there.
void tastoSuRiga(TIBLQueryForm& form, const QString& nome, Qt::Key tasto);
// Types `testo` into the row's condition, then Enter.
void scriviCondizione(TIBLQueryForm& form, const QString& nome, const QString& testo);
// Types into whatever has the focus, one key at a time; Enter there.
void digita(const QString& testo);
void invio();
// A click on a button of the form.
void clic(QWidget& pulsante);
// What the answer grid shows in the field's column, top to bottom.
QStringList colonnaRisposta(TIBLQueryForm& form, const QString& campo);
// The column of the answer grid holding the field.
int colonnaDi(TIBLQueryForm& form, const QString& campo);
// Captions of the form's enabled buttons (those with one), in their order.
QStringList pulsantiAbilitati(TIBLQueryForm& form);

// Articles ART (COD, NOME, PREZZO NUMERIC(15,2), DATA, NOTE memo) of three
// rows, the table open, and a form over it (not yet made) for company D01
// and user 7, telling the user through a script.
class FormQuery : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TIBLQueryForm& apri(DialoghiQuery dialoghi = DialoghiPredefiniti(),
                        bool eseguiAllApertura = false);
    // The form made, not yet shown (what is set before it shows can be set).
    TIBLQueryForm& crea(DialoghiQuery dialoghi = DialoghiPredefiniti());
    // Shows the form made.
    TIBLQueryForm& mostra();
    // Runs the query as the user does, with the button.
    void esegui();

    // The memo of the first article: longer than one value of the one-record view.
    static QString notaLunga();

    TestDb archivio;
    IbTable tabella;
    QTemporaryDir lavoro;
    ScriptedInterazione port;
    std::unique_ptr<TIBLQueryForm> form;
};

} // namespace mavo::test
