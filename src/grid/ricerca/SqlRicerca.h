#pragma once

#include "dataset/Field.h"

#include <QDate>
#include <QStringList>
#include <functional>
#include <optional>

namespace mavo {

// How a field is searched, by its data type.
enum class ClasseCampo { Testo, Numerico, Data, Blob };
ClasseCampo ClasseDelCampo(FieldType tipo);

// Search types (the items of "Tipo ricerca") and sort choices ("Tipo ordinamento").
enum TipoRicerca { RicercaMaggioreUguale = 0, RicercaContiene = 1, RicercaIniziaCon = 2 };
enum SceltaOrdinamento { OrdinamentoNo = 0, OrdinamentoCrescente = 1, OrdinamentoDecrescente = 2 };

// What the search dialog asks for.
struct RichiestaRicerca {
    QString testo;
    int tipo = RicercaMaggioreUguale;
    bool upper = true;
    int ordinamento = OrdinamentoCrescente;
    QDate dal; // date fields: the first date (null when not typed)
    QDate al;  // and the optional last one
};

// The field searched on a query.
struct CampoRicercato {
    QString espressione; // EspressioneRicerca
    ClasseCampo classe = ClasseCampo::Testo;
};

// "Upper" counts only for text fields.
bool UpperApplicato(const RichiestaRicerca& richiesta, ClasseCampo classe);

// "AND" when the base SQL has a WHERE clause already, else "WHERE".
QString ConnettoreRicerca(const QStringList& sqlIniziale);

// The condition line a search adds to the base SQL; empty when there is
// nothing to search for (no text; for a date field, no first date).
QString CostruisciCondizione(const RichiestaRicerca& richiesta, const CampoRicercato& campo,
                             const QStringList& sqlIniziale);

// The ORDER BY line of the sort choices "Cresc." and "Decres."; none for "No".
QStringList RigheOrdinamentoRicerca(const RichiestaRicerca& richiesta, const CampoRicercato& campo);

// The SQL of a searching query, and the condition it holds (empty when the
// search shows every row).
struct SqlRicerca {
    QStringList sql;
    QString condizione;
};

// The base SQL, then the condition and the order lines. `ordinamentoMemorizzato`
// gives the lines of the stored sort, for the choice "No"; it is called only then.
SqlRicerca ComponiSqlRicerca(const QStringList& sqlIniziale, const RichiestaRicerca& richiesta,
                             const CampoRicercato& campo,
                             const std::function<QStringList()>& ordinamentoMemorizzato);

// The condition of the generic search ("Generica"): `testo` contained in any
// field that comes from a table (`origini`, in field order; empty ones are
// skipped). None when no field has an origin.
std::optional<QStringList> RigheRicercaGenerica(const QString& testo,
                                                const QStringList& sqlIniziale,
                                                const QStringList& origini);

inline const QString kMsgRicercaGenericaImpossibile = QStringLiteral(
    "Attenzione: la ricerca generica non è possibile perché nessun campo della griglia "
    "proviene da una tabella");

} // namespace mavo
