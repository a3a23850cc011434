#include "query/grafici/ui/GraficoSuFile.h"

#include "platform/Interazione.h"
#include "query/grafici/DatiGrafico.h"
#include "query/grafici/RichiestaGrafico.h"
#include "query/grafici/ui/Grafico.h"
#include "query/risposta/Risposta.h"

#include <QChart>
#include <QDir>
#include <QGraphicsScene>

namespace mavo {

bool SalvaGraficoSuFile(Interazione& port, Risposta& risposta, const QString& directoryLavoro,
                        const RichiestaGrafico& richiesta, const QString& file, QSize dimensione) {
    if (!risposta.Aperta()) {
        port.Informazione(QStringLiteral(
            "Dati non sufficienti per la creazione del grafico!\rVerificare e correggere"));
        return false;
    }
    const auto verifica = VerificaRichiesta(risposta.Dati(), richiesta);
    if (const QString* errore = std::get_if<QString>(&verifica)) {
        port.Errore(*errore);
        return false;
    }
    const GraficoRichiesto& grafico = std::get<GraficoRichiesto>(verifica);
    // The answer's spelling of the columns, whatever the request's.
    ImpostazioniGrafico impostazioni = richiesta.Impostazioni;
    const Dataset& dati = risposta.Dati();
    impostazioni.CampoX = dati.findField(impostazioni.CampoX)->fieldName();
    impostazioni.CampoY = dati.findField(impostazioni.CampoY)->fieldName();
    for (QString& nome : impostazioni.SerieAggiunte)
        nome = dati.findField(nome)->fieldName();

    TabellaGrafico tabella(directoryLavoro);
    tabella.Riempi(risposta, impostazioni, port);
    const bool torte = grafico.Scelta.Forma == FormaGrafico::TorteFisse ||
                       grafico.Scelta.Forma == FormaGrafico::TorteProporzionali;
    const DatiGrafico letti =
        LeggiDatiGrafico(tabella.Tabella(), torte ? MassimoTorte : MassimoDescrizioni);
    tabella.Chiudi();
    if (letti.Escluse() > 0)
        port.Avviso(QStringLiteral("Il grafico mostra le prime %1 descrizioni dell'asse x su %2")
                        .arg(letti.Descrizioni.size())
                        .arg(letti.DescrizioniTotali));

    QGraphicsScene scena;
    QChart* disegno = CreaGrafico(letti, grafico.Scelta, grafico.Testi).release();
    scena.addItem(disegno);
    disegno->resize(dimensione);
    if (SalvaGrafico(*disegno, file))
        return true;
    port.Errore(QStringLiteral("Impossibile scrivere il file\r") + QDir::toNativeSeparators(file));
    return false;
}

} // namespace mavo
