#include "platform/SegnaliUscita.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <csignal>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace mavo {

void UscitaSuSegnale(std::function<void(int)> azione) {
    sigset_t segnali;
    sigemptyset(&segnali);
    for (const int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&segnali, s);
    // Threads started later, the client's included, inherit the mask.
    pthread_sigmask(SIG_BLOCK, &segnali, nullptr);
    std::thread([segnali, azione = std::move(azione)] {
        for (bool primo = true;; primo = false) {
            int segnale = 0;
            if (sigwait(&segnali, &segnale) != 0)
                continue;
            if (!primo || !azione)
                _exit(128 + segnale);
            azione(segnale);
        }
    }).detach();
}

void UscitaSuSegnaleApplicazione() {
    UscitaSuSegnale([](int segnale) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            _exit(128 + segnale);
        // exit() ends the nested loops of modal dialogs too.
        QMetaObject::invokeMethod(
            app, [segnale] { QCoreApplication::exit(128 + segnale); }, Qt::QueuedConnection);
    });
}

} // namespace mavo
