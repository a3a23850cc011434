#include "query/esporta/ScrittoreXls.h"

#include "platform/IoError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace mavo {

namespace {

// Record types of the workbook stream.
enum : quint16 {
    RecBof = 0x0809,
    RecEof = 0x000A,
    RecInterfaceHdr = 0x00E1,
    RecMms = 0x00C1,
    RecInterfaceEnd = 0x00E2,
    RecWriteAccess = 0x005C,
    RecCodepage = 0x0042,
    RecDsf = 0x0161,
    RecTabId = 0x013D,
    RecFnGroupCount = 0x009C,
    RecWindowProtect = 0x0019,
    RecProtect = 0x0012,
    RecPassword = 0x0013,
    RecProt4Rev = 0x01AF,
    RecProt4RevPass = 0x01BC,
    RecBackup = 0x0040,
    RecHideObj = 0x008D,
    RecWindow1 = 0x003D,
    RecDateMode = 0x0022,
    RecPrecision = 0x000E,
    RecRefreshAll = 0x01B7,
    RecBookBool = 0x00DA,
    RecFont = 0x0031,
    RecFormat = 0x041E,
    RecXf = 0x00E0,
    RecStyle = 0x0293,
    RecBoundSheet = 0x0085,
    RecCountry = 0x008C,
    RecSst = 0x00FC,
    RecContinue = 0x003C,
    RecExtSst = 0x00FF,
    RecDimensions = 0x0200,
    RecColInfo = 0x007D,
    RecNumber = 0x0203,
    RecLabelSst = 0x00FD,
    RecBoolErr = 0x0205,
    RecWindow2 = 0x023E,
};

// The most data one record carries; more goes on in CONTINUE records.
constexpr int MassimoDatiRecord = 8224;

// Cell formats (XF): fifteen style formats first, as spreadsheet programs expect.
enum : quint16 {
    XfGenerale = 15,
    XfData,
    XfDataOra,
    XfOra,
    XfImporto,
    XfIntero,
    XfTitolo,
};

void metti8(QByteArray& b, quint8 v) {
    b.append(char(v));
}
void metti16(QByteArray& b, quint16 v) {
    const quint16 le = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&le), 2);
}
void metti32(QByteArray& b, quint32 v) {
    const quint32 le = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&le), 4);
}
void mettiDouble(QByteArray& b, double v) {
    quint64 bits;
    std::memcpy(&bits, &v, 8);
    bits = qToLittleEndian(bits);
    b.append(reinterpret_cast<const char*>(&bits), 8);
}
void recordBiff(QByteArray& b, quint16 tipo, const QByteArray& dati = {}) {
    metti16(b, tipo);
    metti16(b, quint16(dati.size()));
    b += dati;
}
QByteArray parolaBiff(quint16 v) {
    QByteArray b;
    metti16(b, v);
    return b;
}

bool otto(QStringView s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x100; });
}

// Characters of a text, 8 bits each when they all fit, else UTF-16LE.
void caratteri(QByteArray& b, QStringView s, bool stretti) {
    for (QChar c : s) {
        if (stretti)
            metti8(b, quint8(c.unicode()));
        else
            metti16(b, c.unicode());
    }
}

// A text with a 16-bit length (XLUnicodeString).
void testo16(QByteArray& b, QStringView s) {
    const bool stretti = otto(s);
    metti16(b, quint16(s.size()));
    metti8(b, stretti ? 0 : 1);
    caratteri(b, s, stretti);
}
// A text with an 8-bit length (ShortXLUnicodeString).
void testo8(QByteArray& b, QStringView s) {
    const bool stretti = otto(s);
    metti8(b, quint8(s.size()));
    metti8(b, stretti ? 0 : 1);
    caratteri(b, s, stretti);
}

QByteArray bof(quint16 tipo) {
    QByteArray d;
    metti16(d, 0x0600); // BIFF8
    metti16(d, tipo);
    metti16(d, 0x0DBB);
    metti16(d, 0x07CC);
    metti32(d, 0);
    metti32(d, 6);
    return d;
}

QByteArray font(bool grassetto) {
    QByteArray d;
    metti16(d, 200); // 10 points
    metti16(d, grassetto ? 0x0001 : 0);
    metti16(d, 0x7FFF);
    metti16(d, grassetto ? 700 : 400);
    metti16(d, 0);
    metti8(d, 0);
    metti8(d, 2);
    metti8(d, 0);
    metti8(d, 0);
    testo8(d, u"Arial");
    return d;
}

