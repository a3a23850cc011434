#include "common/ui/AspettoDialogo.h"

#include <QApplication>
#include <QFont>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace mavo {

namespace {

// The screen an area belongs on: the one holding its centre, otherwise the
// one it overlaps most, otherwise (a screen that has gone away) the primary one.
QScreen* schermoPer(const QRect& area) {
    if (QScreen* schermo = QGuiApplication::screenAt(area.center()))
        return schermo;
    QScreen* migliore = QGuiApplication::primaryScreen();
    qint64 superficieMigliore = 0;
    for (QScreen* schermo : QGuiApplication::screens()) {
        const QRect comune = schermo->geometry() & area;
        const qint64 superficie = qint64(comune.width()) * comune.height();
        if (superficie > superficieMigliore) {
            superficieMigliore = superficie;
            migliore = schermo;
        }
    }
    return migliore;
}

QMargins margini(const QWidget& finestra) {
    const QRect esterno = finestra.frameGeometry();
    const QRect interno = finestra.geometry();
    return {interno.left() - esterno.left(), interno.top() - esterno.top(),
            esterno.right() - interno.right(), esterno.bottom() - interno.bottom()};
}

// The window manager's frame around the window: known once the window has
// been on screen; before that, another window's of this application stands in.
QMargins cornice(const QWidget& finestra) {
    QMargins bordo = margini(finestra);
    if (!bordo.isNull())
        return bordo;
    for (const QWidget* altra : QApplication::topLevelWidgets()) {
        if (altra != &finestra && altra->isVisible()) {
            bordo = margini(*altra);
            if (!bordo.isNull())
                return bordo;
        }
    }
    return {};
}

void riduciA(QWidget& finestra, const QSize& massima) {
    if (finestra.width() > massima.width() || finestra.height() > massima.height())
        finestra.resize(finestra.size().boundedTo(massima));
}

// Places the client area so that the window with its frame lies within `area`;
// a window larger than the area keeps its top left corner in it.
void collocaIn(QWidget& finestra, const QRect& area, const QMargins& bordo, QPoint angolo) {
    const QSize esterno = finestra.size().grownBy(bordo);
    angolo.setX(std::max(area.left(), std::min(angolo.x(), area.right() + 1 - esterno.width())));
    angolo.setY(std::max(area.top(), std::min(angolo.y(), area.bottom() + 1 - esterno.height())));
    const QRect geometria(angolo + QPoint(bordo.left(), bordo.top()), finestra.size());
    if (geometria != finestra.geometry())
        finestra.setGeometry(geometria);
}

// The frame of a window not yet on screen is not known. Once the window
// manager has framed and shown it, the window is brought onto the screen
// again, frame included; then this watch ends.
class RicontrolloAllaComparsa : public QObject {
public:
    static constexpr const char* nome = "RicontrolloAllaComparsa";

    explicit RicontrolloAllaComparsa(QWidget& finestra) : QObject(&finestra), finestra_(finestra) {
        setObjectName(QLatin1String(nome));
        finestra.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        QWindow* nativa = finestra_.windowHandle();
        if (oggetto == &finestra_ && evento->type() == QEvent::Show && nativa) {
            finestra_.removeEventFilter(this);
            nativa->installEventFilter(this);
        } else if (oggetto == nativa && evento->type() == QEvent::Expose && nativa->isExposed()) {
            nativa->removeEventFilter(this);
            deleteLater();
            PortaSulloSchermo(finestra_);
        }
        return false;
    }

private:
    QWidget& finestra_;
};

} // namespace

void ImpostaCarattereDialogo(QWidget& finestra) {
    QFont carattere(QStringLiteral("Tahoma"));
    carattere.setPixelSize(13);
    finestra.setFont(carattere);
}

void CentraSulloSchermo(QWidget& finestra) {
    finestra.adjustSize();
    // A dialog comes up on its owner's screen.
    const QWidget* proprietario =
        finestra.parentWidget() ? finestra.parentWidget()->window() : nullptr;
    QScreen* schermo =
        proprietario ? schermoPer(proprietario->frameGeometry()) : QGuiApplication::primaryScreen();
    const QRect area = schermo->availableGeometry();
    const QMargins bordo = cornice(finestra);
    riduciA(finestra, area.size().shrunkBy(bordo));
    QRect esterno(QPoint(), finestra.size().grownBy(bordo));
    esterno.moveCenter(area.center());
    collocaIn(finestra, area, bordo, esterno.topLeft());
}

void PortaSulloSchermo(QWidget& finestra) {
    const QMargins bordo = cornice(finestra);
    const QRect esterno = finestra.geometry().marginsAdded(bordo);
    const QRect area = schermoPer(esterno)->availableGeometry();
    riduciA(finestra, area.size().shrunkBy(bordo));
    collocaIn(finestra, area, bordo, esterno.topLeft());
    const QWindow* nativa = finestra.windowHandle();
    if (finestra.isWindow() && !(nativa && nativa->isExposed()) &&
        !finestra.findChild<QObject*>(QLatin1String(RicontrolloAllaComparsa::nome),
                                      Qt::FindDirectChildrenOnly))
        new RicontrolloAllaComparsa(finestra);
}

} // namespace mavo
