#include "platform/ui/TraduzioniQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace mavo {

namespace {

// A host that translates Qt's texts keeps its own translation, whatever its language.
bool qtGiaTradotto() {
    const char* testo = "Look in:";
    return QCoreApplication::translate("QFileDialog", testo) != QLatin1String(testo);
}

} // namespace

bool InstallaTraduzioniQt(const QString& cartella) {
    QCoreApplication* applicazione = QCoreApplication::instance();
    if (!applicazione || qtGiaTradotto())
        return false;
    // Owned by the application, so it goes with it.
    auto* traduzione = new QTranslator(applicazione);
    if (!traduzione->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), cartella) ||
        !QCoreApplication::installTranslator(traduzione)) {
        delete traduzione;
        return false;
    }
    return true;
}

void InstallaTraduzioniQt() {
    static QPointer<QCoreApplication> giaFatto;
    if (!QCoreApplication::instance() || giaFatto == QCoreApplication::instance())
        return;
    giaFatto = QCoreApplication::instance();
    InstallaTraduzioniQt(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace mavo