QByteArray xf(quint16 carattere, quint16 formato, bool stile, quint8 usati) {
    QByteArray d;
    metti16(d, carattere);
    metti16(d, formato);
    metti16(d, stile ? 0xFFF5 : 0x0001); // locked; a style's parent is none, a cell's is style 0
    metti8(d, 0x20);                     // bottom-aligned
    metti8(d, 0);
    metti8(d, 0);
    metti8(d, usati);
    metti32(d, 0);
    metti32(d, 0);
    metti16(d, 0x20C0); // default pattern colours
    return d;
}

// A file of ours beside the target, written through a buffer, that can be
// patched and read back.
class FlussoTemporaneo {
public:
    explicit FlussoTemporaneo(const QString& cartella)
        : file_(QDir(cartella).filePath(QStringLiteral(".esportazione-XXXXXX"))) {
        if (!file_.open())
            throw IoError(QStringLiteral("Impossibile creare un file temporaneo nella cartella %1")
                              .arg(QDir::toNativeSeparators(cartella)));
    }
    QByteArray& buffer() { return buffer_; }
    qint64 posizione() const { return scritti_ + buffer_.size(); }
    void forse() {
        if (buffer_.size() >= 1 << 20)
            svuota();
    }
    void svuota() {
        if (buffer_.isEmpty())
            return;
        if (file_.write(buffer_) != buffer_.size())
            throw IoError("Errore di scrittura nel file temporaneo " + file_.fileName());
        scritti_ += buffer_.size();
        buffer_.clear();
    }
    void sovrascrivi(qint64 posizione, const QByteArray& dati) {
        if (posizione >= scritti_) {
            std::memcpy(buffer_.data() + (posizione - scritti_), dati.constData(),
                        size_t(dati.size()));
            return;
        }
        svuota();
        if (!file_.seek(posizione) || file_.write(dati) != dati.size() || !file_.seek(scritti_))
            throw IoError("Errore di scrittura nel file temporaneo " + file_.fileName());
    }
    // Everything written, from the start, into `uscita`.
    void copiaIn(QIODevice& uscita) {
        svuota();
        if (!file_.seek(0))
            throw IoError("Errore di lettura del file temporaneo " + file_.fileName());
        QByteArray blocco;
        while (!(blocco = file_.read(1 << 20)).isEmpty())
            if (uscita.write(blocco) != blocco.size())
                throw IoError("Errore di scrittura nel file " + uscita.objectName());
    }

private:
    QTemporaryFile file_;
    QByteArray buffer_;
    qint64 scritti_ = 0;
};

} // namespace

struct ScrittoreXls::Dati {
    Dati(const QString& p, int righe)
        : percorso(p), cartella(QFileInfo(p).absolutePath()), righePerFoglio(righe),
          fogli(cartella), stringhe(cartella) {
        pezzo.fill('\0', 8); // the counts of the table, known at the end
    }

    QString percorso;
    QString cartella;
    int righePerFoglio;
    QStringList titoli;
    QVector<int> larghezze;

    // The sheets' streams, one after the other.
    FlussoTemporaneo fogli;
    QVector<qint64> inizioFogli;
    qint64 dimensioni = -1; // where the open sheet's DIMENSIONS data lies
    int righeFoglio = 0;    // rows of the open sheet so far
    bool foglioAperto = false;

    // The shared strings: SST and CONTINUE records, the open one in `pezzo`.
    FlussoTemporaneo stringhe;
    QByteArray pezzo;
    bool primoRecord = true;
    quint32 totaleStringhe = 0;
    // Where every `passo`-th string starts (offset among the string records,
    // offset within its record), for EXTSST; thinned out as they grow so
    // that they stay few.
    struct Campione {
        qint64 posizione;
        quint16 nelRecord;
    };
    QVector<Campione> campioni;
    quint32 passo = 8;
    bool chiuso = false;

    void chiudiPezzo() {
        QByteArray& b = stringhe.buffer();
        recordBiff(b, primoRecord ? RecSst : RecContinue, pezzo);
        primoRecord = false;
        pezzo.clear();
        stringhe.forse();
    }

