#include "common/Testo.h"
#include "Casi.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace mavo {
namespace {

using test::NomeCaso;

struct CasoRiga {
    const char* nome;
    QString sorgente;
    qsizetype inizio;
    int larghezza;
    QString riga;
    qsizetype consumati;
};
void PrintTo(const CasoRiga& c, std::ostream* os) {
    *os << c.nome;
}

class EstraiRigaTest : public testing::TestWithParam<CasoRiga> {};

TEST_P(EstraiRigaTest, TagliaAlloSpazio) {
    const CasoRiga& c = GetParam();
    const RigaEstratta r = EstraiRiga(c.sorgente, c.inizio, c.larghezza);
    EXPECT_EQ(r.riga, c.riga);
    EXPECT_EQ(r.consumati, c.consumati);
    EXPECT_LE(r.riga.size(), std::max(c.larghezza, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Casi, EstraiRigaTest,
    testing::Values(CasoRiga{"ParolaSuccessivaNonCiSta", "abc de fgh", 0, 6, "abc de", 7},
                    CasoRiga{"UltimaRiga", "abc de fgh", 7, 6, "fgh", 3},
                    CasoRiga{"ParolaPiuLungaDellaLarghezza", "abcdefgh", 0, 3, "abc", 3},
                    CasoRiga{"ParolaLungaDopoUnaCorta", "ab cdefgh", 0, 4, "ab", 3},
                    CasoRiga{"RestoDellaParolaLunga", "abcdefgh", 3, 3, "def", 3},
                    CasoRiga{"TuttoCiSta", "ab cd", 0, 10, "ab cd", 5},
                    CasoRiga{"AcapoCrLf", "ab\r\ncd", 0, 10, "ab", 4},
                    CasoRiga{"RigaVuotaCrLf", "\r\ncd", 0, 10, "", 2},
                    CasoRiga{"CrSenzaLf", "ab\rcd", 0, 10, "ab", 3},
                    CasoRiga{"CrAllaFine", "ab\r", 0, 10, "ab", 3},
                    CasoRiga{"DueSpazi", "a  b", 0, 10, "a  b", 4},
                    CasoRiga{"SpazioCheRiempieLaRiga", "abc d", 0, 4, "abc", 4},
                    CasoRiga{"FineTesto", "abc", 3, 5, "", 0},
                    CasoRiga{"InizioOltreLaFine", "abc", 9, 5, "", 0},
                    CasoRiga{"LarghezzaZero", "abc", 0, 0, "a", 1}),
    NomeCaso());

TEST(EstraiRiga, IlCicloDelChiamanteCopreTuttoIlTesto) {
    const QString testo = QStringLiteral("uno due tre\r\nquattrocinque sei");
    QStringList righe;
    for (qsizetype inizio = 0; inizio < testo.size();) {
        const RigaEstratta r = EstraiRiga(testo, inizio, 8);
        righe << r.riga;
        inizio += r.consumati;
    }
    EXPECT_EQ(righe, QStringList({"uno due", "tre", "quattroc", "inque", "sei"}));
}

TEST(LunghezzaParola, FinoAlloSpazioAlCrOAlMassimo) {
    EXPECT_EQ(LunghezzaParola(u"ab cd", 0, 10), 2);
    EXPECT_EQ(LunghezzaParola(u"abcd\r\n", 1, 10), 3);
    EXPECT_EQ(LunghezzaParola(u"abcdef", 0, 4), 4);
    EXPECT_EQ(LunghezzaParola(u"ab", 2, 4), 0);
}

struct CasoTesto {
    const char* nome;
    QString (*funzione)(const QString&);
    QString ingresso;
    QString atteso;
};
void PrintTo(const CasoTesto& c, std::ostream* os) {
    *os << c.nome;
}

class TrasformazioniTest : public testing::TestWithParam<CasoTesto> {};

TEST_P(TrasformazioniTest, Risultato) {
    const CasoTesto& c = GetParam();
    EXPECT_EQ(c.funzione(c.ingresso), c.atteso);
}

QString allinea5(const QString& t) {
    return AllineaADestra(t, 5);
}
QString allinea2(const QString& t) {
    return AllineaADestra(t, 2);
}
QString allinea3(const QString& t) {
    return AllineaADestra(t, 3);
}
QString allinea0(const QString& t) {
    return AllineaADestra(t, 0);
}
QString togliACapo(const QString& t) {
    return TogliACapo(t);
}
QString togliSpazi(const QString& t) {
    return TogliSpazi(t);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, TrasformazioniTest,
    testing::Values(CasoTesto{"AllineaPiuCorto", allinea5, "ABC", "  ABC"},
                    CasoTesto{"AllineaPiuLungo", allinea2, "ABC", "AB"},
                    CasoTesto{"AllineaUguale", allinea3, "ABC", "ABC"},
                    CasoTesto{"AllineaLarghezzaZero", allinea0, "ABC", ""},
                    CasoTesto{"SpaziFinali", TogliSpaziFinali, " a b  ", " a b"},
                    CasoTesto{"SoloSpazi", TogliSpaziFinali, "   ", ""},
                    CasoTesto{"TabFinaleResta", TogliSpaziFinali, "a\t ", "a\t"},
                    CasoTesto{"ACapoDiventaSpazio", togliACapo, "a\r\nb\nc\rd", "a  b c d"},
                    CasoTesto{"TogliSpazi", togliSpazi, " a b\tc ", "ab\tc"}),
    NomeCaso());

struct CasoNumero {
    const char* nome;
    QString (*funzione)(double);
    double numero;
    QString atteso;
};
void PrintTo(const CasoNumero& c, std::ostream* os) {
    *os << c.nome;
}

class FormattazioneTest : public testing::TestWithParam<CasoNumero> {};

TEST_P(FormattazioneTest, Risultato) {
    const CasoNumero& c = GetParam();
    EXPECT_EQ(c.funzione(c.numero), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, FormattazioneTest,
    testing::Values(CasoNumero{"ImportoConMigliaia", FormattaImporto, 1234.5, "1.234,50"},
                    CasoNumero{"ImportoZeroVuoto", FormattaImporto, 0, ""},
                    CasoNumero{"ImportoNegativo", FormattaImporto, -1234567.891, "-1.234.567,89"},
                    CasoNumero{"ImportoPiccolo", FormattaImporto, 0.5, "0,50"},
                    CasoNumero{"InteroConMigliaia", FormattaIntero, 1234567, "1.234.567"},
                    CasoNumero{"InteroArrotondato", FormattaIntero, 2.5, "3"},
                    CasoNumero{"InteroZeroVuoto", FormattaIntero, 0, ""}),
    NomeCaso());

struct CasoCampo {
    const char* nome;
    QString testo;
    int posizione;
    QString atteso;
};
void PrintTo(const CasoCampo& c, std::ostream* os) {
    *os << c.nome;
}

class EstraiCampoTest : public testing::TestWithParam<CasoCampo> {};

TEST_P(EstraiCampoTest, Campo) {
    const CasoCampo& c = GetParam();
    EXPECT_EQ(EstraiCampo(c.testo, c.posizione, u';'), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Casi, EstraiCampoTest,
                         testing::Values(CasoCampo{"Primo", "a;b;c", 1, "a"},
                                         CasoCampo{"Mezzo", "a;b;c", 2, "b"},
                                         CasoCampo{"UltimoFinoAFineRiga", "a;b;c d ", 3, "c d "},
                                         CasoCampo{"VuotoInMezzo", "a;;c", 2, ""},
                                         CasoCampo{"DopoIlVuoto", "a;;c", 3, "c"},
                                         CasoCampo{"VuotoDopoSeparatoreFinale", "a;b;", 3, ""},
                                         CasoCampo{"SenzaSeparatorePrimo", "x", 1, "x"},
                                         CasoCampo{"SenzaSeparatoreSecondo", "x", 2, ""},
                                         CasoCampo{"PosizioneZero", "a;b", 0, ""},
                                         CasoCampo{"OltreUltimo", "a;b", 3, ""},
                                         CasoCampo{"MoltoOltre", "a;b", 255, ""},
                                         CasoCampo{"SpaziNonTolti", " a ; b ", 2, " b "},
                                         CasoCampo{"TestoVuoto", "", 1, ""}),
                         NomeCaso());

TEST(EstraiCampo, SeparatoreQualsiasi) {
    EXPECT_EQ(EstraiCampo(u"a|b;c|d", 2, u'|'), QStringLiteral("b;c"));
}

TEST(EstraiCampoSenzaSpazi, TogliSoloGliSpazi) {
    EXPECT_EQ(EstraiCampoSenzaSpazi(u"x; 1 2\t3 ;y", 2, u';'), QStringLiteral("12\t3"));
    EXPECT_EQ(EstraiCampoSenzaSpazi(u"x; 1 2 ;y", 4, u';'), QString());
}

} // namespace
} // namespace mavo
