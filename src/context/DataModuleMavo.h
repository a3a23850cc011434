#pragma once

#include <QObject>

namespace mavo {

class TTabXForm;
namespace db {
class Database;
}

// What the net-price window needs besides its own widgets: the call context,
// with the parameters and both archives made ready, and the keys under which
// the window's position and the grid's layout are stored.
class TDataModuleMavo : public QObject {
    Q_OBJECT
public:
    explicit TDataModuleMavo(TTabXForm& contesto, QObject* parent = nullptr);

    TTabXForm& Contesto; // not owned

    // Stay 0 unless both archives are connected.
    quint32 CodiceProgetto = 0;
    quint32 SituazioneFinestra = 0;
    quint32 SituazioneGriglia = 0;

private:
    // Connects the archive named by the parameter unless it is connected.
    void apriArchivio(db::Database& database, const QString& parametro,
                      void (TTabXForm::*connetti)(const QString&), const QString& avviso);
    // Registers the parameter from the user's settings unless it is already there.
    void garantisciParametro(const QString& nome, const QString& chiave);
};

} // namespace mavo
