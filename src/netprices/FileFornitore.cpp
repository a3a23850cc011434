#include "netprices/FileFornitore.h"

#include "platform/Cp1252.h"
#include "platform/IoError.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace mavo {

namespace {

// Large enough that a million-line file is a few dozen reads, small enough to
// keep memory flat.
constexpr qsizetype DimensioneBlocco = 1 << 20;
constexpr char FineFile = '\x1A'; // Ctrl-Z
constexpr char Bom[] = "\xEF\xBB\xBF";

} // namespace

FileFornitore::FileFornitore(const QString& percorso) : file_(percorso) {}

bool FileFornitore::Apri() {
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        errore_ = file_.errorString();
        return false;
    }
    if (file_.isSequential()) {
        errore_ = "Il file non può essere riletto dall'inizio";
        file_.close();
        return false;
    }
    blocco_.resize(DimensioneBlocco);
    return true;
}

QByteArrayView FileFornitore::prossimoBlocco() {
    if (fine_)
        return {};
    const qint64 letti = file_.read(blocco_.data(), blocco_.size());
    if (letti < 0)
        throw erroreLettura();
    QByteArrayView blocco(blocco_.constData(), letti);
    fine_ = letti == 0;
    if (primoBlocco_) {
        primoBlocco_ = false;
        utf8_ = blocco.startsWith(QByteArrayView(Bom));
        if (utf8_)
            blocco = blocco.sliced(3);
    }
    if (const void* z = std::memchr(blocco.data(), FineFile, size_t(blocco.size()))) {
        blocco = blocco.first(static_cast<const char*>(z) - blocco.data());
        fine_ = true;
    }
    return blocco;
}

IoError FileFornitore::erroreLettura() const {
    return IoError("Errore di lettura del file " + file_.fileName() + ":\r" + file_.errorString());
}

void FileFornitore::riavvolgi() {
    if (!file_.seek(0))
        throw erroreLettura();
    primoBlocco_ = true;
    fine_ = false;
}

qint64 FileFornitore::ContaRighe() {
    qint64 fineRighe = 0;
    bool rigaAperta = false; // bytes after the last line end
    while (!fine_) {
        const QByteArrayView blocco = prossimoBlocco();
        if (std::memchr(blocco.data(), '\0', size_t(blocco.size())))
            return -1;
        fineRighe += std::count(blocco.begin(), blocco.end(), '\n');
        if (!blocco.isEmpty())
            rigaAperta = blocco.back() != '\n';
    }
    riavvolgi();
    const qint64 righe = fineRighe + (rigaAperta ? 1 : 0);
    return std::max<qint64>(righe - 1, 0);
}

void FileFornitore::LeggiRighe(const std::function<void(QStringView riga)>& riga) {
    QStringDecoder decoderUtf8(QStringDecoder::Utf8);
    bool intestazione = true;
    const auto consegna = [&](QStringView testo) {
        if (testo.endsWith(u'\r'))
            testo.chop(1);
        if (intestazione)
            intestazione = false;
        else
            riga(testo);
    };
    // A line that runs over the end of a block; it grows by whole blocks, so
    // a line of many megabytes costs no more than its length.
    QString resto;
    while (!fine_) {
        const QByteArrayView blocco = prossimoBlocco();
        const QString testo = utf8_ ? QString(decoderUtf8.decode(blocco)) : fromCp1252(blocco);
        QStringView daLeggere(testo);
        for (qsizetype a = daLeggere.indexOf(u'\n'); a >= 0; a = daLeggere.indexOf(u'\n')) {
            if (resto.isEmpty()) {
                consegna(daLeggere.first(a));
            } else {
                resto += daLeggere.first(a);
                consegna(resto);
                resto.resize(0);
            }
            daLeggere = daLeggere.sliced(a + 1);
        }
        resto += daLeggere;
    }
    if (!resto.isEmpty())
        consegna(resto);
}

} // namespace mavo
