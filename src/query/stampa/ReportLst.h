#pragma once

#include "query/stampa/StatoStampa.h"

#include <QPair>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

namespace mavo {

// A rectangle of a report project, in thousandths of a millimetre.
struct RettangoloLst {
    int Sinistra = 0;
    int Alto = 0;
    int Destra = 0;
    int Basso = 0;
    int Larghezza() const { return Destra - Sinistra; }
    int Altezza() const { return Basso - Alto; }
    bool operator==(const RettangoloLst&) const = default;
};

// One item of a line of settings: ",Width=20000,Align=2,...,Text=¨expr¨".
struct VociLst {
    int Linea = -1; // in the file
    QVector<QPair<QString, QString>> Voci;

    QString Valore(const QString& chiave, const QString& predefinito = {}) const;
    int Intero(const QString& chiave, int predefinito = 0) const;
    // The text of "Text=", without the expression quotes.
    QString Testo() const;
    // An expression unless "Expression=FALSE" says the text is printed as it is.
    bool Espressione() const;
};

// A column of a list line, or a line of a text object.
struct ColonnaLst : VociLst {
    int Larghezza() const { return Intero(QStringLiteral("Width")); }
    // 0 left, 1 centre, 2 right.
    int Allineamento() const { return Intero(QStringLiteral("Align")); }
    // Text longer than the column wraps over more lines (memo columns).
    bool Adatta() const { return Intero(QStringLiteral("Fit")) == 1; }
    // Blank space left, top, right, bottom.
    std::array<int, 4> Spazio() const;
    std::optional<CarattereStampa> Carattere() const;
};

// A line definition of a list: the column titles ("HeaderColumns") or a data
// line ("Columns", "Columns1", ...) printed for the records its condition
// holds for.
struct RigaElencoLst {
    QString Nome;
    QVector<ColonnaLst> Colonne;
    bool Cornice = false;
    QString Condizione;
    bool Intestazione() const { return Nome.compare(u"HeaderColumns", Qt::CaseInsensitive) == 0; }
};

struct OggettoLst {
    enum class Tipo { Elenco, Testo, Altro };
    Tipo Genere = Tipo::Altro;
    QString Nome;
    int Linea = -1;
    RettangoloLst Rettangolo;
    QString Condizione;
    int Livello = 0;
    std::optional<CarattereStampa> Carattere;
    QVector<RigaElencoLst> Righe; // lists
    QVector<ColonnaLst> Testi;    // text objects: one per line
    QStringList BlocchiIgnoti;
};

struct LivelloLst {
    int Id = 0;
    QString Nome;
    QString Condizione;
};

// A report project file as written by CreaFileLSTAvanzato or
// CreaFileLSTStandard, or by the designer from one of them: what the print
// lays out. Whatever it does not know (other objects, other blocks) it keeps
// as it is and names in Verifica().
class ReportLst {
public:
    // IoError when the file cannot be read.
    static ReportLst Leggi(const QString& file);
    static ReportLst DaLinee(const QStringList& linee);

    // A page layout and at least one list or text object.
    bool Valido() const { return layout_ && !Oggetti.isEmpty(); }
    // The names the report needs and the printing does not know (any case),
    // objects it cannot print and expressions it cannot read: one text
    // each, once.
    QStringList Verifica(const QSet<QString>& nomiNoti) const;

    int LarghezzaPagina = 210000;
    int AltezzaPagina = 296300;
    bool Orizzontale = false;
    CarattereStampa CarattereBase{QStringLiteral("Arial"), 12};
    QVector<LivelloLst> Livelli;
    QVector<OggettoLst> Oggetti;

    const QStringList& Linee() const { return linee_; }
    void Salva(const QString& file) const;

    // What the designer edits. Columns are counted on the first list; an
    // edit applies to the same column of each of its lines.
    int Elenco() const; // index in Oggetti, -1 without a list
    int NumeroColonne() const;
    // The title of a column of the title line; none without one (the simple
    // report's single column).
    std::optional<QString> TitoloColonna(int colonna) const;
    int LarghezzaColonna(int colonna) const;
    int AllineamentoColonna(int colonna) const;
    QString EspressioneColonna(int colonna) const;
    void SpostaColonna(int da, int a);
    void ImpostaTitoloColonna(int colonna, const QString& titolo);
    void ImpostaLarghezzaColonna(int colonna, int larghezza);
    void ImpostaAllineamentoColonna(int colonna, int allineamento);
    // Text objects (headers and footers): their first line's expression.
    QVector<int> OggettiTesto() const;
    void ImpostaTestoOggetto(int oggetto, const QString& espressione);
    void ImpostaOrizzontale(bool orizzontale);

private:
    void analizza();
    void sostituisciVoce(VociLst voci, const QString& chiave, const QString& valore);
    QVector<QVector<ColonnaLst>*> colonneElenco();

    QStringList linee_;
    bool layout_ = false;
};

// The expression of a text between the project's expression quotes.
QString SenzaVirgolette(const QString& testo);
// A font line value "{(R,G,B),size,...,name}".
std::optional<CarattereStampa> LeggiFontLst(const QString& valore);

} // namespace mavo
