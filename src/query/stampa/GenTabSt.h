#pragma once

#include "platform/LocalTable.h"

#include <QString>
#include <QStringList>

namespace mavo {

// The longest text line of the simple reports.
inline constexpr int kLunghezzaRigaStampa = 137;

// The print-table generator: the text lines of the simple reports laid out in
// pages of a given number of rows, each page opening with the five header
// lines (title, notes, an empty line, the column titles, the rule) and, with
// page numbering, closed by the rule and "Pagina N° n". Pages go to the local
// table TabTestatT (one row per page) and lines to TabRigheT, under the
// working directory; they stay there, open, until the generator goes.
class TGenTabStForm {
public:
    // `testate`: the header lines (at least the five above; more are
    // ignored). `righePerPagina`: the text of the company's
    // "RigheStampaQuery" as the title dialog has just stored it (50 when it
    // is not a number).
    TGenTabStForm(const QStringList& testate, bool numeraPagine, const QString& directoryLavoro,
                  const QString& righePerPagina);
    ~TGenTabStForm();
    TGenTabStForm(const TGenTabStForm&) = delete;
    TGenTabStForm& operator=(const TGenTabStForm&) = delete;

    void AggiungiRiga(const QString& testo);
    void TerminaUltimaPagina();

    int RighePerPagina() const { return righePerPagina_; }
    int Pagine() const { return pagina_; }
    LocalTable& TabTestatT() { return testate_; }
    LocalTable& TabRigheT() { return righe_; }

private:
    void nuovaPagina();
    void scrivi(const QString& testo);

    QStringList intestazione_;
    bool numeraPagine_;
    int righePerPagina_;
    int pagina_ = 0;
    int riga_ = 0; // lines already on the page
    int inLotto_ = 0;
    LocalTable testate_;
    LocalTable righe_;
};

// The rows per page of a text; below the five header lines, one data line
// and, with numbering, the closing two, there is no page: that is the least.
int RighePerPaginaEffettive(int richieste, bool numeraPagine);

} // namespace mavo
