#include "common/ui/EditData.h"

#include <QKeyEvent>

namespace mavo {

namespace {

bool cifra(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Keys that move or delete leave the text alone (the caret still goes to the end).
bool tastoSenzaCompletamento(int tasto) {
    return tasto == Qt::Key_Cancel || tasto == Qt::Key_Backspace || tasto == Qt::Key_Left ||
           tasto == Qt::Key_Right || tasto == Qt::Key_Delete;
}

// The number formed by the digits of the text, 0 when there are none.
int numeroDalleCifre(QStringView testo) {
    int numero = 0;
    for (QChar c : testo) {
        if (cifra(c)) {
            numero = numero * 10 + (c.unicode() - u'0');
        }
    }
    return numero;
}

} // namespace

TEditData::TEditData(QWidget* parent) : QLineEdit(parent) {}

void TEditData::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    // A held key completes once, when it is finally released.
    if (event->isAutoRepeat()) {
        return;
    }
    QString testo = text();
    if (!tastoSenzaCompletamento(event->key()) && !completa(testo)) {
        return;
    }
    setText(testo);
    setCursorPosition(int(testo.size()));
}

bool TEditData::completa(QString& testo) {
    switch (testo.size()) {
    case 2: {
        const int giorno = numeroDalleCifre(testo);
        if (giorno < 1 || giorno > 31) {
            selectAll();
            return false;
        }
        testo = QStringLiteral("%1/").arg(giorno, 2, 10, QLatin1Char('0'));
        return true;
    }
    case 5: {
        const int mese = numeroDalleCifre(QStringView(testo).sliced(3));
        if (mese < 1 || mese > 12) {
            setSelection(3, 3);
            return false;
        }
        testo = mese >= 10 ? testo + u'/' : testo.left(3) + QStringLiteral("0%1/").arg(mese);
        return true;
    }
    case 8: {
        const QStringView anno = QStringView(testo).sliced(6);
        if (!cifra(anno[0]) || !cifra(anno[1])) {
            setSelection(6, 3);
            return false;
        }
        const int aa = numeroDalleCifre(anno);
        // 19 and 20 are the start of a four-digit year being typed.
        if (aa != 19 && aa != 20) {
            testo = testo.left(6) + QString::number(aa >= 50 ? 1900 + aa : 2000 + aa);
        }
        return true;
    }
    default:
        return true;
    }
}

} // namespace mavo
