#pragma once

#include "dataset/IbQuery.h"
#include "dataset/MemoryDataset.h"
#include "db/Database.h"
#include "db/Transaction.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantHash>
#include <functional>
#include <optional>

namespace mavo {

class Interazione;
class PulsanteSalva;
namespace db {
class Statement;
}

// What the server dialog gave back: its result code (1 OK, 2 Cancel, 0 closed
// otherwise) and its two fields.
struct RispostaServer {
    int Esito = 0;
    QString Server;
    QString LetteraDisco;
};

// The call context: one per call of the library. It is never shown; it holds
// the parameter table the windows hand each other paths through, the current
// user with his settings, and the connections to the host's databases.
// Messages go through the interaction port, which must outlive the context.
class TTabXForm : public QObject {
    Q_OBJECT
public:
    // ModoUtenti: where users and their settings are kept.
    static constexpr quint8 ModoDatabase = 0; // users database
    static constexpr quint8 ModoIni = 1;      // ini files under NOMIDIT
    static constexpr quint8 ModoNessuno = 3;  // no users at all, not even the database

    // Shows the server dialog with a caption and a label.
    using FunzioneDialogoServer =
        std::function<RispostaServer(const QString& Titolo, const QString& Etichetta)>;

    // The windows give the real dialog (TPimIn2Form::ChiediServer), tests a
    // script, which must be in place before construction opens the users
    // database; without one the dialog counts as closed and the archive stays
    // unconnected.
    TTabXForm(Interazione& port, quint8 modo, QObject* parent = nullptr,
              FunzioneDialogoServer dialogoServer = {});
    ~TTabXForm() override;

    Interazione& interazione() const { return port_; }

    // The statement that creates the form scripts table, one line each.
    static QStringList IstruzioneCreaTabScript();

    // Parameter table (MemTabX). All values travel as text; empty means none.
    void Inserisci(const QString& Tipo, const QString& Nome, const QString& Numero,
                   const QString& Testo, const QString& Data, const QString& Memo,
                   const QString& Livello1, const QString& Livello2, const QString& Utente);
    QString GetV(const QString& Nome);
    QString GetM(const QString& Nome);
    bool SetV(const QString& Nome, const QString& Testo);
    bool SetM(const QString& Nome, const QString& Memo);

    // Per-user settings under the company heading Ditta.
    QString CaricaParametro(const QString& Chiave);
    void SettaParametro(const QString& Chiave, const QString& Valore);
    void ScriviParametroTervald(const QString& Intestazione, const QString& Chiave,
                                const QString& Valore);
    void ScriviTervald(int Utente);
    // Settings are read when asked for; there is nothing to preload.
    void CaricaTervald() {}
    void SettaFileIni(const QString& Sezione, const QString& Chiave, const QString& Valore);

    // Named values of the company archive's TABX.
    void AggiornaParametriTabX();
    bool VerificaEsistenzaInTabX(const QString& CodProgetto, const QString& CodSituazione,
                                 const QString& Nome);
    bool AggiungiParametroInTabX(const QString& CodProgetto, const QString& CodSituazione,
                                 const QString& Nome, const QString& Numero, const QString& Testo,
                                 const QString& Data, const QString& Memo, const QString& Livello1,
                                 const QString& Livello2);
    bool ScriviParametroInTabX(const QString& CodProgetto, const QString& CodSituazione,
                               const QString& Nome, const QString& Numero, const QString& Testo,
                               const QString& Data, const QString& Memo);
    // Only the first three arguments count; the others keep the shape of AggiungiParametroInTabX.
    bool CaricaParametroDaTabX(const QString& CodProgetto, const QString& CodSituazione,
                               const QString& Nome, const QString& Numero, const QString& Testo,
                               const QString& Data, const QString& Memo, const QString& Livello1,
                               const QString& Livello2);
    QString ValoreTabX(const QString& Nome, bool PerUtente);
    bool SettaValoreTabX(const QString& Nome, const QString& Testo, bool PerUtente);
    QString ValoreMTabX(const QString& Nome, bool PerUtente);
    bool SettaValoreMTabX(const QString& Nome, const QString& Memo, bool PerUtente);

