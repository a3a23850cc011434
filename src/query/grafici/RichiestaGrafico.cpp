#include "query/grafici/RichiestaGrafico.h"

#include "dataset/Dataset.h"

namespace mavo {

namespace {

QString elenco(const QStringList& nomi) {
    return nomi.isEmpty() ? QStringLiteral("nessuno") : nomi.join(QStringLiteral(", "));
}

// The answer's own spelling of a column named in any case, or empty.
QString tra(const QStringList& nomi, const QString& nome) {
    for (const QString& n : nomi)
        if (n.compare(nome, Qt::CaseInsensitive) == 0)
            return n;
    return {};
}

} // namespace

std::variant<GraficoRichiesto, QString> VerificaRichiesta(const Dataset& risposta,
                                                          const RichiestaGrafico& richiesta) {
    const ImpostazioniGrafico& i = richiesta.Impostazioni;
    if (i.CampoX.isEmpty() || i.CampoY.isEmpty())
        return QStringLiteral(
            "Dati non sufficienti per la creazione del grafico!\rVerificare e correggere");
    const QStringList campiX = CampiAsseX(risposta);
    const QString x = tra(campiX, i.CampoX);
    if (x.isEmpty())
        return QStringLiteral("Il campo %1 non può fare da asse x; campi possibili: %2")
            .arg(i.CampoX, elenco(campiX));
    const QStringList valori = CampiValori(risposta, x);
    for (const QString& nome : QStringList{i.CampoY} + i.SerieAggiunte)
        if (tra(valori, nome).isEmpty())
            return QStringLiteral("Il campo %1 non ha valori numerici per il grafico; campi "
                                  "possibili: %2")
                .arg(nome, elenco(valori));
    const bool conSerie = !i.SerieAggiunte.isEmpty();
    const QStringList tipi = NomiTipi(conSerie ? TipiGraficoXYZ() : TipiGraficoXY());
    const std::optional<SceltaGrafico> scelta =
        ScegliGrafico(conSerie, tra(tipi, richiesta.Tipo), richiesta.Verticale);
    if (!scelta)
        return QStringLiteral("Selezionare il tipo grafico da visualizzare!\rTipi possibili %1: %2")
            .arg(conSerie ? QStringLiteral("con serie aggiunte")
                          : QStringLiteral("senza serie aggiunte"),
                 tipi.join(QStringLiteral(", ")));
    return GraficoRichiesto{*scelta, CreaDidascalie(richiesta.Titolo, richiesta.AsseX.value_or(x),
                                                    richiesta.AsseY.value_or(tra(valori, i.CampoY)),
                                                    richiesta.AsseZ)};
}

} // namespace mavo
