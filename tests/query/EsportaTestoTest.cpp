#include "ArchivioEsportazione.h"

#include "platform/IoError.h"
#include "query/esporta/RtfInChiaro.h"

#include <functional>

namespace mavo::test {
namespace {

using Testo = ArchivioEsportazione;

// Windows-1252: è is E8, € is 80.
TEST_F(Testo, LinesByteByByte) {
    const struct {
        const char* caso;
        std::function<void(OpzioniEsportazione&, Risposta&)> imposta;
        QByteArray atteso;
    } casi[] = {
        {"separati", [](OpzioniEsportazione&, Risposta&) {},
         "COD;DESCR;PREZZO;DATA;NOTE;QTA\r\n"
         "1;Caff\xE8 \x80;1234,50;05/01/2024;riga uno;3\r\n"
         "2;;;;;\r\n"
         "3;T\xE8;-0,50;31/12/1999;x;1234567,891\r\n"},
        {"lunghezza fissa",
         [](OpzioniEsportazione& o, Risposta&) {
             o.LunghezzaFissa = true;
             o.Separatore = "|";
         },
         "COD       |DESCR               |PREZZO    |DATA      |NOTE      |QTA       \r\n"
         "1         |Caff\xE8 \x80             |1234,50   |05/01/2024|riga uno  |3         \r\n"
         "2         |                    |          |          |          |          \r\n"
         "3         |T\xE8                  |-0,50     |31/12/1999|x         |1234567,891\r\n"},
        {"senza intestazioni",
         [](OpzioniEsportazione& o, Risposta&) { o.SaltaIntestazioni = true; },
         "1;Caff\xE8 \x80;1234,50;05/01/2024;riga uno;3\r\n"
         "2;;;;;\r\n"
         "3;T\xE8;-0,50;31/12/1999;x;1234567,891\r\n"},
        {"ultimo campo nascosto: ogni riga finisce col separatore",
         [](OpzioniEsportazione&, Risposta& r) { r.Dati().fieldByName("QTA")->setVisible(false); },
         "COD;DESCR;PREZZO;DATA;NOTE;\r\n"
         "1;Caff\xE8 \x80;1234,50;05/01/2024;riga uno;\r\n"
         "2;;;;;\r\n"
         "3;T\xE8;-0,50;31/12/1999;x;\r\n"},
        {"memo estesi col tag",
         [](OpzioniEsportazione& o, Risposta&) {
             o.MemoEstesi = true;
             o.Tag = "<BR>";
         },
         "COD;DESCR;PREZZO;DATA;NOTE;QTA\r\n"
         "1;Caff\xE8 \x80;1234,50;05/01/2024;riga uno<BR>riga, due;3\r\n"
         "2;;;;;\r\n"
         "3;T\xE8;-0,50;31/12/1999;x;1234567,891\r\n"},
        {"raggruppamento 1 e 2, allineati a destra",
         [](OpzioniEsportazione&, Risposta& r) {
             r.Codici().AggTipoRaggruppamento(2, u'1');
             r.Codici().AggTipoRaggruppamento(5, u'2');
         },
         "COD;DESCR;PREZZO;DATA;NOTE;QTA\r\n"
         "1;Caff\xE8 \x80;  1.234,50;05/01/2024;riga uno;         3\r\n"
         "2;;;;;\r\n"
         "3;T\xE8;     -0,50;31/12/1999;x; 1.234.568\r\n"},
        {"colonne strette: testi tagliati, numeri e date mai",
         [](OpzioniEsportazione&, Risposta& r) {
             for (const char* nome : {"DESCR", "PREZZO", "DATA"}) {
                 Field* f = r.Dati().fieldByName(nome);
                 f->setDisplayLabel("X");
                 f->setDisplayWidth(2);
             }
         },
         "COD;DE;PR;DA;NOTE;QTA\r\n"
         "1;Ca;1234,50;05/01/2024;riga uno;3\r\n"
         "2;;;;;\r\n"
         "3;T\xE8;-0,50;31/12/1999;x;1234567,891\r\n"},
        {"colonne spostate",
         [](OpzioniEsportazione&, Risposta& r) {
             r.Dati().fieldByName("QTA")->setIndex(0);
             r.Dati().fieldByName("NOTE")->setVisible(false);
         },
         "QTA;COD;DESCR;PREZZO;DATA;\r\n"
         "3;1;Caff\xE8 \x80;1234,50;05/01/2024;\r\n"
         ";2;;;;\r\n"
         "1234567,891;3;T\xE8;-0,50;31/12/1999;\r\n"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.caso);
        risposta.Codici() = {}; // kept between runs of one answer
        apri();
        OpzioniEsportazione o = opzioni(TipoExport::Testo, "art.txt");
        c.imposta(o, risposta);
        ASSERT_TRUE(esportazione.EsportaNuovo(o));
        EXPECT_EQ(contenuto("art.txt"), c.atteso);
        // The earlier routine writes the same lines.
        ASSERT_TRUE(esportazione.EsportaVecchio(o));
        EXPECT_EQ(contenuto("art.txt"), c.atteso);
    }
}

TEST_F(Testo, ProgressAndMessages) {
    apri();
    OpzioniEsportazione o = opzioni(TipoExport::Testo, "art.txt");
    ASSERT_TRUE(esportazione.EsportaNuovo(o));
    o.Esito = 8; // "Apri Excel": no message, the program follows
    ASSERT_TRUE(esportazione.EsportaNuovo(o));
    EXPECT_EQ(port.messages(),
              QList<ScriptedInterazione::Message>(
                  {{ScriptedInterazione::Kind::Informazione, "EXPORT SU FILE TERMINATO !!!"}}));
    const auto finestre = port.progressLogs();
    ASSERT_EQ(finestre.size(), 2);
    EXPECT_EQ(finestre[0].messages, QStringList({"Avanzamento"}));
    EXPECT_EQ(finestre[0].percent, 100);
    EXPECT_EQ(finestre[0].percentChanges, 3); // 33, 67, 100
    EXPECT_EQ(finestre[0].shown, 1);
    EXPECT_EQ(esportazione.FileEsportato(), cartella.filePath("art.txt"));
}

TEST_F(Testo, AFileThatCannotBeWrittenIsAnErrorAndAnEarlierFileStays) {
    apri();
    OpzioniEsportazione o = opzioni(TipoExport::Testo, "art.txt");
    ASSERT_TRUE(esportazione.EsportaNuovo(o));
    o.NomeFile = "nessuna/cartella/art.txt";
    EXPECT_THROW(esportazione.EsportaNuovo(o), IoError);
    // A value the connection cannot read midway: nothing half-written.
    risposta.Query().sql() =
        QStringList{"SELECT COD, DESCR, PREZZO, DATA, NOTE, 1/(COD-2) AS QTA FROM ART"};
    o.NomeFile = "art.txt";
    EXPECT_ANY_THROW(esportazione.EsportaNuovo(o));
    EXPECT_TRUE(contenuto("art.txt").startsWith("COD;DESCR;"));
}

TEST(RtfInChiaro, PlainTextOfAMemo) {
    const struct {
        const char* rtf;
        const char* testo;
    } casi[] = {
        {"non RTF: com\xC2\xB4\xC3\xA8", "non RTF: com'\xC3\xA8"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
         "\\f0\\fs20 Prezzo \\'e8 \\b ok\\b0\\par seconda riga}",
         "Prezzo \xC3\xA8 ok\r\nseconda riga"},
        {"{\\rtf1{\\*\\generator Msftedit;}l\xC2\xB4unico \\u8364? euro\\tab fine\\par}",
         "l'unico \xE2\x82\xAC euro\tfine\r\n"},
        {"{\\rtf1 graffe \\{ e \\} e \\\\}", "graffe { e } e \\"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(EsportaRTFInChiaro(QString::fromUtf8(c.rtf)), QString::fromUtf8(c.testo))
            << c.rtf;
}

} // namespace
} // namespace mavo::test
