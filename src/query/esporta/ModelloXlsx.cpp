#include "query/esporta/ModelloXlsx.h"

#include "platform/IoError.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <QtEndian>
#include <algorithm>
#include <zlib.h>

namespace mavo {

namespace {

// A model is a few rows: a file far larger is no model.
constexpr qint64 MassimoModello = 64 << 20;

quint16 le16(const QByteArray& b, qint64 p) {
    return qFromLittleEndian<quint16>(b.constData() + p);
}
quint32 le32(const QByteArray& b, qint64 p) {
    return qFromLittleEndian<quint32>(b.constData() + p);
}

// The entries of a zip archive read whole into memory.
class Archivio {
public:
    Archivio(QByteArray dati, QString nome) : dati_(std::move(dati)), nome_(std::move(nome)) {
        const qint64 n = dati_.size();
        qint64 fine = -1;
        for (qint64 p = n - 22; p >= 0 && p >= n - 22 - 65535; --p)
            if (le32(dati_, p) == 0x06054b50) {
                fine = p;
                break;
            }
        if (fine < 0)
            throw guasto();
        const quint16 voci = le16(dati_, fine + 10);
        qint64 p = le32(dati_, fine + 16);
        for (int i = 0; i < voci; ++i) {
            if (p + 46 > n || le32(dati_, p) != 0x02014b50)
                throw guasto();
            Voce v;
            v.metodo = le16(dati_, p + 10);
            v.compressa = le32(dati_, p + 20);
            v.dimensione = le32(dati_, p + 24);
            const quint16 lunghezzaNome = le16(dati_, p + 28);
            const quint16 extra = le16(dati_, p + 30);
            const quint16 commento = le16(dati_, p + 32);
            v.locale = le32(dati_, p + 42);
            if (p + 46 + lunghezzaNome > n)
                throw guasto();
            voci_.insert(QString::fromUtf8(dati_.mid(p + 46, lunghezzaNome)), v);
            p += 46 + lunghezzaNome + extra + commento;
        }
    }

    bool contiene(const QString& nome) const { return voci_.contains(nome); }

    QByteArray leggi(const QString& nome) const {
        const auto it = voci_.constFind(nome);
        if (it == voci_.constEnd())
            throw guasto();
        const Voce& v = *it;
        const qint64 p = v.locale;
        if (p + 30 > dati_.size() || le32(dati_, p) != 0x04034b50)
            throw guasto();
        const qint64 inizio = p + 30 + le16(dati_, p + 26) + le16(dati_, p + 28);
        if (inizio + v.compressa > dati_.size() || v.dimensione > MassimoModello)
            throw guasto();
        const QByteArray compressa = dati_.mid(inizio, v.compressa);
        if (v.metodo == 0)
            return compressa;
        if (v.metodo != 8)
            throw guasto();
        QByteArray uscita(qsizetype(v.dimensione), '\0');
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            throw guasto();
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressa.constData()));
        z.avail_in = uInt(compressa.size());
        z.next_out = reinterpret_cast<Bytef*>(uscita.data());
        z.avail_out = uInt(uscita.size());
        const int esito = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (esito != Z_STREAM_END)
            throw guasto();
        return uscita;
    }

    IoError guasto() const {
        return IoError("Il file Excel preimpostato " + QDir::toNativeSeparators(nome_) +
                       " non è un file xlsx leggibile");
    }

private:
    struct Voce {
        quint16 metodo = 0;
        quint32 compressa = 0;
        quint32 dimensione = 0;
        quint32 locale = 0;
    };
    QByteArray dati_;
    QString nome_;
    QHash<QString, Voce> voci_;
};

// "C7" -> column 2 (from 0).
int colonnaDi(QStringView riferimento) {
    int colonna = 0;
    for (QChar c : riferimento) {
        if (!c.isLetter())
            break;
        colonna = colonna * 26 + (c.toUpper().unicode() - 'A' + 1);
    }
    return colonna - 1;
}

