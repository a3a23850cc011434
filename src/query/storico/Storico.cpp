#include "query/storico/Storico.h"

#include "query/risposta/TabellaRisposta.h"

#include "db/Database.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "db/Transaction.h"

#include <QRegularExpression>

namespace mavo {

namespace {

const QString Entrata = QStringLiteral("WHERE (CODICE1=:CODICE1)AND(CODICE2=:CODICE2)");

QStringList lettura() {
    return {"isc_tpb_read", "isc_tpb_read_committed", "isc_tpb_rec_version"};
}

// One statement per entry and call: the entry goes in as parameters.
void imposta(db::Statement& istruzione, ChiaveStorico chiave) {
    istruzione.setParam(QStringLiteral("CODICE1"), chiave.Codice1);
    istruzione.setParam(QStringLiteral("CODICE2"), chiave.Codice2);
}

void esegui(db::Database& database, db::Transaction& transazione, const QStringList& sql,
            ChiaveStorico chiave) {
    db::Statement istruzione(&database, &transazione);
    istruzione.setSql(sql);
    imposta(istruzione, chiave);
    istruzione.execute();
}

void controllaLarghezze(const Definizione& righe) {
    for (const RigaDefinizione& riga : righe) {
        const auto troppo = [&](const QString& cosa, qsizetype lunghezza, int massimo) {
            throw db::DatabaseError(
                QStringLiteral("Impossibile aggiornare lo storico interrogazioni: la riga %1 (%2) "
                               "ha %3 di %4 caratteri, al massimo %5.\rLo storico resta com'era.")
                    .arg(riga.Numero)
                    .arg(riga.Nome, cosa)
                    .arg(lunghezza)
                    .arg(massimo));
        };
        if (riga.Nome.size() > LunghezzaNomeStorico)
            troppo(QStringLiteral("un nome"), riga.Nome.size(), LunghezzaNomeStorico);
        if (riga.Condizione.size() > LunghezzaCondizioneStorico)
            troppo(QStringLiteral("una condizione"), riga.Condizione.size(),
                   LunghezzaCondizioneStorico);
    }
}

// The rows of an entry added within `t`.
void inserisciRighe(db::Database& database, db::Transaction& t, ChiaveStorico chiave,
                    const Definizione& righe) {
    db::Statement insert(&database, &t);
    insert.setSql({"INSERT INTO STOINT (CODICE1, CODICE2, NUMERO, NOME, MOSTRA, CONDIZIONE)",
                   "VALUES (:CODICE1, :CODICE2, :NUMERO, :NOME, :MOSTRA, :CONDIZIONE)"});
    insert.prepare();
    for (const RigaDefinizione& riga : righe) {
        imposta(insert, chiave);
        insert.setParam(QStringLiteral("NUMERO"), riga.Numero);
        insert.setParam(QStringLiteral("NOME"), riga.Nome);
        insert.setParam(QStringLiteral("MOSTRA"), riga.Mostra);
        insert.setParam(QStringLiteral("CONDIZIONE"), riga.Condizione);
        insert.execute();
    }
}

// The rows of an entry replaced within `t`.
void scriviRighe(db::Database& database, db::Transaction& t, ChiaveStorico chiave,
                 const Definizione& righe) {
    esegui(database, t, {"DELETE FROM STOINT", Entrata}, chiave);
    inserisciRighe(database, t, chiave, righe);
}

int numeroSuccessiva(db::Database& database, db::Transaction& t) {
    db::Statement massimo(&database, &t);
    massimo.setSql({"SELECT MAX(CODICE2) FROM STOINT", "WHERE CODICE1=:CODICE1"});
    massimo.setParam(QStringLiteral("CODICE1"), Codice1Catena);
    massimo.execute();
    massimo.fetch();
    // Chain numbers are whole: the highest read as an integer.
    return int(massimo.value(0).toDouble()) + 1;
}

// Another transaction holds or has stored the same key.
bool chiaveOccupata(const db::DatabaseError& e) {
    return e.sqlCode() == -803 || e.lockConflict();
}

} // namespace

bool LeggiCodice2(const QString& testo, double& valore) {
    bool ok = false;
    valore = QString(testo).trimmed().replace(u',', u'.').toDouble(&ok);
    return ok;
}

QString TestoCodice2(double valore) {
    // FLOAT keeps about seven digits: more would show the binary remainder.
    return QString::number(valore, 'g', 7).replace(u'.', u',');
}

int LeggiNumeroCatena(const QString& testo) {
    static const QRegularExpression separatori(QStringLiteral("[.,'\\s\\x{00A0}\\x{202F}]"));
    return QString(testo).remove(separatori).toInt();
}

QString TestoNumeroCatena(int numero) {
    return QString::number(numero);
}

bool InterrogazioneCambiata(const Definizione& salvata, const Definizione& attuale) {
    return salvata.isEmpty() || salvata != attuale;
}

bool AspettoCambiato(const Aspetto& salvato, const Aspetto& attuale) {
    return salvato.isEmpty() || salvato != attuale;
}

ArchivioStorico::ArchivioStorico(db::Database& database) : database_(database) {}

bool ArchivioStorico::TabelleEsistenti() {
    db::Transaction t(&database_);
    t.setParams(lettura());
    t.start();
    return TabellaEsiste(database_, t, QStringLiteral("STOINT")) &&
           TabellaEsiste(database_, t, QStringLiteral("STOASP"));
}

void ArchivioStorico::CreaTabelle() {
    const QList<std::pair<QString, QString>> tabelle = {
        {"STOINT", "CREATE TABLE STOINT (CODICE1 INTEGER NOT NULL, CODICE2 FLOAT NOT NULL, "
                   "NUMERO INTEGER NOT NULL, NOME VARCHAR(27), MOSTRA INTEGER, "
                   "CONDIZIONE VARCHAR(255), "
                   "CONSTRAINT STOINT_CHIAVEPRIMARIA PRIMARY KEY (CODICE1, CODICE2, NUMERO))"},
        {"STOASP", "CREATE TABLE STOASP (CODICE1 INTEGER NOT NULL, CODICE2 FLOAT NOT NULL, "
                   "NCAMPO INTEGER NOT NULL, NOMECAMPO VARCHAR(27), DIM INTEGER, VIS INTEGER, "
                   "POS INTEGER, RAGGRUPPA INTEGER, "
                   "CONSTRAINT STOASP_CHIAVEPRIMARIA PRIMARY KEY (CODICE1, CODICE2, NCAMPO))"},
    };
    for (const auto& [nome, ddl] : tabelle) {
        db::Transaction t(&database_);
        t.setParams(db::TpbScritturaBreve);
        t.start();
        if (TabellaEsiste(database_, t, nome))
            continue;
        db::Statement crea(&database_, &t);
        crea.setSql({ddl});
        crea.execute();
        t.commit();
    }
}

Definizione ArchivioStorico::LeggiInterrogazione(ChiaveStorico chiave) {
    db::Transaction t(&database_);
    t.setParams(lettura());
    t.start();
    db::Statement select(&database_, &t);
    select.setSql(
        {"SELECT NUMERO, NOME, MOSTRA, CONDIZIONE FROM STOINT", Entrata, "ORDER BY NUMERO"});
    imposta(select, chiave);
    select.execute();
    Definizione righe;
    while (select.fetch())
        righe.append({select.value(0).toInt(), select.value(1).toString(), select.value(2).toInt(),
                      select.value(3).toString()});
    return righe;
}

void ArchivioStorico::SalvaInterrogazione(ChiaveStorico chiave, const Definizione& righe) {
    controllaLarghezze(righe);
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    scriviRighe(database_, t, chiave, righe);
    t.commit();
}

void ArchivioStorico::EliminaInterrogazione(ChiaveStorico chiave) {
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    esegui(database_, t, {"DELETE FROM STOINT", Entrata}, chiave);
    t.commit();
}

Aspetto ArchivioStorico::LeggiAspetto(ChiaveStorico chiave) {
    db::Transaction t(&database_);
    t.setParams(lettura());
    t.start();
    db::Statement select(&database_, &t);
    select.setSql({"SELECT NCAMPO, NOMECAMPO, DIM, VIS, POS, RAGGRUPPA FROM STOASP", Entrata,
                   "ORDER BY NCAMPO"});
    imposta(select, chiave);
    select.execute();
    Aspetto righe;
    while (select.fetch())
        righe.append({select.value(0).toInt(), select.value(1).toString(), select.value(2).toInt(),
                      select.value(3).toInt(), select.value(4).toInt(), select.value(5).toInt()});
    return righe;
}

void ArchivioStorico::SalvaAspetto(ChiaveStorico chiave, const Aspetto& righe) {
    for (const RigaAspetto& riga : righe)
        if (riga.NomeCampo.size() > LunghezzaNomeStorico)
            throw db::DatabaseError(QStringLiteral("Impossibile aggiornare lo storico aspetto: il "
                                                   "campo %1 ha un nome di più di %2 caratteri.")
                                        .arg(riga.NomeCampo)
                                        .arg(LunghezzaNomeStorico));
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    esegui(database_, t, {"DELETE FROM STOASP", Entrata}, chiave);
    db::Statement insert(&database_, &t);
    insert.setSql(
        {"INSERT INTO STOASP (CODICE1, CODICE2, NCAMPO, NOMECAMPO, DIM, VIS, POS, "
         "RAGGRUPPA)",
         "VALUES (:CODICE1, :CODICE2, :NCAMPO, :NOMECAMPO, :DIM, :VIS, :POS, :RAGGRUPPA)"});
    insert.prepare();
    for (const RigaAspetto& riga : righe) {
        imposta(insert, chiave);
        insert.setParam(QStringLiteral("NCAMPO"), riga.NCampo);
        insert.setParam(QStringLiteral("NOMECAMPO"), riga.NomeCampo);
        insert.setParam(QStringLiteral("DIM"), riga.Dim);
        insert.setParam(QStringLiteral("VIS"), riga.Vis);
        insert.setParam(QStringLiteral("POS"), riga.Pos);
        insert.setParam(QStringLiteral("RAGGRUPPA"), riga.Raggruppa);
        insert.execute();
    }
    t.commit();
}

void ArchivioStorico::EliminaAspetto(ChiaveStorico chiave) {
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    esegui(database_, t, {"DELETE FROM STOASP", Entrata}, chiave);
    t.commit();
}

int ArchivioStorico::NumeroQuerySuccessiva() {
    db::Transaction t(&database_);
    t.setParams(lettura());
    t.start();
    return numeroSuccessiva(database_, t);
}

int ArchivioStorico::CreaSuccessiva(ChiaveStorico corrente, const Definizione& righe,
                                    const Definizione& successiva) {
    Definizione conMarcatore = righe;
    conMarcatore.append({righe.isEmpty() ? 1 : righe.last().Numero + 1,
                         QStringLiteral("QUERY SUCCESSIVA"),
                         mostra::MarcatoreCatena,
                         {}});
    controllaLarghezze(conMarcatore);
    controllaLarghezze(successiva);
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    // The highest number is read and taken in the same transaction; a user
    // who stored the same number first makes this one take the next.
    int numero = numeroSuccessiva(database_, t);
    for (int tentativi = 0;; ++tentativi, ++numero) {
        try {
            // Only added: rows another user stored under this number stay his.
            inserisciRighe(database_, t, {Codice1Catena, double(numero)}, successiva);
            break;
        } catch (const db::DatabaseError& e) {
            // A clash is on the first row: nothing of this number was written.
            if (!chiaveOccupata(e) || tentativi >= 100)
                throw;
        }
    }
    conMarcatore.last().Condizione = TestoNumeroCatena(numero);
    scriviRighe(database_, t, corrente, conMarcatore);
    t.commit();
    return numero;
}

void ArchivioStorico::ModificaStoQuerySucc(ChiaveStorico corrente, const Definizione& righe,
                                           ChiaveStorico successiva,
                                           const Definizione& righeSuccessiva) {
    controllaLarghezze(righe);
    controllaLarghezze(righeSuccessiva);
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    scriviRighe(database_, t, successiva, righeSuccessiva);
    scriviRighe(database_, t, corrente, righe);
    t.commit();
}

void ArchivioStorico::EliminaSuccessiva(ChiaveStorico successiva, ChiaveStorico precedente,
                                        const Definizione& righePrecedente) {
    controllaLarghezze(righePrecedente);
    db::Transaction t(&database_);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    esegui(database_, t, {"DELETE FROM STOINT", Entrata}, successiva);
    esegui(database_, t, {"DELETE FROM STOASP", Entrata}, successiva);
    scriviRighe(database_, t, precedente, righePrecedente);
    t.commit();
}

QVector<VoceStorico> ArchivioStorico::Elenco() {
    db::Transaction t(&database_);
    t.setParams(lettura());
    t.start();
    db::Statement select(&database_, &t);
    select.setSql({"SELECT CODICE1, CODICE2, NOME, MOSTRA, CONDIZIONE FROM STOINT",
                   "ORDER BY CODICE1, CODICE2, NUMERO"});
    select.execute();
    QVector<VoceStorico> voci;
    while (select.fetch()) {
        const ChiaveStorico chiave{select.value(0).toInt(), select.value(1).toDouble()};
        if (voci.isEmpty() || !(voci.last().chiave == chiave))
            voci.append({chiave, 0, {}});
        VoceStorico& voce = voci.last();
        ++voce.righe;
        const QString nome = select.value(2).toString();
        const int codice = select.value(3).toInt();
        // A field of the main table (linked ones carry their alias) that the
        // query shows or filters on.
        if (mostra::Campo(codice) && !nome.contains(u'.') &&
            (mostra::InRisposta(codice) || !select.value(4).toString().isEmpty()))
            voce.campi << nome;
    }
    return voci;
}

} // namespace mavo
