#pragma once

#include "query/form/ui/GrigliaCampi.h"

namespace mavo {

class ModelloDefinizione;

// The definition grid of the query form: conditions are typed straight into
// their column (a key typed elsewhere on the row goes there); a double-click
// on a row is the form's, not an edit.
class GrigliaDefinizione : public GrigliaCampi {
    Q_OBJECT
public:
    GrigliaDefinizione(ModelloDefinizione* modello, QWidget* parent = nullptr);

    ModelloDefinizione& definizione() const;
    // The current row, -1 on an empty list.
    int RigaCorrente() const;
    void SelezionaRiga(int riga);

    // A cell is being typed in.
    bool InScrittura() const { return state() == QAbstractItemView::EditingState; }
    // Posts what is being typed in a cell (what the original calls posting
    // the list's pending edit).
    void Posta();
    // Opens the row's condition for typing, the caret after its text.
    void ScriviCondizione(int riga);

Q_SIGNALS:
    void doppioClic();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int colonnaCondizione() const;
};

} // namespace mavo
