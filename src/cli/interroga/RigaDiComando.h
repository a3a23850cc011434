#pragma once

#include "query/esporta/OpzioniEsportazione.h"
#include "query/grafici/RichiestaGrafico.h"
#include "query/storico/Storico.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <variant>

namespace mavo {

// What one run of interroga is asked to do.
struct OpzioniInterroga {
    enum class Comando {
        Sql,
        Esegui,
        Esporta,
        Grafico,
        Stampa,
        StoricoElenco,
        StoricoMostra,
        StoricoEsegui,
        StoricoSalva
    };

    int utente = 1;
    Comando comando = Comando::Sql;
    QString tabella;
    bool suListino = false; // the price-list archive, else the company archive
    QString definizione;    // file; empty: every field of the table, no condition
    ChiaveStorico voce;     // storico mostra, esegui, salva
    bool catena = false;    // storico esegui: on along the chain to its last query

    // esporta: the dialog's choices (Cartella empty and NomeFile the whole
    // destination: a path, or the table's name), and the grouping display
    // type to give some fields first.
    OpzioniEsportazione esportazione;
    QList<std::pair<QString, int>> raggruppamenti;

    // grafico: the chart dialog's choices, and the image file (.png, .svg or
    // .pdf by its extension).
    RichiestaGrafico grafico;
    QString fileGrafico;

    // stampa: the title dialog's choices (an empty title: the default one)
    // and the fields to total.
    int tipoStampa = 0;
    QString titolo;
    std::optional<QString> note;
    std::optional<int> righePerPagina;
    bool orizzontale = false;
    bool numeraPagine = true;
    QStringList totali;
    QString pdf;
};

// The options of the command line, or the exit status when the run ends here
// (help, or a wrong line told on stderr).
std::variant<OpzioniInterroga, int> LeggiRigaDiComandoInterroga(int argc, const char* const* argv);

} // namespace mavo
