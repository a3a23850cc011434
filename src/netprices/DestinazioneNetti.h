#pragma once

#include <QString>
#include <QStringList>

namespace mavo {

class TTabXForm;
namespace db {
class Database;
}

// Where net prices are written and taken away again: the price list (LISTINO
// of the price-list archive) or the warehouse master (ANAMAG of the company
// archive). The application and the removal are one procedure each; this
// description is all that tells the two targets apart.
struct DestinazioneNetti {
    enum class Archivio { Ditta, Listino }; // IBDatabase1, IBDatabase2

    Archivio archivio;
    QString tabella;
    QString colonnaFornitore;
    QStringList condizioniAggiuntive; // further selection, e.g. "ESTENSIONE='3'"
    QString colonnaListino;           // read before the update, then the net price
    QString colonnaAcquisto;
    QString colonnaNettoOneri;
    QString colonnaVendita; // the marker 9999999 goes here
    QString colonnaRicarico;

    QString domandaAggiornamento;   // confirmation before the application
    QString messaggioAggiornamento; // progress text of the application
    QString messaggioRimozione;     // progress text of the removal
    QString erroreRimozione;        // first line of the error when the removal fails

    static const DestinazioneNetti& Listone();
    static const DestinazioneNetti& AnagraficaMagazzino();

    db::Database& DatabaseDi(TTabXForm& contesto) const;

    // The statements, one line each.
    QStringList IstruzioneRicerca() const;       // ID and old list price of a staged CODICE
    QStringList IstruzioneAggiornamento() const; // net price and marker of row :ID
    QStringList IstruzioneConteggio() const;     // TOT of the marked rows
    QStringList IstruzioneRimozione() const;     // marked rows back to their list price

private:
    QStringList condizioniFornitore() const;
    QStringList condizioniMarcate() const;
};

// Writes to LISTINO and ANAMAG wait at most three seconds for a row another
// user holds, so that such a row is reported instead of freezing the window.
QStringList ParametriTransazioneNetti();

} // namespace mavo
