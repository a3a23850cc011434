#include "query/catena/Catena.h"

#include "dataset/Dataset.h"
#include "db/Database.h"
#include "db/DatabaseError.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "platform/Interazione.h"
#include "platform/SqlTesto.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"
#include "query/risposta/TabellaRisposta.h"

namespace mavo {

namespace {

const QString Successiva = QStringLiteral("QUERY SUCCESSIVA");
const QString Precedente = QStringLiteral("QUERY PRECEDENTE");
// The levels whose stored answers the first step of a chain clears.
constexpr int UltimoLivello = 30;

// One statement in a short transaction of its own, committed.
void eseguiDaSolo(db::Database& database, const QString& istruzione) {
    db::Transaction t(&database);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    db::Statement s(&database, &t);
    s.setSql({istruzione});
    s.execute();
    t.commit();
}

void eliminaSeEsiste(db::Database& database, const QString& tabella) {
    db::Transaction t(&database);
    t.setParams(db::TpbScritturaBreve);
    t.start();
    if (!TabellaEsiste(database, t, tabella))
        return;
    db::Statement drop(&database, &t);
    drop.setSql({"DROP TABLE " + sql::identificatore(tabella)});
    drop.execute();
    t.commit();
}

QString nomeRisposta(TIBFQuerForm& motore, int livello) {
    return NomeTabellaRisposta(motore.impostazioni().Utente, livello,
                               motore.impostazioni().RadiceRisposte);
}

// The successor's own field rows: after its first marker, up to the first
// row that is no field (a linked table's header, a lock row, a marker).
std::pair<qsizetype, qsizetype> campiIniziali(const Definizione& righe) {
    qsizetype inizio = !righe.isEmpty() && righe.first().Mostra == mostra::MarcatoreCatena ? 1 : 0;
    qsizetype fine = inizio;
    while (fine < righe.size() && mostra::Campo(righe[fine].Mostra))
        ++fine;
    return {inizio, fine};
}

bool contiene(const QStringList& nomi, const QString& nome) {
    return nomi.contains(nome, Qt::CaseInsensitive);
}

} // namespace

int NumeroSuccessiva(const Definizione& righe) {
    for (auto r = righe.rbegin(); r != righe.rend(); ++r)
        if (r->Mostra == mostra::MarcatoreCatena && r->Nome == Successiva)
            return LeggiNumeroCatena(r->Condizione);
    return 0;
}

int NumeroPrecedente(const Definizione& righe) {
    if (righe.isEmpty() || righe.first().Mostra != mostra::MarcatoreCatena)
        return 0;
    return LeggiNumeroCatena(righe.first().Condizione);
}

Definizione SenzaMarcatoreSuccessiva(Definizione righe) {
    if (!righe.isEmpty() && righe.last().Mostra == mostra::MarcatoreCatena &&
        righe.last().Nome == Successiva)
        righe.removeLast();
    return righe;
}

Definizione DefinizioneSuccessiva(int precedente, const QStringList& campi) {
    Definizione righe{{1, Precedente, mostra::MarcatoreCatena, TestoNumeroCatena(precedente)}};
    for (const QString& campo : campi)
        righe.append({int(righe.size()) + 1, campo, mostra::Mostrato, {}});
    return righe;
}

QStringList CampiRisposta(Risposta& risposta) {
    const Dataset& dati = risposta.Dati();
    QStringList nomi(dati.fieldCount());
    for (int i = 0; i < dati.fieldCount(); ++i) {
        const int posizione = dati.field(i)->fieldNo();
        if (posizione >= 0 && posizione < nomi.size())
            nomi[posizione] = dati.field(i)->fieldName();
    }
    return nomi;
}

QStringList SqlSenzaOrdinamento(const QStringList& sql) {
    for (qsizetype i = 1; i < sql.size(); ++i)
        if (sql[i].toUpper().contains(u"ORDER BY"))
            return sql.first(i);
    return sql;
}

void EliminaRisposteSalvate(db::Database& database, int utente) {
    for (int livello = 0; livello <= UltimoLivello; ++livello) {
        try {
            eliminaSeEsiste(database, NomeTabellaRisposta(utente, livello));
        } catch (const db::DatabaseError&) {
            // Replaced anyway when its level is stored again.
        }
    }
}

void SalvaRisposta(Risposta& risposta, const QString& tabella, const QStringList& altre) {
    db::Database& archivio = risposta.Database();
    const QStringList sql = SqlSenzaOrdinamento(risposta.Query().sql());
    QStringList colonne;
    {
        db::Transaction descrizione(&archivio);
        descrizione.setParams(db::TpbScritturaBreve);
        descrizione.start();
        colonne = ColonneTabellaRisposta(risposta, descrizione);
        descrizione.rollback();
    }
    // Nothing prepared on the old table may stay: the engine would refuse the drop.
    risposta.Query().unprepare();
    if (risposta.Lettura().active())
        risposta.Lettura().commit();
    for (const QString& t : QStringList{tabella} + altre) {
        eliminaSeEsiste(archivio, t);
        const QString nome = sql::identificatore(t);
        // The table must exist, committed, before rows can go in.
        eseguiDaSolo(archivio,
                     "CREATE TABLE " + nome + " (" + colonne.join(QStringLiteral(", ")) + ")");
        try {
            db::Transaction scrittura(&archivio);
            scrittura.setParams(db::TpbScritturaBreve);
            scrittura.start();
            InserisciRisposta(risposta, scrittura, nome, sql, int(colonne.size()));
            scrittura.commit();
        } catch (const db::DatabaseError&) {
            try {
                eseguiDaSolo(archivio, "DROP TABLE " + nome);
            } catch (const db::DatabaseError&) {
                // The first failure is the one to tell.
            }
            throw;
        }
    }
}

EsitoSuccessiva ValutaSuccessiva(const Definizione& attuale, const Definizione& salvata,
                                 const Definizione& successiva, const QStringList& campiRisposta) {
    if (!InterrogazioneCambiata(salvata, attuale))
        return EsitoSuccessiva::Invariata;
    if (NumeroSuccessiva(attuale) == 0)
        return EsitoSuccessiva::SenzaSuccessiva;
    const auto [inizio, fine] = campiIniziali(successiva);
    bool riscrivere = false;
    QStringList presenti;
    for (qsizetype i = inizio; i < fine; ++i) {
        const RigaDefinizione& riga = successiva[i];
        presenti << riga.Nome;
        if (contiene(campiRisposta, riga.Nome))
            continue;
        // A field the successor shows, or names in a condition of its own,
        // cannot go.
        const bool usato =
            riga.Mostra != mostra::Nascosto ||
            std::any_of(successiva.begin(), successiva.end(), [&](const RigaDefinizione& r) {
                return r.Condizione.startsWith(u'(') &&
                       r.Condizione.contains(riga.Nome, Qt::CaseInsensitive);
            });
        if (usato)
            return EsitoSuccessiva::Impossibile;
        riscrivere = true;
    }
    for (const QString& campo : campiRisposta)
        riscrivere = riscrivere || !contiene(presenti, campo);
    return riscrivere ? EsitoSuccessiva::DaRiscrivere : EsitoSuccessiva::Compatibile;
}

Definizione RiscriviSuccessiva(const Definizione& successiva, const QStringList& campiRisposta) {
    const auto [inizio, fine] = campiIniziali(successiva);
    Definizione righe;
    if (inizio > 0)
        righe << successiva.first();
    for (const QString& campo : campiRisposta) {
        RigaDefinizione riga{0, campo, mostra::Nascosto, {}};
        for (qsizetype i = inizio; i < fine; ++i)
            if (successiva[i].Nome.compare(campo, Qt::CaseInsensitive) == 0) {
                riga.Mostra = successiva[i].Mostra;
                riga.Condizione = successiva[i].Condizione;
                break;
            }
        righe << riga;
    }
    righe << successiva.mid(fine);
    for (qsizetype i = 0; i < righe.size(); ++i)
        righe[i].Numero = int(i) + 1;
    return righe;
}

bool ValidazioneNuovaRisposta(ArchivioStorico& storico, Interazione& port, ChiaveStorico chiave,
                              Risposta& risposta, Definizione& definizione) {
    const Definizione salvata = storico.LeggiInterrogazione(chiave);
    const int numero = NumeroSuccessiva(definizione);
    const ChiaveStorico chiaveSuccessiva{Codice1Catena, double(numero)};
    const Definizione successiva =
        numero > 0 ? storico.LeggiInterrogazione(chiaveSuccessiva) : Definizione();
    const QStringList campi = CampiRisposta(risposta);
    switch (ValutaSuccessiva(definizione, salvata, successiva, campi)) {
    case EsitoSuccessiva::Invariata:
        return true;
    case EsitoSuccessiva::SenzaSuccessiva:
    case EsitoSuccessiva::Compatibile:
        if (port.Conferma(QStringLiteral("Aggiornare lo storico interrogazioni?")))
            storico.SalvaInterrogazione(chiave, definizione);
        return true;
    case EsitoSuccessiva::DaRiscrivere:
        storico.ModificaStoQuerySucc(chiave, definizione, chiaveSuccessiva,
                                     RiscriviSuccessiva(successiva, campi));
        return true;
    case EsitoSuccessiva::Impossibile:
        break;
    }
    port.Avviso(QStringLiteral("Attenzione: non è possibile eseguire le modifiche apportate;"
                               "Ripristino la query iniziale cancellando tali cambiamenti?"));
    if (!salvata.isEmpty())
        definizione = salvata;
    return false;
}

bool SeguiCatena(TIBFQuerForm& motore, ArchivioStorico& storico, Risposta& risposta,
                 ChiaveStorico partenza, Interazione& port, ChiaveStorico* ultima) {
    ChiaveStorico voce = partenza;
    for (int livello = 0;; ++livello) {
        const Definizione righe = storico.LeggiInterrogazione(voce);
        if (righe.isEmpty()) {
            port.Errore("Nessuna query nello storico per la voce " + QString::number(voce.Codice1) +
                        u' ' + TestoCodice2(voce.Codice2));
            return false;
        }
        motore.impostazioni().Livello = livello;
        if (!motore.EseguiInterrogazione(righe, risposta, {}, DerivaStato(righe).Affiancata))
            return false;
        if (ultima)
            *ultima = voce;
        const int numero = NumeroSuccessiva(righe);
        if (numero > 0 && livello >= UltimoLivello) {
            port.Errore(QStringLiteral("La catena di query supera i %1 livelli: la voce 2000 %2 "
                                       "non viene eseguita")
                            .arg(UltimoLivello + 1)
                            .arg(numero));
            return false;
        }
        if (numero == 0)
            return true;
        SalvaRisposta(risposta, nomeRisposta(motore, livello));
        voce = {Codice1Catena, double(numero)};
    }
}

bool OttieniUltimaRisposta(TIBFQuerForm& motore, ArchivioStorico& storico, Risposta& risposta,
                           int numero, Interazione& port, const QString& tabella) {
    if (!SeguiCatena(motore, storico, risposta, {0, double(numero)}, port)) {
        port.Errore(QStringLiteral("Errore in esecuzione della query collegata"));
        return false;
    }
    SalvaRisposta(risposta, nomeRisposta(motore, motore.impostazioni().Livello),
                  tabella.isEmpty() ? QStringList() : QStringList{tabella});
    return true;
}

} // namespace mavo