// The text of an element holding <t> pieces (shared string, inline string),
// phonetic guides left out.
QString testoDi(QXmlStreamReader& xml) {
    QString testo;
    const QString fine = xml.name().toString();
    int fonetica = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++fonetica;
            else if (xml.name() == u"t" && fonetica == 0)
                testo += xml.readElementText();
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --fonetica;
            else if (xml.name() == fine)
                break;
        }
    }
    return testo;
}

} // namespace

ModelloFoglio LeggiModelloXlsx(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError("Impossibile aprire il file Excel preimpostato " +
                      QDir::toNativeSeparators(percorso) + "\n" + file.errorString());
    if (file.size() > MassimoModello)
        throw IoError("Il file Excel preimpostato " + QDir::toNativeSeparators(percorso) +
                      " è troppo grande per essere un modello");
    const Archivio zip(file.readAll(), percorso);
    ModelloFoglio modello;

    // The first sheet of the workbook, and the part holding it.
    QString relazione;
    {
        QXmlStreamReader xml(zip.leggi(QStringLiteral("xl/workbook.xml")));
        while (!xml.atEnd() && relazione.isEmpty())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet") {
                modello.nome = xml.attributes().value(QLatin1String("name")).toString();
                for (const QXmlStreamAttribute& a : xml.attributes())
                    if (a.name() == u"id")
                        relazione = a.value().toString();
            }
    }
    QString parte;
    {
        QXmlStreamReader xml(zip.leggi(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!xml.atEnd() && parte.isEmpty())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship" &&
                xml.attributes().value(QLatin1String("Id")) == relazione) {
                const QString destinazione =
                    xml.attributes().value(QLatin1String("Target")).toString();
                parte = destinazione.startsWith(u'/') ? destinazione.mid(1)
                                                      : QStringLiteral("xl/") + destinazione;
            }
    }
    if (parte.isEmpty())
        throw zip.guasto();

    QStringList condivise;
    if (zip.contiene(QStringLiteral("xl/sharedStrings.xml"))) {
        QXmlStreamReader xml(zip.leggi(QStringLiteral("xl/sharedStrings.xml")));
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
                condivise << testoDi(xml);
    }

    QXmlStreamReader xml(zip.leggi(parte));
    int riga = -1;
    int colonnaSeguente = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"row") {
            bool ok = false;
            const int r = xml.attributes().value(QLatin1String("r")).toInt(&ok);
            riga = ok ? r - 1 : riga + 1;
            colonnaSeguente = 0;
        } else if (xml.name() == u"c") {
            const QString rif = xml.attributes().value(QLatin1String("r")).toString();
            const int colonna = rif.isEmpty() ? colonnaSeguente : colonnaDi(rif);
            colonnaSeguente = colonna + 1;
            const QString tipo = xml.attributes().value(QLatin1String("t")).toString();
            QString valore;
            bool presente = false;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == u"v") {
                    valore = xml.readElementText();
                    presente = true;
                } else if (xml.isStartElement() && xml.name() == u"is") {
                    valore = testoDi(xml);
                    presente = true;
                } else if (xml.isEndElement() && xml.name() == u"c") {
                    break;
                }
            }
            if (!presente || riga < 0 || colonna < 0)
                continue;
            Cella cella;
            if (tipo == u"s") {
                cella.tipo = Cella::Tipo::Testo;
                cella.testo = condivise.value(valore.toInt());
            } else if (tipo == u"str" || tipo == u"inlineStr" || tipo == u"e") {
                cella.tipo = Cella::Tipo::Testo;
                cella.testo = valore;
            } else if (tipo == u"b") {
                cella.tipo = Cella::Tipo::Logico;
                cella.numero = valore.trimmed() == u"1" ? 1 : 0;
            } else {
                cella.tipo = Cella::Tipo::Numero;
                cella.numero = valore.toDouble();
            }
            modello.valori.append({riga, colonna, cella});
            modello.righe = std::max(modello.righe, riga + 1);
        }
    }
    if (xml.hasError())
        throw zip.guasto();
    std::stable_sort(modello.valori.begin(), modello.valori.end(),
                     [](const ModelloFoglio::Valore& a, const ModelloFoglio::Valore& b) {
                         return a.riga != b.riga ? a.riga < b.riga : a.colonna < b.colonna;
                     });
    return modello;
}

} // namespace mavo