    quint32 stringa(QStringView s) {
        const quint32 indice = totaleStringhe++;
        const bool stretti = otto(s);
        const int larghezza = stretti ? 1 : 2;
        // Length, flags and the first character stay in one record.
        if (MassimoDatiRecord - pezzo.size() < 3 + (s.isEmpty() ? 0 : larghezza))
            chiudiPezzo();
        if (indice % passo == 0) {
            campioni.append({stringhe.posizione() + 4 + pezzo.size(), quint16(4 + pezzo.size())});
            if (campioni.size() > 256) {
                QVector<Campione> meta;
                for (qsizetype i = 0; i < campioni.size(); i += 2)
                    meta.append(campioni[i]);
                campioni = std::move(meta);
                passo *= 2;
            }
        }
        metti16(pezzo, quint16(s.size()));
        metti8(pezzo, stretti ? 0 : 1);
        qsizetype fatti = 0;
        while (fatti < s.size()) {
            const qsizetype liberi = (MassimoDatiRecord - pezzo.size()) / larghezza;
            if (liberi == 0) {
                // The rest goes on in a CONTINUE record that says its width again.
                chiudiPezzo();
                metti8(pezzo, stretti ? 0 : 1);
                continue;
            }
            const qsizetype quanti = std::min(liberi, s.size() - fatti);
            caratteri(pezzo, s.mid(fatti, quanti), stretti);
            fatti += quanti;
        }
        return indice;
    }

    void cellaNumero(int riga, int colonna, quint16 formato, double valore) {
        QByteArray& b = fogli.buffer();
        metti16(b, RecNumber);
        metti16(b, 14);
        metti16(b, quint16(riga));
        metti16(b, quint16(colonna));
        metti16(b, formato);
        mettiDouble(b, valore);
    }

    void cellaTesto(int riga, int colonna, quint16 formato, QStringView testo) {
        const quint32 indice = stringa(testo.left(MassimoCaratteriCella));
        QByteArray& b = fogli.buffer();
        metti16(b, RecLabelSst);
        metti16(b, 10);
        metti16(b, quint16(riga));
        metti16(b, quint16(colonna));
        metti16(b, formato);
        metti32(b, indice);
    }

    void apriFoglio() {
        inizioFogli.append(fogli.posizione());
        QByteArray& b = fogli.buffer();
        recordBiff(b, RecBof, bof(0x0010));
        metti16(b, RecDimensions);
        metti16(b, 14);
        dimensioni = fogli.posizione();
        b.append(14, '\0');
        for (int c = 0; c < larghezze.size(); ++c) {
            QByteArray d;
            metti16(d, quint16(c));
            metti16(d, quint16(c));
            metti16(d, quint16(std::clamp(larghezze[c] + 1, 1, 255) * 256));
            metti16(d, XfGenerale);
            metti16(d, 0);
            metti16(d, 0);
            recordBiff(b, RecColInfo, d);
        }
        foglioAperto = true;
        righeFoglio = 0;
        for (int c = 0; c < titoli.size(); ++c)
            cellaTesto(0, c, XfTitolo, titoli[c]);
        righeFoglio = 1;
    }

    void chiudiFoglio() {
        if (!foglioAperto)
            return;
        QByteArray d;
        metti32(d, 0);
        metti32(d, quint32(righeFoglio));
        metti16(d, 0);
        metti16(d, quint16(std::max<qsizetype>(titoli.size(), 1)));
        metti16(d, 0);
        fogli.sovrascrivi(dimensioni, d);
        QByteArray w;
        // Grid, headers, zeros, outline symbols; the first sheet selected and shown.
        metti16(w, inizioFogli.size() == 1 ? 0x06B6 : 0x00B6);
        metti16(w, 0);
        metti16(w, 0);
        metti16(w, 0x0040);
        metti16(w, 0);
        metti16(w, 0);
        metti16(w, 0);
        metti32(w, 0);
        QByteArray& b = fogli.buffer();
        recordBiff(b, RecWindow2, w);
        recordBiff(b, RecEof);
        foglioAperto = false;
    }

