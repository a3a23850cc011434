#include "ArchivioGriglia.h"

#include <QHeaderView>
#include <functional>

using namespace mavo;
using namespace mavo::test;

namespace {

class AspettoGriglia : public ArchivioGriglia {
protected:
    QStringList nomiMemorizzati(int situazione = SituazioneProva) {
        QStringList nomi;
        for (const QVariantHash& riga : righeAspetto(situazione))
            nomi << riga.value("NOMECAMPO").toString();
        return nomi;
    }
};

TEST_F(AspettoGriglia, MovedColumnsAreStoredAndRestored) {
    auto griglia = nuovaGriglia(*query);
    query->open();
    trascinaTitolo(*griglia, 3, 0);
    ASSERT_EQ(query->fieldNames(), QStringList({"QTA", "CODICE", "DESCRIZIONE", "PREZZO"}));
    for (int c = 0; c < 4; ++c) // the header shows the fields' order
        ASSERT_EQ(griglia->horizontalHeader()->visualIndex(c), c);
    griglia->SetLarghezzaColonna(1, 77);
    griglia->SetTitoloColonna(2, "Descrizione articolo");
    griglia->SetColoreColonna(3, 0x00C0FFC0);
    griglia->SetLarghezzaColonna(0, 45);
    griglia->SetColonnaVisibile(0, false);
    QVector<int> larghezze;
    for (int c = 0; c < griglia->NumeroColonne(); ++c)
        larghezze << griglia->LarghezzaColonna(c);
    griglia->SalvaAspetto();
    query->close();

    const QVector<QVariantHash> righe = righeAspetto();
    ASSERT_EQ(righe.size(), 4);
    EXPECT_EQ(nomiMemorizzati(), QStringList({"QTA", "CODICE", "DESCRIZIONE", "PREZZO"}));
    for (int i = 0; i < righe.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(righe[i].value("POSIZIONE"), i);
        EXPECT_EQ(righe[i].value("LARGHEZZA"), larghezze[i]);
        EXPECT_TRUE(righe[i].value("ORDINAMENTO").isNull());
    }
    EXPECT_EQ(righe[0].value("LARGHEZZA"), 45); // a hidden column keeps its width
    EXPECT_EQ(righe[0].value("VISIBILE"), 0);
    EXPECT_EQ(righe[1].value("VISIBILE"), 1);
    EXPECT_EQ(righe[1].value("ORIGINE"), "ARTICOLI.CODICE");
    EXPECT_EQ(righe[2].value("NOMECOLONNA"), "Descrizione articolo");
    EXPECT_EQ(righe[3].value("COLORECOLONNA").toLongLong(), 0x00C0FFC0);

    // The window opens again the next day.
    griglia.reset();
    auto domani = nuovaQuery();
    auto nuova = nuovaGriglia(*domani);
    domani->open();
    EXPECT_EQ(domani->fieldNames(), QStringList({"QTA", "CODICE", "DESCRIZIONE", "PREZZO"}));
    for (int c = 0; c < nuova->NumeroColonne(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(nuova->LarghezzaColonna(c), larghezze[c]);
        EXPECT_EQ(nuova->ColonnaVisibile(c), c != 0);
        EXPECT_EQ(nuova->horizontalHeader()->isSectionHidden(c), c == 0);
        if (c != 0) {
            EXPECT_EQ(nuova->horizontalHeader()->sectionSize(c), larghezze[c]);
        }
    }
    EXPECT_EQ(nuova->TitoloColonna(2), "Descrizione articolo");
    EXPECT_EQ(nuova->TitoloColonna(1), "CODICE");
    EXPECT_EQ(nuova->ColoreColonna(3), 0x00C0FFC0);
    EXPECT_EQ(nuova->ColoreColonna(1), nuova->Colore());
}

TEST_F(AspettoGriglia, WidthsSurviveALaterColumnMove) {
    auto griglia = nuovaGriglia(*query);
    query->open();
    griglia->SetLarghezzaColonna(0, 140);
    griglia->SetLarghezzaColonna(1, 60);
    griglia->SetColonnaVisibile(2, false);
    trascinaTitolo(*griglia, 0, 3);
    ASSERT_EQ(query->fieldNames(), QStringList({"DESCRIZIONE", "PREZZO", "QTA", "CODICE"}));
    const struct {
        int colonna, larghezza;
        bool nascosta;
    } attese[] = {{0, 60, false}, {1, -1, true}, {3, 140, false}};
    QHeaderView* titoli = griglia->horizontalHeader();
    for (const auto& a : attese) {
        SCOPED_TRACE(a.colonna);
        EXPECT_EQ(titoli->isSectionHidden(a.colonna), a.nascosta);
        if (!a.nascosta) {
            EXPECT_EQ(titoli->sectionSize(a.colonna), a.larghezza);
        }
    }
}

TEST_F(AspettoGriglia, RowsThatNoLongerFitAreSkipped) {
    memorizzaRiga("SPARITO", 0, 50, "Campo tolto");
    memorizzaRiga("CODICE", 2, 90, "Cod.");
    memorizzaRiga("PREZZO", 0, 70, "Prezzo");
    memorizzaRiga("QTA", 99, 60, "Oltre le colonne");
    auto griglia = nuovaGriglia(*query);
    EXPECT_NO_THROW(query->open());
    const int codice = query->fieldByName("CODICE")->index();
    EXPECT_EQ(query->fieldByName("PREZZO")->index(), 0);
    EXPECT_EQ(griglia->LarghezzaColonna(codice), 90);
    EXPECT_EQ(griglia->TitoloColonna(codice), "Cod.");
    EXPECT_EQ(griglia->TitoloColonna(0), "Prezzo");
    EXPECT_EQ(griglia->TitoloColonna(query->fieldByName("QTA")->index()), "QTA");
}

TEST_F(AspettoGriglia, WritesOnlyWhenTheLayoutChanged) {
    using Modifica = std::function<void(TVEKGrid&)>;
    const struct {
        const char* caso;
        Modifica modifica;
        bool scrive;
    } casi[] = {
        {"nessuna modifica", [](TVEKGrid&) {}, false},
        {"larghezza", [](TVEKGrid& g) { g.SetLarghezzaColonna(1, g.LarghezzaColonna(1) + 5); },
         true},
        {"ordine", [](TVEKGrid& g) { g.CampoColonna(3)->setIndex(0); }, true},
        {"titolo", [](TVEKGrid& g) { g.SetTitoloColonna(0, "Codice"); }, true},
        {"colore", [](TVEKGrid& g) { g.SetColoreColonna(2, clGiallo); }, true},
        {"visibilita", [](TVEKGrid& g) { g.SetColonnaVisibile(2, false); }, true},
        {"ordinamento",
         [](TVEKGrid& g) {
             g.Ordinamento.ModoOrdinamento = 1;
             g.Ordinamento.CampoOrdinamento = "PREZZO";
         },
         true},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        archivio.exec("DELETE FROM STOASP1");
        auto dati = nuovaQuery();
        auto griglia = nuovaGriglia(*dati);
        dati->open();
        griglia->SalvaAspetto();
        const int prima = scrittureAspetto();
        c.modifica(*griglia);
        griglia->SalvaAspetto();
        EXPECT_EQ(scrittureAspetto() > prima, c.scrive);
    }
}

TEST_F(AspettoGriglia, StoresTheSortOnItsKeys) {
    const auto chiave = [](const char* nome, int colonna, int verso) {
        return ChiaveOrdinamento{nome, QStringLiteral("ARTICOLI.") + nome, colonna, verso};
    };
    const struct {
        const char* caso;
        int modo;
        QString campo;
        int verso;
        QVector<ChiaveOrdinamento> chiavi;
        QVariantList attesi; // CODICE, DESCRIZIONE, PREZZO, QTA
    } casi[] = {
        {"nessuno", 0, "", 1, {}, {QVariant(), QVariant(), QVariant(), QVariant()}},
        {"una chiave crescente", 1, "DESCRIZIONE", 1, {}, {QVariant(), 1, QVariant(), QVariant()}},
        {"una chiave decrescente", 1, "QTA", 2, {}, {QVariant(), QVariant(), QVariant(), 2}},
        {"piu chiavi",
         2,
         "",
         1,
         {chiave("PREZZO", 2, 1), chiave("CODICE", 0, 2), chiave("QTA", 3, 1)},
         {-20, QVariant(), 10, 30}},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        archivio.exec("DELETE FROM STOASP1");
        auto dati = nuovaQuery();
        auto griglia = nuovaGriglia(*dati);
        dati->open();
        griglia->Ordinamento.ModoOrdinamento = c.modo;
        griglia->Ordinamento.CampoOrdinamento = c.campo;
        griglia->Ordinamento.VersoOrdinamento = c.verso;
        griglia->Ordinamento.ChiaviOrdinamento = c.chiavi;
        griglia->SalvaAspetto();
        const QVector<QVariantHash> righe = righeAspetto();
        ASSERT_EQ(righe.size(), 4);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(righe[i].value("ORDINAMENTO").isNull(), c.attesi[i].isNull());
            if (!c.attesi[i].isNull()) {
                EXPECT_EQ(righe[i].value("ORDINAMENTO").toInt(), c.attesi[i].toInt());
            }
        }
    }
}

TEST_F(AspettoGriglia, CutsNamesAndTitlesToTheirColumns) {
    archivio.exec({"CREATE TABLE STOASPCORTO(CODICEPROGETTO INTEGER, CODICESITUAZIONE INTEGER, "
                   "CODICEUTENTE INTEGER, NOMECAMPO VARCHAR(6), LARGHEZZA INTEGER, "
                   "POSIZIONE INTEGER, NOMECOLONNA VARCHAR(40), ORDINAMENTO INTEGER, "
                   "VISIBILE INTEGER, COLORECOLONNA BIGINT, ORIGINE VARCHAR(63))",
                   "CREATE TRIGGER STOASPCORTO_SCRITTURE FOR STOASPCORTO AFTER INSERT OR "
                   "DELETE AS BEGIN UPDATE SCRITTURE SET N = N + 1; END"});
    auto griglia = std::make_unique<TVEKGrid>();
    griglia->TabellaAspettoGriglia = "STOASPCORTO";
    griglia->Utente = UtenteProva;
    griglia->CodiceProgetto = ProgettoProva;
    griglia->SetSituazione(SituazioneProva);
    griglia->setDataset(query.get());
    griglia->SetSorgenteDati(query.get());
    query->open();
    const QString titolo = "Descrizione estesa dell'articolo";
    griglia->SetTitoloColonna(1, titolo);
    griglia->SalvaAspetto();

    const QVector<QVariantHash> righe = righeAspetto(SituazioneProva, "STOASPCORTO");
    ASSERT_EQ(righe.size(), 4);
    EXPECT_EQ(righe[1].value("NOMECAMPO"), "DESCRI");
    EXPECT_EQ(righe[1].value("NOMECOLONNA"), titolo.left(25));
    // Compared as stored, the cut names are no difference.
    const int prima = scrittureAspetto();
    griglia->SalvaAspetto();
    EXPECT_EQ(scrittureAspetto(), prima);
}

TEST_F(AspettoGriglia, AClosedQueryKeepsTheSearchCondition) {
    auto griglia = nuovaGriglia(*query);
    griglia->CaricaAspetto();
    EXPECT_EQ(query->sql(), QStringList({"SELECT * FROM \"ARTICOLI\""}));

    griglia->CondizioneRicerca = "WHERE(ARTICOLI.CODICE >= 'B')";
    griglia->CaricaAspetto();
    EXPECT_EQ(query->sql(),
              QStringList({"SELECT * FROM \"ARTICOLI\"", "WHERE(ARTICOLI.CODICE >= 'B')"}));
    query->open();
    EXPECT_EQ(query->recordCount(), 2);
}

} // namespace
