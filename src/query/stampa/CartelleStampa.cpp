#include "query/stampa/CartelleStampa.h"

#include "platform/Paths.h"

#include <QDir>
#include <QStringList>

namespace mavo {

namespace {

// The entry of `cartella` (a local path) named `nome` in any case, else `nome`.
QString voceEsistente(const QString& cartella, const QString& nome) {
    const QDir dir(toLocalPath(cartella));
    if (dir.exists(nome))
        return nome;
    const QStringList voci = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& voce : voci)
        if (voce.compare(nome, Qt::CaseInsensitive) == 0)
            return voce;
    return nome;
}

QString risolvi(const QString& base, const QString& relativa) {
    QString percorso = base;
    for (const QString& parte :
         QString(relativa).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts))
        percorso = joinPath(percorso, voceEsistente(percorso, parte));
    return percorso;
}

} // namespace

QString CartellaStampa(const QString& base, const QString& relativa) {
    return withoutTrailingSeparator(risolvi(base, relativa));
}

QString FileStampa(const QString& base, const QString& relativa) {
    return risolvi(base, relativa);
}

QString DirectoryBinStampa(const QString& directoryBin) {
    if (directoryBin.isEmpty() ||
        withoutTrailingSeparator(directoryBin)
                .compare(QLatin1String("C:\\WINDOWS"), Qt::CaseInsensitive) == 0)
        return QDir::currentPath() + u'/';
    return directoryBin;
}

} // namespace mavo
