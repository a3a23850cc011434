#include "dataset/IbTable.h"
#include "grid/LetturaImpostazioni.h"
#include "grid/VEKGrid.h"
#include "platform/SqlTesto.h"

#include <exception>

namespace mavo {

db::Database* TVEKGrid::databaseImpostazioni() const {
    if (DatabaseImpostazioni)
        return DatabaseImpostazioni;
    if (query_)
        return query_->database();
    if (tabella_)
        return tabella_->database();
    return nullptr;
}

void TVEKGrid::leggiImpostazioni(db::Database& database) {
    const RigheImpostazioni lette =
        LeggiImpostazioni(database,
                          {"SELECT * FROM " + sql::identificatore(TabellaAspettoGriglie),
                           "WHERE (CodiceUtente=" + QString::number(Utente) + ")",
                           "AND (CodiceProgetto=" + QString::number(CodiceProgetto) + ")"},
                          1);
    if (lette.righe.isEmpty()) {
        coloreRecordSelezionato_ = clSfondo;
        coloreCampiIndicizzati_ = clGiallo;
        coloreCampoOrdinato_ = clRosso;
        ricercaATempo_ = true;
        ricercaSempre_ = false;
        return;
    }
    const QVariantHash& riga = lette.righe.first();
    const auto colore = [&riga](const char* colonna, TColor seZero) {
        const TColor valore = TColorDaValore(riga.value(QLatin1String(colonna)));
        return valore == 0 ? seZero : valore;
    };
    coloreRecordSelezionato_ = colore("COLORERECORDSELEZ", clSfondo);
    coloreCampiIndicizzati_ = colore("COLORECAMPIINDIC", clGiallo);
    coloreCampoOrdinato_ = colore("COLORECAMPOORD", clRosso);
    ricercaATempo_ = riga.value(QStringLiteral("ABILITATIMERRIC")).toInt() == 1;
    ricercaSempre_ = riga.value(QStringLiteral("ABILITARICF5SEMPRE")).toInt() == 1;
}

void TVEKGrid::leggiMemoriaAspetto(db::Database& database) {
    // An environment without the parameter (or without its table) keeps the memory on.
    try {
        const RigheImpostazioni lette = LeggiImpostazioni(
            database,
            {"SELECT", "  TESTO", "FROM", "  TABX", "WHERE", "  NOME='DisabilitaMemPosGriglie'",
             "  AND", "  UTENTE=" + QString::number(Utente)},
            1);
        if (!lette.righe.isEmpty()) {
            bool numero = false;
            const int valore = lette.righe.first()
                                   .value(QStringLiteral("TESTO"))
                                   .toString()
                                   .trimmed()
                                   .toInt(&numero);
            memoriaAspettoDisabilitata_ = numero && valore == 1;
        }
    } catch (const std::exception&) {
    }
}

} // namespace mavo