    // Users.
    void SetUserPerNum(int Numero);
    void SetUserPerNome(const QString& Nome);
    QString NomePerCodice(int Numero);
    int CodicePerNome(const QString& Nome);
    QString DittaPerNome(const QString& Nome);
    void CaricaUser(QStringList& Lista);
    bool VerificaPasswordUser(const QString& Nome, const QString& Password);
    int ProfiloSicurezzaUtente();
    QString DecodificaNomeUser(int Numero);
    int GetNumUser() const { return NumUser; }
    QString GetNomeUser() const { return NomeUser; }
    // Tells the host which window belongs to its log row IdFinestra.
    bool ScritturaHandleDiApertura(qint32 IdFinestra, qint64 Handle);

    // Connections. Paths are Windows-style as the settings hold them.
    void ConnettiDatabase0(const QString& Percorso);
    void ConnettiDatabase1(const QString& NomeParametro);
    void ConnettiDatabase2(const QString& NomeParametro);
    void ConnettiDatabase3(const QString& NomeParametro);
    void ConnettiDatabase4(const QString& NomeParametro);
    void ConnettiDatabase5(const QString& NomeParametro);
    bool ApriOCreaDatabase(db::Database& Db, const QString& Directory, const QString& File,
                           const QString& Password, const QString& Utente);
    bool ConnettiOCreaDatabase(db::Database& Db, const QString& Percorso, const QString& Server,
                               const QString& Password, const QString& Utente,
                               const QString& LetteraDisco);
    void RichiediServerDati(QString& Server, QString& LetteraDisco, const QString& Directory,
                            QString& CopiaServer);
    // An archive on a server, connected as it is named (never created: a
    // missing one is the server's to report, through the thrown error).
    void ConnettiArchivioRemoto(db::Database& Db, const QString& Percorso);
    // "\\SRV\C\ARCHIVI\" -> "SRV:C:\ARCHIVI\"; returns true when the path cannot be used.
    bool ConvertiPercorsoRete(const QString& Directory, const QString& PercorsoNelServer,
                              QString& Percorso, bool& CondivisoPerNome);

    FunzioneDialogoServer DialogoServer;

    // Calls into other libraries of the host, and form scripts.
    //
    // Runs Funzione(Argomento) of the shared library Libreria, found by the
    // system's search; a Windows name "X.dll" also finds "libX.so" and
    // "X.so". A missing library or function does nothing; the library stays
    // loaded (windows it opened may still be alive).
    void AvviaFunzXDll(const QString& Libreria, const QString& Funzione, qint32 Argomento);
    // Hands a dataset to the print library "Zorq": sets the parameters
    // "TitoloStampa" and "NomeReport" (where they exist), then calls its
    //   extern "C" void ShowZorq11FormD(Dataset*, TTabXForm**)    (a TIBQuery)
    //   extern "C" void ShowZorq11MemFormD(Dataset*, TTabXForm**) (any other)
    // with the dataset and the address of a pointer to this context. A
    // failure of the call shows "Errore nell'accesso alla DLL Zorq delle stampe".
    void LanciaStampaConDll(const QString& TitoloStampa, const QString& NomeReport,
                            Dataset& DataSet);
    // Makes sure the form's script row exists in TABSCRIPT: written when
    // missing, when its script is empty, or always with Forza "1".
    void IniScriptForm(const QString& Progetto, const QString& Form, const QString& Contesto,
                       const QString& Utente, const QString& Script, const QString& Forza);