    QByteArray globali(int numeroFogli, QVector<int>& posizioniFogli) const {
        QByteArray g;
        recordBiff(g, RecBof, bof(0x0005));
        recordBiff(g, RecInterfaceHdr, parolaBiff(0x04B0));
        recordBiff(g, RecMms, parolaBiff(0));
        recordBiff(g, RecInterfaceEnd);
        QByteArray utente;
        testo16(utente, u"Mavo");
        utente.append(112 - utente.size(), ' ');
        recordBiff(g, RecWriteAccess, utente);
        recordBiff(g, RecCodepage, parolaBiff(0x04B0)); // UTF-16
        recordBiff(g, RecDsf, parolaBiff(0));
        QByteArray schede;
        for (int i = 0; i < numeroFogli; ++i)
            metti16(schede, quint16(i + 1));
        recordBiff(g, RecTabId, schede);
        recordBiff(g, RecFnGroupCount, parolaBiff(14));
        for (quint16 tipo : {RecWindowProtect, RecProtect, RecPassword, RecProt4Rev,
                             RecProt4RevPass, RecBackup, RecHideObj})
            recordBiff(g, tipo, parolaBiff(0));
        QByteArray finestra;
        for (quint16 v : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 600})
            metti16(finestra, v);
        recordBiff(g, RecWindow1, finestra);
        recordBiff(g, RecDateMode, parolaBiff(0)); // days from 1900
        recordBiff(g, RecPrecision, parolaBiff(1));
        recordBiff(g, RecRefreshAll, parolaBiff(0));
        recordBiff(g, RecBookBool, parolaBiff(0));
        // Fonts 0-3 (4 is never used), 5 the titles' bold.
        for (int i = 0; i < 4; ++i)
            recordBiff(g, RecFont, font(false));
        recordBiff(g, RecFont, font(true));
        const std::pair<quint16, const char16_t*> formati[] = {
            {164, u"dd/mm/yyyy"}, {165, u"dd/mm/yyyy hh:mm:ss"}, {166, u"hh:mm:ss"}};
        for (const auto& [numero, testo] : formati) {
            QByteArray d;
            metti16(d, numero);
            testo16(d, testo);
            recordBiff(g, RecFormat, d);
        }
        recordBiff(g, RecXf, xf(0, 0, true, 0));
        for (int i = 1; i < 15; ++i)
            recordBiff(g, RecXf, xf(0, 0, true, 0xF4));
        recordBiff(g, RecXf, xf(0, 0, false, 0));      // XfGenerale
        recordBiff(g, RecXf, xf(0, 164, false, 0x04)); // XfData
        recordBiff(g, RecXf, xf(0, 165, false, 0x04)); // XfDataOra
        recordBiff(g, RecXf, xf(0, 166, false, 0x04)); // XfOra
        recordBiff(g, RecXf, xf(0, 4, false, 0x04));   // XfImporto: #,##0.00
        recordBiff(g, RecXf, xf(0, 3, false, 0x04));   // XfIntero: #,##0
        recordBiff(g, RecXf, xf(5, 0, false, 0x08));   // XfTitolo
        QByteArray normale;
        metti16(normale, 0x8000);
        metti8(normale, 0);
        metti8(normale, 0xFF);
        recordBiff(g, RecStyle, normale);
        for (int i = 0; i < numeroFogli; ++i) {
            QByteArray d;
            posizioniFogli.append(int(g.size()) + 4);
            metti32(d, 0); // where the sheet starts: set once the whole size is known
            metti8(d, 0);
            metti8(d, 0);
            testo8(d, QStringLiteral("Foglio%1").arg(i + 1));
            recordBiff(g, RecBoundSheet, d);
        }
        QByteArray paese;
        metti16(paese, 39);
        metti16(paese, 39);
        recordBiff(g, RecCountry, paese);
        return g;
    }
};

ScrittoreXls::ScrittoreXls(const QString& percorso, int righePerFoglio)
    : d_(std::make_unique<Dati>(percorso, std::clamp(righePerFoglio, 2, MassimoRighe))) {}

ScrittoreXls::~ScrittoreXls() = default;

void ScrittoreXls::Colonne(const QStringList& titoli, const QVector<int>& larghezze) {
    if (titoli.size() > MassimoColonne)
        throw IoError(QStringLiteral("Il formato xls ammette al massimo %1 colonne (la risposta ne "
                                     "ha %2): usare il formato Excel X")
                          .arg(MassimoColonne)
                          .arg(titoli.size()));
    d_->titoli = titoli;
    d_->larghezze = larghezze;
    d_->larghezze.resize(titoli.size(), 10);
    d_->apriFoglio();
}

