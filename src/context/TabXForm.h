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
    QStringList chiaveTabX(const QString& CodProgetto, const QString& CodSituazione,
                           const QString& Nome) const;
    void aggiornaDaRigaTabX(const db::Statement& riga);
    bool settaTabX(const QString& colonna, const QString& Nome, const QString& valore,
                   bool PerUtente);
    QString leggiTabX(const QString& colonna, const QString& Nome, bool PerUtente);

    Interazione& port_;
};

} // namespace mavo