    // Editing a table of the calling window with a two-state save button.
    //
    // DataSet is an IbQuery or IbTable whose update statements the window
    // has given (setUpdateObject) and whose transaction it owns; its first
    // field is the record's key. The bookmark pair (Segnalibro, Valido) brings
    // the user back to the current record after a refresh. The button turns
    // red (tag 1) while the transaction holds changes and row locks, green
    // (tag 0) once they are committed or dropped. Messages go through the
    // context's port.
    void SetRosso(const QString& Percorso) { FileRosso = Percorso; }
    void SetVerde(const QString& Percorso) { FileVerde = Percorso; }
    // Closes, rolls back and restarts the transaction, reopens (a table on
    // its first index) and goes back to the bookmark when valid.
    void AggiornaTabella(IbQuery& DataSet, Dataset::Bookmark Segnalibro, bool Valido);
    // Posts a pending edit, takes the bookmark, commits; the button turns green.
    void ChiudiTransazione(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                           PulsanteSalva& Pulsante);
    void ChiudiTransEAggiorna(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                              PulsanteSalva& Pulsante);
    // A new record keyed by the last record's key + 1, committed.
    void NuovoIntSuLast(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                        PulsanteSalva& Pulsante);
    // A new record keyed by MAX(key) + 1 of Tabella (1 when empty), committed.
    void NuovoIntSuMax(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                       PulsanteSalva& Pulsante, const QString& Tabella);
    // A new record keyed by the generator's next value, posted but not
    // committed: the button turns red.
    void NuovoIntSuGeneratore(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                              PulsanteSalva& Pulsante, const QString& Generatore);
    // A new row of Tabella keyed by the generator's next value, inserted by
    // SQL and committed; the dataset goes to its first record.
    void NuovoIntSuGenSQL(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                          PulsanteSalva& Pulsante, const QString& Generatore,
                          const QString& Tabella);
    // With a red button and the user's consent, drops the changes.
    void Annulla(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                 PulsanteSalva& Pulsante);
    // Deletes the current record after confirmation; true when deleted.
    bool Elimina(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                 PulsanteSalva& Pulsante);
    // Empties Tabella after confirmation.
    void Azzera(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                PulsanteSalva& Pulsante, const QString& Tabella);
    // Before the window closes: with a red button asks whether to save; No
    // drops the changes of the database's default transaction.
    void Chiudi(IbQuery& DataSet, PulsanteSalva& Pulsante);
    // The grid's refresh button: asks about unsaved changes, then commits
    // (what the user kept) and refreshes.
    void AggiornamentoDaPulsante(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                                 PulsanteSalva& Pulsante);
    // Before the current record is edited: locks its row in the dataset's
    // transaction. False (after a warning) when another user holds it: the
    // window must not edit. True: the button turns red.
    bool EventoBeforeEditDataSet(IbQuery& DataSet, PulsanteSalva& Pulsante, const QString& Tabella);
    // Generators, on the dataset's database.
    bool CreaGeneratore(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                        PulsanteSalva& Pulsante, const QString& Nome);
    bool SetGeneratore(IbQuery& DataSet, Dataset::Bookmark& Segnalibro, bool& Valido,
                       PulsanteSalva& Pulsante, const QString& Nome, const QString& Valore);
    bool CheckGeneratore(IbQuery& DataSet, const QString& Nome);
    // The next value of a generator of the company archive (it advances).
    QString ValoreGeneratore(const QString& Nome);

    // Components. Databases first: they outlive the transactions and queries on them.
    db::Database IBDatabase1; // company archive
    db::Database IBDatabase2; // price-list archive
    db::Database IBDatabase3;
    db::Database IBDatabase4;
    db::Database IBDatabase5;
    db::Database IBDatabaseUser;
    db::Transaction IBTransaction1;
    db::Transaction IBTransaction2;
    db::Transaction IBTransaction3;
    db::Transaction IBTransaction4;
    db::Transaction IBTransaction5;
    db::Transaction TransazioneUser;
    IbQuery QueryTervald;
    MemoryDataset MemTabX;

    int NumUser = 0;
    QString NomeUser;
    QString Ditta;
    quint8 ModoUtenti = ModoDatabase;
    QString FileVerde;
    QString FileRosso;

private:
    void apriDatabaseUtenti();
    void creaTabScriptSeManca();
    void connettiArchivio(db::Database& Db, const QString& Percorso);
    // First column of the first row of a select on QueryTervald; null when
    // there is no row or no users database.
    QVariant primoValoreUtenti(const QStringList& sql);
    void ricominciaTransazioneUtenti();
    QString fileIniUtente(int Numero, const QString& Nome) const;
    QString fileUtenti() const;
    // The first row of a select on the company archive, by column name.
    std::optional<QVariantHash> primaRigaTabX(const QStringList& sql);
    void eseguiTabX(const QStringList& sql);
    // Editing helpers.
    void segnaSalvato(PulsanteSalva& Pulsante);
    void segnaModificato(PulsanteSalva& Pulsante);
    QVariant primoValore(db::Database& database, db::Transaction& transazione,
                         const QStringList& sql, const QVariantList& parametri = {});
    void esegui(db::Database& database, db::Transaction& transazione, const QStringList& sql,
                const QVariantList& parametri = {});
    void aggiungiConChiave(IbQuery& DataSet, const QVariant& chiave);
    QStringList chiaveTabX(const QString& CodProgetto, const QString& CodSituazione,
                           const QString& Nome) const;
    void aggiornaDaRigaTabX(const db::Statement& riga);
    bool settaTabX(const QString& colonna, const QString& Nome, const QString& valore,
                   bool PerUtente);
    QString leggiTabX(const QString& colonna, const QString& Nome, bool PerUtente);

    Interazione& port_;
};

} // namespace mavo
