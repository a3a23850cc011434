#include "platform/ui/PompaEventi.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

namespace mavo {

namespace {

bool inputUtente(QEvent::Type tipo) {
    switch (tipo) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// The window system's input stays in its queue by itself
// (ExcludeUserInputEvents); input posted to the application's own queue would
// not, so it is held here and posted again afterwards.
class TrattieniInput : public QObject {
public:
    TrattieniInput() { QCoreApplication::instance()->installEventFilter(this); }
    ~TrattieniInput() override {
        QCoreApplication::instance()->removeEventFilter(this);
        for (auto& [destinatario, evento] : trattenuti_) {
            if (destinatario)
                QCoreApplication::postEvent(destinatario, evento.release());
        }
    }

protected:
    bool eventFilter(QObject* destinatario, QEvent* evento) override {
        if (!inputUtente(evento->type()))
            return false;
        trattenuti_.emplace_back(destinatario, std::unique_ptr<QEvent>(evento->clone()));
        return true;
    }

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> trattenuti_;
};

} // namespace

void PompaSenzaInput() {
    // A window painted by this very call must not start another round.
    static bool inCorso = false;
    if (inCorso || !QCoreApplication::instance())
        return;
    struct Turno {
        Turno() { inCorso = true; }
        ~Turno() { inCorso = false; }
    } turno;
    TrattieniInput trattieni;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::X11ExcludeTimers);
}

} // namespace mavo
