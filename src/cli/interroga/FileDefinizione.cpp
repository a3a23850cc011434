#include "cli/interroga/FileDefinizione.h"

#include "platform/IoError.h"

#include <QFile>
#include <QStringDecoder>

namespace mavo {

namespace {

const QString Intestazione = QStringLiteral("Numero;Nome;Mostra;Condizione");

[[noreturn]] void errore(const QString& percorso, const QString& motivo) {
    throw IoError("File di definizione " + percorso + " non valido:\r" + motivo);
}

} // namespace

Definizione LeggiFileDefinizione(const QString& percorso) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError("Impossibile leggere il file di definizione " + percorso + "\r" +
                      file.errorString());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString testo = utf8.decode(file.readAll());
    if (utf8.hasError())
        errore(percorso, QStringLiteral("il testo non è in UTF-8"));
    if (testo.startsWith(QChar(0xFEFF)))
        testo.remove(0, 1);
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList linee = testo.split(u'\n');
    if (linee.first() != Intestazione)
        errore(percorso, "la prima riga deve essere " + Intestazione);
    Definizione righe;
    for (qsizetype n = 1; n < linee.size(); ++n) {
        const QString& linea = linee[n];
        if (linea.trimmed().isEmpty())
            continue;
        bool numero = false, mostra = false;
        RigaDefinizione riga{
            linea.section(u';', 0, 0).trimmed().toInt(&numero), linea.section(u';', 1, 1),
            linea.section(u';', 2, 2).trimmed().toInt(&mostra), linea.section(u';', 3)};
        if (linea.count(u';') < 3 || !numero || !mostra)
            errore(percorso, QStringLiteral("riga %1: attesi Numero;Nome;Mostra;Condizione, "
                                            "con Numero e Mostra numeri interi")
                                 .arg(n + 1));
        righe << riga;
    }
    return righe;
}

} // namespace mavo
