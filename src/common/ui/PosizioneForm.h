#pragma once

class QWidget;

namespace mavo {

namespace db {
class Database;
}

// The per-user memory of a window's position and size, in table "STOPOS1" of
// `database`, keyed by user, situation and project. Database failures reach
// the caller.

// Writes only when the stored values differ from the window's geometry (or
// there is no row yet), in a transaction of its own.
void SalvaPosizioneForm(const QWidget& finestra, int utente, int situazione, int progetto,
                        db::Database& database);

// Without a stored row the window keeps its designed geometry. Either way the
// window ends up whole on a screen (PortaSulloSchermo).
void CaricaPosizioneForm(QWidget& finestra, int utente, int situazione, int progetto,
                         db::Database& database);

} // namespace mavo