void ScrittoreXls::Riga(const QVector<Cella>& celle) {
    Dati& d = *d_;
    if (!d.foglioAperto)
        d.apriFoglio();
    if (d.righeFoglio >= d.righePerFoglio) {
        d.chiudiFoglio();
        d.apriFoglio();
    }
    const int riga = d.righeFoglio++;
    const int colonne = std::min<int>(int(celle.size()), MassimoColonne);
    for (int c = 0; c < colonne; ++c) {
        const Cella& cella = celle[c];
        switch (cella.tipo) {
        case Cella::Tipo::Vuota:
            break;
        case Cella::Tipo::Numero:
            if (std::isfinite(cella.numero))
                d.cellaNumero(riga, c,
                              cella.formato == Cella::Formato::Importo  ? XfImporto
                              : cella.formato == Cella::Formato::Intero ? XfIntero
                                                                        : XfGenerale,
                              cella.numero);
            break;
        case Cella::Tipo::Data:
            d.cellaNumero(riga, c, XfData, cella.numero);
            break;
        case Cella::Tipo::DataOra:
            d.cellaNumero(riga, c, XfDataOra, cella.numero);
            break;
        case Cella::Tipo::Ora:
            d.cellaNumero(riga, c, XfOra, cella.numero);
            break;
        case Cella::Tipo::Testo:
            d.cellaTesto(riga, c, XfGenerale, cella.testo);
            break;
        case Cella::Tipo::Logico: {
            QByteArray& b = d.fogli.buffer();
            metti16(b, RecBoolErr);
            metti16(b, 8);
            metti16(b, quint16(riga));
            metti16(b, quint16(c));
            metti16(b, XfGenerale);
            metti8(b, cella.numero != 0 ? 1 : 0);
            metti8(b, 0);
            break;
        }
        }
    }
    d.fogli.forse();
}

namespace {

// The compound file around the workbook stream: 512-byte sectors, the
// stream first, then its directory, the allocation table and, for a table
// of more than 109 sectors, the table's own index.
constexpr quint32 FineCatena = 0xFFFFFFFE, Libero = 0xFFFFFFFF, SettoreTabella = 0xFFFFFFFD,
                  SettoreIndice = 0xFFFFFFFC, NessunFratello = 0xFFFFFFFF;

QByteArray voceDirectory(QStringView nome, quint8 tipo, quint32 figlio, quint32 inizio,
                         quint32 dimensione) {
    QByteArray e;
    for (QChar c : nome)
        metti16(e, c.unicode());
    e.append(64 - e.size(), '\0');
    metti16(e, quint16(nome.isEmpty() ? 0 : (nome.size() + 1) * 2));
    metti8(e, tipo);
    metti8(e, 1); // black
    metti32(e, NessunFratello);
    metti32(e, NessunFratello);
    metti32(e, figlio);
    e.append(16 + 4 + 8 + 8, '\0');
    metti32(e, inizio);
    metti32(e, dimensione);
    metti32(e, 0);
    return e;
}

} // namespace

