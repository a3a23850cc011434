// Writes a supplier's net-price file for the benchmarks: Windows-1252, a
// header line, about 70 % "NETTO" rows with accented descriptions and prices
// written with "€" and thousands separators, a few percent of each kind of
// row the import rejects, and some repeated codes. The same seed gives the
// same file.
//
//   bench_genera_file_fornitore FILE RIGHE [validi]
//
// With "validi" every row is a distinct, acceptable net price (the apply
// benchmark stages exactly RIGHE codes).

#include "platform/Cp1252.h"

#include <QFile>
#include <QString>
#include <cstdio>
#include <random>

namespace {

// Codes of supplier articles, 10 to 19 characters; the price-list generator
// of bench/run writes the same codes ('A' || LPAD(i, 9 + MOD(i, 10), '0')).
QString codice(int i) {
    return QStringLiteral("A") + QString::number(i).rightJustified(9 + i % 10, QLatin1Char('0'));
}

const char* const parole[] = {"Vite",     "bullone", "perché",   "rondella", "è",      "ottone",
                              "acciaio",  "zincato", "testa",    "esagonale", "più",   "già",
                              "cacciavite", "chiave", "à",       "misura",   "però",   "lunghezza"};

QString descrizione(std::mt19937& caso, int lunghezzaMinima) {
    std::uniform_int_distribution<int> parola(0, std::size(parole) - 1);
    QString d;
    while (d.size() < lunghezzaMinima)
        d += QString::fromUtf8(parole[parola(caso)]) + QLatin1Char(' ');
    return d.trimmed();
}

QString prezzo(std::mt19937& caso) {
    std::uniform_int_distribution<int> centesimi(1, 500000);
    const int c = centesimi(caso);
    QString intero = QString::number(c / 100);
    for (int i = intero.size() - 3; i > 0; i -= 3)
        intero.insert(i, QLatin1Char('.'));
    return QStringLiteral("€ %1,%2").arg(intero).arg(c % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "uso: %s FILE RIGHE [validi]\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const int righe = std::atoi(argv[2]);
    const bool soloValidi = argc == 4 && QByteArray(argv[3]) == "validi";
    if (righe < 0 || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "impossibile scrivere %s\n", argv[1]);
        return 1;
    }
    std::mt19937 caso(2197);
    std::uniform_int_distribution<int> percento(0, 99);
    std::uniform_int_distribution<int> lunghezza(30, 60);
    QByteArray blocco;
    blocco.reserve(1 << 20);
    blocco += mavo::toCp1252(u"Codice;Descrizione;Prezzo;Sconto;Tipo prezzo\r\n");
    for (int i = 0; i < righe; ++i) {
        const int p = soloValidi ? 99 : percento(caso);
        QString cod = codice(i);
        QString des = descrizione(caso, lunghezza(caso));
        QString prz = prezzo(caso);
        QString tipo = QStringLiteral("NETTO");
        if (p < 25)
            tipo = QStringLiteral("LORDO");
        else if (p < 27)
            cod = cod + QStringLiteral("-CODICE-TROPPO-LUNGO-X"); // over 30 characters
        else if (p < 29)
            cod = codice(i > 0 ? i - 1 : 0);                     // repeated
        else if (p < 31)
            prz = QString();                                     // no price
        else if (p < 32)
            prz = QStringLiteral("abc");                         // not a number
        else if (p < 33)
            prz = QStringLiteral("0,00");                        // zero
        else if (p < 35)
            des = descrizione(caso, 55);                         // cut to 50
        const QString riga = cod + QLatin1Char(';') + des.left(60) + QLatin1Char(';') + prz +
                             QStringLiteral(";0;") + tipo + QStringLiteral("\r\n");
        blocco += mavo::toCp1252(riga);
        if (blocco.size() > (1 << 20) - 512) {
            file.write(blocco);
            blocco.clear();
        }
    }
    file.write(blocco);
    return file.error() == QFileDevice::NoError ? 0 : 1;
}
