#include "query/stampa/GenTabSt.h"

#include "common/TabelleTemp.h"
#include "platform/Paths.h"
#include "query/stampa/CartelleStampa.h"
#include "query/stampa/TitoloStampa.h"

#include <QDir>

namespace mavo {

namespace {

constexpr int kRigheIntestazione = 5;
constexpr int kRigheInLotto = 5000;

LocalTable preparaTabella(const QString& directoryLavoro, const QString& cartella,
                          const QString& nome, const QList<LocalField>& campi,
                          const QStringList& indice) {
    const QString percorso = CartellaStampa(directoryLavoro, cartella);
    LocalTable tabella(percorso, nome);
    if (PreparaTabellaTemp(tabella) != u"Esiste Libera") {
        // A folder that cannot be made shows up as the table's own failure.
        QDir().mkpath(toLocalPath(percorso));
        tabella.create(campi, indice);
    }
    return tabella;
}

} // namespace

int RighePerPaginaEffettive(int richieste, bool numeraPagine) {
    return std::max(richieste, kRigheIntestazione + 1 + (numeraPagine ? 2 : 0));
}

TGenTabStForm::TGenTabStForm(const QStringList& testate, bool numeraPagine,
                             const QString& directoryLavoro, const QString& righePerPagina)
    : intestazione_(testate.mid(0, kRigheIntestazione)), numeraPagine_(numeraPagine),
      righePerPagina_(RighePerPaginaEffettive(RighePerPaginaDaTesto(righePerPagina), numeraPagine)),
      testate_(preparaTabella(directoryLavoro, QStringLiteral("Stampe\\TEXT\\TESTATT"),
                              QStringLiteral("TESTATT.DB"),
                              {{QStringLiteral("NumeroPagina"), LocalField::Type::SmallInt}},
                              {QStringLiteral("NumeroPagina")})),
      righe_(preparaTabella(
          directoryLavoro, QStringLiteral("Stampe\\TEXT\\RIGHET"), QStringLiteral("RIGHET.DB"),
          {{QStringLiteral("NumeroPagina"), LocalField::Type::SmallInt},
           {QStringLiteral("NumeroRiga"), LocalField::Type::Float},
           {QStringLiteral("TipoRiga"), LocalField::Type::SmallInt},
           {QStringLiteral("Descrizione"), LocalField::Type::String, kLunghezzaRigaStampa}},
          {QStringLiteral("NumeroPagina"), QStringLiteral("NumeroRiga")})) {
    while (intestazione_.size() < kRigheIntestazione)
        intestazione_.append(QString());
    testate_.beginBatch();
    righe_.beginBatch();
    nuovaPagina();
}

TGenTabStForm::~TGenTabStForm() {
    try {
        if (inLotto_ >= 0) {
            testate_.commitBatch();
            righe_.commitBatch();
        }
    } catch (...) {
        // Only work tables: nothing to keep.
    }
    EliminaTabellaTemp(testate_, QStringLiteral("TESTATT.DB"));
    EliminaTabellaTemp(righe_, QStringLiteral("RIGHET.DB"));
}

void TGenTabStForm::nuovaPagina() {
    ++pagina_;
    riga_ = 0;
    testate_.insert({pagina_});
    for (const QString& testo : std::as_const(intestazione_))
        scrivi(testo);
}

void TGenTabStForm::scrivi(const QString& testo) {
    ++riga_;
    righe_.insert({pagina_, double(riga_), QVariant(), testo});
    if (inLotto_ >= 0 && ++inLotto_ >= kRigheInLotto) {
        righe_.commitBatch();
        righe_.beginBatch();
        inLotto_ = 0;
    }
}

void TGenTabStForm::AggiungiRiga(const QString& testo) {
    const int chiusura = numeraPagine_ ? 2 : 0;
    if (riga_ >= righePerPagina_ - chiusura) {
        if (numeraPagine_ && riga_ == righePerPagina_ - 2) {
            scrivi(intestazione_[4]);
            scrivi(QStringLiteral("Pagina N° %1").arg(pagina_));
        }
        nuovaPagina();
    }
    scrivi(testo);
}

void TGenTabStForm::TerminaUltimaPagina() {
    const int chiusura = numeraPagine_ ? 2 : 0;
    QString vuota = intestazione_[3];
    for (QChar& c : vuota)
        if (c != u'|')
            c = u' ';
    for (int libere = righePerPagina_ - riga_ - chiusura; libere > 0; --libere)
        scrivi(vuota);
    if (numeraPagine_ && righePerPagina_ - riga_ > 1) {
        scrivi(intestazione_[4]);
        scrivi(QStringLiteral("Pagina N° %1").arg(pagina_));
    }
    testate_.commitBatch();
    righe_.commitBatch();
    inLotto_ = -1;
}

} // namespace mavo
