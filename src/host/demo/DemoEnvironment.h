#pragma once

#include <QString>
#include <memory>

namespace mavo {

namespace db {
class Database;
}

// Where the pieces of a demo host directory lie (local paths).
struct AmbienteDemo {
    QString directory;     // the host directory, ending with '/'
    QString utenti;        // user/user.fdb
    QString archivio;      // the company archive
    QString listino;       // the price-list archive
    QString binDir;        // ending with '/'
    QString tabTempDir;    // ending with '/'
    QString fileFornitore; // a supplier's net-price file, Windows-1252
    QString icona;         // Grafica/ZENTRIVO.ICO
    QString verde;         // Grafica/Verde.bmp: the save button with nothing to save
    QString rosso;         // Grafica/Rosso.bmp: the save button with changes to save
};

// The user and company the demo is set up for.
constexpr int UtenteDemo = 1;
inline const QString DittaDemo = QStringLiteral("DEMO");
// The supplier and extension the net prices are for.
inline const QString FornitoreNetti = QStringLiteral("2197");
inline const QString EstensioneNetti = QStringLiteral("3");

AmbienteDemo PercorsiDemo(const QString& directory);

// Creates what is missing of a complete host directory for the demo: users
// database with user 1 DEMO and his settings, company archive (UTF8, as we
// create databases), price-list archive (NONE, as the host's), icon and
// supplier file. What exists already is left as it is, so
// a second run changes nothing.
AmbienteDemo CreaAmbienteDemo(const QString& directory);

// Connects to the database file, creating it (page size 4096) when missing.
std::unique_ptr<db::Database> ApriOCreaDatabaseDemo(const QString& percorso);

// The tables each database of the host holds; the missing ones are created.
void CreaSchemaUtenti(db::Database& utenti);     // UTENTI, TABTERVALD, ZENTRILOGFUNZ, TABSCRIPT
void CreaSchemaArchivio(db::Database& archivio); // ANAMAG, TABX, STOPOS1, STOASP1, SETGRID,
                                                 // STOINT, STOASP
void CreaSchemaListino(db::Database& listino);   // LISTINO
// The price-list archive as the host's Windows programs leave theirs: default
// character set NONE, created by isql with LISTINO and the host's own rows
// (articoliHost), written after SET NAMES WIN1252 as Windows-1252 bytes.
void CreaListinoHost(const QString& percorso);

// Rows of the users database; each writes only what is missing and commits.
void AggiungiUtente(db::Database& utenti, int codice, const QString& nome, const QString& ditta,
                    const QString& password = QString());
void AggiungiImpostazione(db::Database& utenti, int utente, const QString& ditta,
                          const QString& chiave, const QString& valore);
// What the host does before calling the library: a row of its window log.
// Returns the row's IDFINESTRA.
int RegistraAperturaFinestra(db::Database& utenti, int utente, const QString& funzione);

// Articles of the demo, the same in both archives. Only an empty table is filled.
void RiempiAnagrafica(db::Database& archivio, int articoli);
void RiempiListino(db::Database& listino, int articoli);

// A net-price file of supplier 2197 with valid rows and rows of every kind
// the import rejects or shortens.
void ScriviFileFornitore(const QString& percorso, int articoli);
// The host's window icon.
void ScriviIcona(const QString& percorso);
// The save button's picture: a floppy disk on green or on red.
void ScriviPulsanteSalva(const QString& percorso, bool modificato);

} // namespace mavo
