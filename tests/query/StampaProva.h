#pragma once

#include "Vendite.h"
#include "query/stampa/ProgettoLst.h"
#include "query/stampa/Stampa.h"

#include <QFile>

namespace mavo::test {

// A visible field of a print without an answer behind it (a float has two
// decimals).
inline CampoStampa campo(const QString& nome, FieldType tipo, int larghezza, int posizione,
                         int codice = 0) {
    return {.Nome = nome,
            .Etichetta = nome,
            .Tipo = tipo,
            .Scala = tipo == FieldType::Float ? 2 : 0,
            .Larghezza = larghezza,
            .Visibile = true,
            .Posizione = posizione,
            .Codice = codice};
}

inline QByteArray leggi(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The sales answer printed: only the fields named visible, with the display
// widths given, and the print's folders (bin's report projects, the working
// directory's print tables).
class StampaVendite : public Vendite {
protected:
    void soloColonne(const QList<QPair<const char*, int>>& campi) {
        Dataset& dati = risposta.Dati();
        for (int i = 0; i < dati.fieldCount(); ++i)
            dati.field(i)->setVisible(false);
        for (const auto& [nome, larghezza] : campi) {
            dati.findField(nome)->setVisible(true);
            dati.findField(nome)->setDisplayWidth(larghezza);
        }
    }

    // The advanced project of the answer, without totals, in Arial 8.
    void creaProgetto(const QString& file, bool orizzontale) {
        StatoStampa stato;
        CreaFileLSTAvanzato(file,
                            {.Campi = CampiDaStampare(risposta.Dati(), &risposta.Codici()),
                             .UnRecord = false,
                             .TotaliVoluti = false,
                             .Orizzontale = orizzontale,
                             .NumeraPagine = true,
                             .MemoEstesi = false,
                             .Carattere = {"Arial", 8}},
                            stato);
    }

    ContestoStampa contesto(const QTemporaryDir& bin) {
        return {.RispostaQuery = &risposta,
                .TabellaUnRecord = nullptr,
                .Ditta = "1",
                .TabellaPrincipale = "VENDITE",
                .DirectoryLavoro = lavoro.path(),
                .DirectoryBin = bin.path() + "/",
                .FileImpostazioni = lavoro.filePath("tervald.ini"),
                .CarattereGriglia = std::nullopt};
    }
};

} // namespace mavo::test
