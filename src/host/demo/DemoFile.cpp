#include "host/demo/DemoEnvironment.h"
#include "host/demo/DemoSql.h"

#include "platform/Cp1252.h"
#include "platform/Formats.h"
#include "platform/IoError.h"
#include "platform/SqlTesto.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace mavo {

namespace {

QString prezzoFornitore(double prezzo, int riga) {
    const QString testo = formatFloat("#,##0.00", prezzo);
    return riga % 3 == 0 ? QString::fromUtf8("€ ") + testo : testo;
}

// Rows the import rejects or shortens, one of each kind.
const QStringList righeDaScartare = {
    "NT-CODICE-FORNITORE-TROPPO-LUNGO;Codice oltre i trenta caratteri;5,00;0;NETTO",
    "NT99001;Articolo senza prezzo;;0;NETTO",
    "NT99002;Articolo con prezzo non numerico;abc;0;NETTO",
    "NT99003;Articolo a prezzo zero;0,00;0;NETTO",
    QString::fromUtf8("NT99004;Prezzo con il solo simbolo dell'euro;€;0;NETTO"),
    QString::fromUtf8("NT99005;Collettore complanare in ottone nichelato con valvole "
                      "d'intercettazione;118,40;0;NETTO"),
    "NT99006;Articolo a prezzo lordo;45,00;0;LORDO",
    "NT99007;Articolo senza tipo di prezzo;45,00;0;",
    QString::fromUtf8("NT-D'ANGELO;Raccordo d'angolo già montato;4,20;0;prezzo netto"),
    "NT99008;Articolo con prezzo negativo (nota di credito);-3,00;0;NETTO",
    ""};

} // namespace

void ScriviFileFornitore(const QString& percorso, int articoli) {
    QStringList righe = {"Codice;Descrizione;Prezzo;Sconto;Tipo prezzo"};
    int riga = 0;
    for (int i = 4; i <= articoli; i += 4) {
        const ArticoloDemo articolo = articoloDemo(i);
        const bool lordo = ++riga % 7 == 0;
        righe << articolo.codice + ';' + articolo.descrizione + ';' +
                     prezzoFornitore(articolo.prezzoListino * (lordo ? 1.0 : 0.75), riga) + ";0;" +
                     (lordo ? "LORDO" : "NETTO");
        if (riga == 5) {
            righe << righeDaScartare;
            righe << righe[1]; // the first code again
            // Net prices for the host's own rows; those with an acute accent
            // have theirs above, with the supplier's apostrophe.
            for (const ArticoloHost& host : articoliHost())
                if (!host.articolo.codice.contains(sql::Acuto))
                    righe << host.articolo.codice + ';' + host.articolo.descrizione + ';' +
                                 prezzoFornitore(host.articolo.prezzoListino * 0.75, riga) +
                                 ";0;NETTO";
        }
    }
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw IoError("Impossibile scrivere il file " + percorso + ": " + file.errorString());
    file.write(toCp1252(righe.join("\r\n") + "\r\n"));
}

void ScriviPulsanteSalva(const QString& percorso, bool modificato) {
    QImage immagine(24, 24, QImage::Format_RGB32);
    immagine.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter pittore(&immagine);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setPen(Qt::NoPen);
    // The disk, its label and its shutter.
    pittore.setBrush(modificato ? QColor(0xc6, 0x28, 0x28) : QColor(0x2e, 0x7d, 0x32));
    pittore.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    pittore.setBrush(Qt::white);
    pittore.drawRect(QRectF(6, 12, 12, 7));
    pittore.setBrush(QColor(0xd0, 0xd0, 0xd0));
    pittore.drawRect(QRectF(7, 3, 9, 6));
    pittore.end();
    if (!immagine.save(percorso, "BMP"))
        throw IoError("Impossibile scrivere l'immagine " + percorso);
}

void ScriviIcona(const QString& percorso) {
    QImage immagine(32, 32, QImage::Format_ARGB32);
    immagine.fill(Qt::transparent);
    QPainter pittore(&immagine);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setPen(Qt::NoPen);
    pittore.setBrush(QColor(0x1f, 0x7a, 0x3c));
    pittore.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    // A price tag with its hole.
    QPainterPath cartellino;
    cartellino.moveTo(9, 7);
    cartellino.lineTo(20, 7);
    cartellino.lineTo(27, 16);
    cartellino.lineTo(20, 25);
    cartellino.lineTo(9, 25);
    cartellino.closeSubpath();
    pittore.setBrush(Qt::white);
    pittore.drawPath(cartellino);
    pittore.setBrush(QColor(0x1f, 0x7a, 0x3c));
    pittore.drawEllipse(QPointF(20, 16), 2.2, 2.2);
    pittore.end();
    if (!immagine.save(percorso, "ICO"))
        throw IoError("Impossibile scrivere l'icona " + percorso);
}

} // namespace mavo
