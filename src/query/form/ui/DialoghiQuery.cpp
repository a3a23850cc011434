#include "query/form/ui/DialoghiQuery.h"

#include "common/ui/EditData.h"
#include "common/ui/PimDataForm.h"
#include "common/ui/PimIn1Form.h"
#include "query/form/ui/FinestraSql.h"

#include <QFontDialog>
#include <QLineEdit>

namespace mavo {

namespace {

std::optional<QString> valore(QWidget* owner, bool data) {
    if (data) {
        TPimDataForm dialogo(owner);
        dialogo.EditData1->clear();
        dialogo.exec();
        return dialogo.Esito == 1 ? std::optional(dialogo.EditData1->text()) : std::nullopt;
    }
    TPimIn1Form dialogo(owner);
    dialogo.Edit1->clear();
    dialogo.exec();
    return dialogo.Esito == 1 ? std::optional(dialogo.Edit1->text()) : std::nullopt;
}

bool testoSql(QWidget* owner, const QStringList& sql) {
    FinestraSql finestra(sql, owner);
    return finestra.exec() == QDialog::Accepted;
}

std::optional<QFont> carattere(QWidget* owner, const QFont& attuale) {
    bool scelto = false;
    const QFont font = QFontDialog::getFont(&scelto, attuale, owner);
    return scelto ? std::optional(font) : std::nullopt;
}

} // namespace

DialoghiQuery DialoghiPredefiniti() {
    return {valore, testoSql, carattere};
}

} // namespace mavo