void ScrittoreXls::Chiudi() {
    Dati& d = *d_;
    if (d.chiuso)
        return;
    if (d.inizioFogli.isEmpty())
        d.apriFoglio();
    d.chiudiFoglio();
    d.chiudiPezzo();
    d.stringhe.svuota();
    d.fogli.svuota();

    const int numeroFogli = int(d.inizioFogli.size());
    QVector<int> posizioniFogli;
    QByteArray globali = d.globali(numeroFogli, posizioniFogli);
    const qint64 inizioStringhe = globali.size();
    const qint64 dimensioneStringhe = d.stringhe.posizione();

    // EXTSST: where every dsst-th string starts, at most 128 buckets.
    const quint32 unici = d.totaleStringhe;
    const qsizetype ogni = std::max<qsizetype>(1, (d.campioni.size() + 127) / 128);
    QByteArray estesa;
    metti16(estesa, quint16(std::min<quint32>(d.passo * quint32(ogni), 0xFFFF)));
    for (qsizetype i = 0; i < d.campioni.size(); i += ogni) {
        metti32(estesa, quint32(inizioStringhe + d.campioni[i].posizione));
        metti16(estesa, d.campioni[i].nelRecord);
        metti16(estesa, 0);
    }
    QByteArray coda;
    recordBiff(coda, RecExtSst, estesa);
    recordBiff(coda, RecEof);

    const qint64 dimensioneGlobali = globali.size() + dimensioneStringhe + coda.size();
    for (int i = 0; i < numeroFogli; ++i) {
        const quint32 inizio = qToLittleEndian(quint32(dimensioneGlobali + d.inizioFogli[i]));
        std::memcpy(globali.data() + posizioniFogli[i], &inizio, 4);
    }
    qint64 flusso = dimensioneGlobali + d.fogli.posizione();
    if (flusso > qint64(0xFFFFFFFF) - 4096)
        throw IoError(QStringLiteral("La risposta è troppo grande per un file xls: usare il "
                                     "formato Excel X"));
    // A stream under 4096 bytes would belong to the small-stream area: padded.
    const qint64 riempimento = std::max<qint64>(0, 4096 - flusso);
    flusso += riempimento;

    QSaveFile uscita(d.percorso);
    uscita.setObjectName(d.percorso);
    const auto errore = [&] {
        return IoError("Impossibile scrivere il file " + QDir::toNativeSeparators(d.percorso) +
                       "\n" + uscita.errorString());
    };
    if (!uscita.open(QIODevice::WriteOnly))
        throw errore();
    const auto scrivi = [&](const QByteArray& b) {
        if (uscita.write(b) != b.size())
            throw errore();
    };
    scrivi(QByteArray(512, '\0'));
    scrivi(globali);
    {
        // The string table's counts, now known, go into its first record.
        QByteArray conti;
        metti32(conti, unici);
        metti32(conti, unici);
        d.stringhe.sovrascrivi(4, conti);
    }
    d.stringhe.copiaIn(uscita);
    scrivi(coda);
    d.fogli.copiaIn(uscita);
    scrivi(QByteArray(riempimento + (512 - flusso % 512) % 512, '\0'));

    const quint32 settoriFlusso = quint32((flusso + 511) / 512);
    quint32 tabella = 1, indice = 0;
    for (;;) {
        indice = tabella > 109 ? (tabella - 109 + 126) / 127 : 0;
        if (quint64(tabella) * 128 >= quint64(settoriFlusso) + 1 + tabella + indice)
            break;
        ++tabella;
    }
    const quint32 settoreDirectory = settoriFlusso;
    const quint32 primaTabella = settoreDirectory + 1;
    const quint32 primoIndice = primaTabella + tabella;

    QByteArray directory;
    directory += voceDirectory(u"Root Entry", 5, 1, FineCatena, 0);
    directory += voceDirectory(u"Workbook", 2, NessunFratello, 0, quint32(flusso));
    directory += voceDirectory({}, 0, NessunFratello, 0, 0);
    directory += voceDirectory({}, 0, NessunFratello, 0, 0);
    scrivi(directory);

    QByteArray voci;
    const quint64 totaleVoci = quint64(tabella) * 128;
    for (quint64 s = 0; s < totaleVoci; ++s) {
        quint32 v = Libero;
        if (s + 1 < settoriFlusso)
            v = quint32(s + 1);
        else if (s + 1 == settoriFlusso || s == settoreDirectory)
            v = FineCatena;
        else if (s >= primaTabella && s < primoIndice)
            v = SettoreTabella;
        else if (s >= primoIndice && s < primoIndice + indice)
            v = SettoreIndice;
        metti32(voci, v);
        if (voci.size() >= 1 << 20) {
            scrivi(voci);
            voci.clear();
        }
    }
    scrivi(voci);
    // The allocation table's sectors past the 109 the header lists.
    for (quint32 i = 0; i < indice; ++i) {
        QByteArray settore;
        for (quint32 k = 0; k < 127; ++k) {
            const quint32 n = 109 + i * 127 + k;
            metti32(settore, n < tabella ? primaTabella + n : Libero);
        }
        metti32(settore, i + 1 < indice ? primoIndice + i + 1 : FineCatena);
        scrivi(settore);
    }

    QByteArray testata;
    testata += QByteArray::fromHex("D0CF11E0A1B11AE1");
    testata.append(16, '\0');
    metti16(testata, 0x003E);
    metti16(testata, 0x0003);
    metti16(testata, 0xFFFE);
    metti16(testata, 9);
    metti16(testata, 6);
    testata.append(6, '\0');
    metti32(testata, 0);
    metti32(testata, tabella);
    metti32(testata, settoreDirectory);
    metti32(testata, 0);
    metti32(testata, 4096);
    metti32(testata, FineCatena);
    metti32(testata, 0);
    metti32(testata, indice ? primoIndice : FineCatena);
    metti32(testata, indice);
    for (quint32 i = 0; i < 109; ++i)
        metti32(testata, i < tabella ? primaTabella + i : Libero);
    if (!uscita.seek(0))
        throw errore();
    scrivi(testata);
    if (!uscita.commit())
        throw errore();
    d.chiuso = true;
}

} // namespace mavo
