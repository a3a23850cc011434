#pragma once

#include "platform/IoError.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringView>
#include <functional>

namespace mavo {

// A supplier's price file, read twice (count, then acquisition) in large
// blocks so that memory stays flat however long the file is. Windows-1252,
// or UTF-8 when it starts with a byte-order mark. Lines end with CR LF or LF;
// a Ctrl-Z ends the file; line 1 is a header and is never handed out.
class FileFornitore {
public:
    explicit FileFornitore(const QString& percorso);

    // Opens the file for both passes; false, with ErroreApertura(), when it
    // cannot be opened or cannot be read again from its start (a pipe).
    bool Apri();
    QString ErroreApertura() const { return errore_; }

    // First pass: the lines after the header (an empty line counts, and so
    // does a last line without its end); -1 for a file holding a NUL byte,
    // which is no text file. Leaves the file rewound for the second pass.
    qint64 ContaRighe();

    // Second pass: each line after the header, in order, without its end.
    // A read failure raises IoError.
    void LeggiRighe(const std::function<void(QStringView riga)>& riga);

private:
    // The next block, cut at a Ctrl-Z; empty at the end of the file.
    QByteArrayView prossimoBlocco();
    void riavvolgi();
    IoError erroreLettura() const;

    QFile file_;
    QString errore_;
    QByteArray blocco_;
    bool primoBlocco_ = true;
    bool fine_ = false;
    bool utf8_ = false;
};

} // namespace mavo
