#include "query/form/ui/FinestraSql.h"

#include "common/ui/AspettoDialogo.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mavo {

FinestraSql::FinestraSql(const QStringList& sql, QWidget* owner)
    : QDialog(owner), MemoSql(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Script SQL"));
    ImpostaCarattereDialogo(*this);
    MemoSql->setReadOnly(true);
    MemoSql->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoSql->setPlainText(sql.join(u'\n'));
    auto* pulsanti = new QDialogButtonBox(this);
    pulsanti->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole)->setDefault(true);
    pulsanti->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoSql);
    layout->addWidget(pulsanti);
    setMinimumSize(520, 320);
    CentraSulloSchermo(*this);
}

} // namespace mavo
