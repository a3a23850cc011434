#include "FinestraNetti.h"

#include "support/TestDb.h"

namespace mavo::test {

QStringList senzaOrdinamento(QStringList sql) {
    sql.removeIf([](const QString& riga) { return riga.startsWith("ORDER BY"); });
    return sql;
}

void FinestraNetti::SetUp() {
    qputenv("MAVO_HOST_DIR", host.path().toLocal8Bit());
    ambiente = CreaAmbienteDemo(host.path());
    archivio = ApriOCreaDatabaseDemo(ambiente.archivio);
}

void FinestraNetti::TearDown() {
    finestra.reset();
    modulo.reset();
    contesto.reset();
    qunsetenv("MAVO_HOST_DIR");
}

TSincroPrezziNettiForm& FinestraNetti::apri() {
    finestra.reset();
    modulo.reset();
    contesto = std::make_unique<TTabXForm>(port, TTabXForm::ModoDatabase);
    contesto->SetUserPerNum(UtenteDemo);
    modulo = std::make_unique<TDataModuleMavo>(*contesto);
    finestra = std::make_unique<TSincroPrezziNettiForm>(*modulo, port);
    finestra->show();
    return *finestra;
}

qint64 FinestraNetti::conta(const QString& sql) {
    return scalarOn(*archivio, sql).toLongLong();
}

qint64 FinestraNetti::righeStaging() {
    return conta("SELECT COUNT(*) FROM MANUTENZIONENETTI");
}

qint64 FinestraNetti::righeAspetto() {
    return conta("SELECT COUNT(*) FROM STOASP1 WHERE " + chiaviAspetto);
}

} // namespace mavo::test
