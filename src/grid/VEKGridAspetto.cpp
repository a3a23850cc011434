#include "common/Testo.h"
#include "dataset/IbTable.h"
#include "dataset/MemoryDataset.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "grid/LetturaImpostazioni.h"
#include "grid/VEKGrid.h"
#include "platform/SqlTesto.h"

#include <exception>

namespace mavo {

// One stored row of the column layout.
struct RigaAspettoGriglia {
    QString NomeCampo;
    int Larghezza = 0;
    int Posizione = 0;
    QString NomeColonna;
    QVariant Ordinamento; // null: not a sort key
    bool Visibile = true;
    TColor ColoreColonna = 0; // 0: the grid's own colour
};

struct AspettoMemorizzato {
    QVector<RigaAspettoGriglia> righe;
    int lunghezzaNome = 0; // declared length of NOMECAMPO
};

namespace {

constexpr int lunghezzaTitolo = 25;

bool stessoOrdinamento(const QVariant& a, const QVariant& b) {
    return a.isNull() == b.isNull() && (a.isNull() || a.toInt() == b.toInt());
}

} // namespace

AspettoMemorizzato TVEKGrid::leggiAspetto(db::Database& database, bool ordinato) const {
    QStringList sql = QStringList{"SELECT * FROM " + sql::identificatore(TabellaAspettoGriglia)} +
                      RigheChiave(chiavi());
    if (ordinato)
        sql << QStringLiteral("ORDER BY Posizione");
    const RigheImpostazioni lette = LeggiImpostazioni(database, sql);
    AspettoMemorizzato aspetto;
    if (const db::FieldInfo* nome = lette.colonna(QStringLiteral("NOMECAMPO")))
        aspetto.lunghezzaNome = nome->size;
    for (const QVariantHash& r : lette.righe) {
        RigaAspettoGriglia riga;
        riga.NomeCampo = TogliSpaziFinali(r.value(QStringLiteral("NOMECAMPO")).toString());
        riga.Larghezza = r.value(QStringLiteral("LARGHEZZA")).toInt();
        riga.Posizione = r.value(QStringLiteral("POSIZIONE")).toInt();
        riga.NomeColonna = TogliSpaziFinali(r.value(QStringLiteral("NOMECOLONNA")).toString());
        riga.Ordinamento = r.value(QStringLiteral("ORDINAMENTO"));
        riga.Visibile = r.value(QStringLiteral("VISIBILE")).toInt() != 0;
        riga.ColoreColonna = TColorDaValore(r.value(QStringLiteral("COLORECOLONNA")));
        aspetto.righe << riga;
    }
    return aspetto;
}

void TVEKGrid::SalvaAspetto() {
    const Dataset* dati = dataset();
    db::Database* database = databaseImpostazioni();
    if (!dati || !dati->active() || !database)
        return;
    const AspettoMemorizzato memorizzato = leggiAspetto(*database, true);
    if (aspettoCambiato(memorizzato))
        scriviAspetto(*database, memorizzato.lunghezzaNome);
}

QString TVEKGrid::nomeDaMemorizzare(int colonna, int lunghezzaNome) const {
    const QString nome = CampoColonna(colonna)->fieldName().toUpper();
    return lunghezzaNome > 0 ? nome.left(lunghezzaNome) : nome;
}

bool TVEKGrid::aspettoCambiato(const AspettoMemorizzato& memorizzato) const {
    // Every value the grid would write is compared, so that a changed title,
    // colour or visibility is not lost behind an unchanged order and widths.
    if (memorizzato.righe.size() != NumeroColonne())
        return true;
    for (int i = 0; i < NumeroColonne(); ++i) {
        const RigaAspettoGriglia& riga = memorizzato.righe[i];
        const TColor colore = riga.ColoreColonna == 0 ? Colore() : riga.ColoreColonna;
        if (riga.NomeCampo != nomeDaMemorizzare(i, memorizzato.lunghezzaNome) ||
            riga.Posizione != i || riga.Larghezza != LarghezzaColonna(i) ||
            riga.NomeColonna != TogliSpaziFinali(TitoloColonna(i).left(lunghezzaTitolo)) ||
            riga.Visibile != ColonnaVisibile(i) || colore != ColoreColonna(i) ||
            !stessoOrdinamento(riga.Ordinamento,
                               Ordinamento.ValoreOrdinamento(CampoColonna(i)->fieldName())))
            return true;
    }
    return false;
}

void TVEKGrid::scriviAspetto(db::Database& database, int lunghezzaNome) {
    db::Transaction transazione(&database);
    transazione.start();
    {
        db::Statement cancella(&database, &transazione);
        cancella.setParamCheck(false);
        cancella.setSql(QStringList{"DELETE FROM " + sql::identificatore(TabellaAspettoGriglia)} +
                        RigheChiave(chiavi()));
        cancella.execute();

        db::Statement inserisci(&database, &transazione);
        inserisci.setSql({"INSERT INTO " + TabellaAspettoGriglia + "(",
                          "CODICEPROGETTO,",
                          "CODICESITUAZIONE,",
                          "CODICEUTENTE,",
                          "NOMECAMPO,",
                          "LARGHEZZA,",
                          "POSIZIONE,",
                          "NOMECOLONNA,",
                          "ORDINAMENTO,",
                          "VISIBILE,",
                          "COLORECOLONNA,",
                          "ORIGINE",
                          ")",
                          "VALUES(",
                          QString::number(CodiceProgetto) + ",",
                          QString::number(situazione_) + ",",
                          QString::number(Utente) + ",",
                          ":NOMECAMPO,",
                          ":LARGHEZZA,",
                          ":POSIZIONE,",
                          ":NOMECOLONNA,",
                          ":ORDINAMENTO,",
                          ":VISIBILE,",
                          ":COLORECOLONNA,",
                          ":ORIGINE",
                          ")"});
        for (int i = 0; i < NumeroColonne(); ++i) {
            const Field* campo = CampoColonna(i);
            inserisci.setParam(QStringLiteral("NOMECAMPO"), nomeDaMemorizzare(i, lunghezzaNome));
            inserisci.setParam(QStringLiteral("LARGHEZZA"), LarghezzaColonna(i));
            inserisci.setParam(QStringLiteral("POSIZIONE"), i);
            inserisci.setParam(QStringLiteral("NOMECOLONNA"),
                               TitoloColonna(i).left(lunghezzaTitolo));
            inserisci.setParam(QStringLiteral("ORDINAMENTO"),
                               Ordinamento.ValoreOrdinamento(campo->fieldName()));
            inserisci.setParam(QStringLiteral("VISIBILE"), ColonnaVisibile(i) ? 1 : 0);
            inserisci.setParam(QStringLiteral("COLORECOLONNA"), ColoreColonna(i));
            inserisci.setParam(QStringLiteral("ORIGINE"), campo->origin().toUpper());
            inserisci.execute();
        }
    }
    transazione.commit();
}

void TVEKGrid::CaricaAspetto() {
    Dataset* dati = dataset();
    if (!dati || !dati->active()) {
        // The host rebuilds the SQL before reopening: the search stays in force.
        if (query_ && !query_->active() && !CondizioneRicerca.isEmpty())
            query_->sql() << CondizioneRicerca;
        return;
    }
    // The order of a table counts from its next opening: the search gives its own meanwhile.
    const QString campiOrdinamento = Ordinamento.CampiOrdinamento();
    if (tabella_ && !campiOrdinamento.isEmpty() && !formRicerca_)
        tabella_->setIndexFieldNames(campiOrdinamento);
    if (db::Database* database = databaseImpostazioni()) {
        const AspettoMemorizzato memorizzato = leggiAspetto(*database, false);
        // Each row on its own: a field the answer no longer has, or a position
        // beyond the columns, leaves the others to apply.
        for (const RigaAspettoGriglia& riga : memorizzato.righe) {
            try {
                dati->fieldByName(riga.NomeCampo)->setIndex(riga.Posizione);
            } catch (const std::exception&) {
            }
        }
        for (const RigaAspettoGriglia& riga : memorizzato.righe) {
            try {
                applicaRigaAspetto(riga);
            } catch (const std::exception&) {
            }
        }
    }
    if (memoria_)
        ordinaMemoria();
    coloraColonnaOrdinamento();
    if (tabella_) {
        ricostruisciCampiIndicizzati();
        coloraTitoliIndicizzati();
        coloraColonnaOrdinamento();
    }
}

void TVEKGrid::applicaRigaAspetto(const RigaAspettoGriglia& riga) {
    const int colonna = riga.Posizione;
    SetLarghezzaColonna(colonna, riga.Larghezza); // throws for a position beyond the columns
    SetTitoloColonna(colonna, riga.NomeColonna);
    SetColoreColonna(colonna, riga.ColoreColonna == 0 ? Colore() : riga.ColoreColonna);
    SetColonnaVisibile(colonna, riga.Visibile);
}

void TVEKGrid::ricostruisciCampiIndicizzati() {
    QStringList campi;
    for (const IndexDef& indice : tabella_->indexDefs())
        campi << indice.fields;
    CampiIndicizzati = campi.join(u';');
}

} // namespace mavo
