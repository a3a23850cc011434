#include "ArchiviNetti.h"

#include "db/Statement.h"
#include "host/demo/DemoEnvironment.h"
#include "netprices/TabellaManutenzione.h"

#include <QFile>
#include <ostream>

namespace mavo::test {

void PrintTo(const Netto& netto, std::ostream* os) {
    *os << '{' << netto.codice.toStdString() << " | " << netto.descrizione.toStdString() << " | "
        << netto.prezzo << '}';
}

void ArchiviNetti::SetUp() {
    CreaSchemaArchivio(ditta.db());
    CreaSchemaListino(listino.db());
    contesto = std::make_unique<TTabXForm>(portContesto, TTabXForm::ModoNessuno);
    contesto->IBDatabase1.setDatabaseName(ditta.path());
    contesto->IBDatabase1.connect();
    contesto->IBDatabase2.setDatabaseName(listino.path());
    contesto->IBDatabase2.connect();
    ASSERT_TRUE(PreparaTabellaManutenzione(*contesto, true));
}

void ArchiviNetti::TearDown() {
    contesto.reset();
}

std::vector<Netto> ArchiviNetti::netti() {
    db::Transaction lettura(&ditta.db());
    db::Statement righe(&ditta.db(), &lettura);
    righe.setSql({"SELECT CODICE, DESCRIZIONE, PREZZO FROM MANUTENZIONENETTI ORDER BY CODICE"});
    righe.execute();
    std::vector<Netto> risultato;
    while (righe.fetch())
        risultato.push_back(
            {righe.value(0).toString(), righe.value(1).toString(), righe.value(2).toDouble()});
    return risultato;
}

// Through the context's own transaction, as the import stages them.
void ArchiviNetti::mettiNetti(const std::vector<Netto>& righe) {
    db::Statement inserimento(&contesto->IBDatabase1, &contesto->IBTransaction1);
    inserimento.setSql({"INSERT INTO MANUTENZIONENETTI(CODICE, DESCRIZIONE, PREZZO)",
                        "VALUES(:CODICE, :DESCRIZIONE, :PREZZO)"});
    for (const Netto& riga : righe) {
        inserimento.setParam("CODICE", riga.codice);
        inserimento.setParam("DESCRIZIONE", riga.descrizione);
        inserimento.setParam("PREZZO", riga.prezzo);
        inserimento.execute();
    }
    contesto->IBTransaction1.commitRetaining();
}

QString ArchiviNetti::scriviFile(const QByteArray& contenuto, const QString& nome) {
    const QString percorso = ditta.dir() + '/' + nome;
    QFile file(percorso);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contenuto);
    return percorso;
}

} // namespace mavo::test
