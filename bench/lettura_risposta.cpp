// What reading an answer costs by itself: the rows of a statement fetched
// by our database layer, every value taken and thrown away, as the export
// reads them. The ceiling the export is measured against.
//
//   bench_lettura_risposta DATABASE FILE_SQL
//
// Prints the number of rows read.

#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: bench_lettura_risposta DATABASE FILE_SQL\n");
        return 2;
    }
    mavo::useEngineConfigurationBesideProgram();
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "impossibile leggere %s\n", argv[2]);
        return 1;
    }
    QStringList sql = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    mavo::db::Database database;
    database.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    database.connect();
    mavo::db::Transaction lettura(&database);
    lettura.setParams({"isc_tpb_read", "isc_tpb_read_committed", "isc_tpb_rec_version",
                       "isc_tpb_nowait"});
    mavo::db::Statement risposta(&database, &lettura);
    risposta.setParamCheck(false);
    risposta.setSql(sql);
    risposta.execute();
    qint64 righe = 0;
    QVariantList riga;
    while (risposta.fetch()) {
        riga.clear();
        for (int i = 0; i < risposta.columnCount(); ++i)
            riga << risposta.value(i);
        ++righe;
    }
    std::printf("%lld\n", static_cast<long long>(righe));
    return 0;
}
