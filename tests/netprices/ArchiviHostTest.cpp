#include "ArchiviNetti.h"

#include "netprices/ApplicazioneNetti.h"
#include "netprices/DestinazioneNetti.h"
#include "netprices/ImportazioneNetti.h"
#include "platform/Cp1252.h"

namespace mavo::test {
namespace {

// The archives as the host's Windows programs keep them: default character
// set NONE, Windows-1252 bytes.
class ArchiviHostTest : public ArchiviNetti {
protected:
    ArchiviHostTest() : ArchiviNetti(TestDb::Kind::Host) {}

    bool importa(const QByteArray& file) {
        port = ScriptedInterazione();
        port.queueFile(scriviFile(file));
        return ImportazioneNetti(*contesto, port).Esegui();
    }
};

const QByteArray Intestazione = "Codice;Descrizione;Prezzo;Lordo;Tipo\r\n";
const QByteArray Bom = "\xEF\xBB\xBF";
const QString Descrizione50 = QString::fromUtf8("Caffè già tostato € ").repeated(3).left(50);
const QString CodiceAccentato30(30, u'è');

struct RigaHost {
    const char* caso;
    QByteArray righe; // after the header; UTF-8 when they start with a byte order mark
    QStringList memo; // the beginning of each line before the total
    std::vector<Netto> acquisite;
};
const RigaHost righeHost[] = {
    {"Descrizione50Accentata",
     toCp1252(QStringLiteral("A1;") + Descrizione50 + QStringLiteral(";1,00;;NETTO")),
     {},
     {{"A1", Descrizione50, 1}}},
    {"Descrizione51Troncata",
     toCp1252(QStringLiteral("A1;") + Descrizione50 + QStringLiteral("X;1,00;;NETTO")),
     {"Riga 2: Descrizione non può superare i 50 car., \"" + Descrizione50 +
      "X\" da 51 car. - verrà troncata"},
     {{"A1", Descrizione50, 1}}},
    {"Codice30Accentato",
     toCp1252(CodiceAccentato30 + QStringLiteral(";Vite;1,00;;NETTO")),
     {},
     {{CodiceAccentato30, "Vite", 1}}},
    {"FuoriDaWindows1252",
     Bom + QString::fromUtf8("A1;Rubinetto 中;1,00;;NETTO\r\nA2;Dado;2,00;;NETTO").toUtf8(),
     {"Riga 2 scartata: Errore durante l'acquisizione",
      "Carattere non rappresentabile nell'archivio\n"},
     {{"A2", "Dado", 2}}},
};

TEST_F(ArchiviHostTest, RigheAcquisiteNellArchivioWindows1252) {
    for (const RigaHost& caso : righeHost) {
        SCOPED_TRACE(caso.caso);
        const bool utf8 = caso.righe.startsWith(Bom);
        ASSERT_TRUE(importa(utf8 ? Bom + Intestazione + caso.righe.sliced(Bom.size()) + "\r\n"
                                 : Intestazione + caso.righe + "\r\n"));
        const QStringList memo = port.summary();
        ASSERT_EQ(memo.size(), caso.memo.size() + 1) << memo.join(" | ").toStdString();
        for (int i = 0; i < caso.memo.size(); ++i)
            EXPECT_TRUE(memo[i].startsWith(caso.memo[i])) << memo[i].toStdString();
        EXPECT_EQ(memo.last(),
                  QStringLiteral("Totale righe acquisite: %1").arg(caso.acquisite.size()));
        EXPECT_EQ(netti(), caso.acquisite);
    }
}

// The code the host wrote with an acute accent is the one a supplier's
// apostrophe becomes; what we stage is the bytes the host's programs read.
TEST_F(ArchiviHostTest, CodiceDellHostTrovatoEScrittoComeLoScriveLui) {
    listino.isql("INSERT INTO LISTINO(ID, CODICEFORN, CODICE, DESCRIZIONE, PRLISTINO, PRACQNETTO,"
                 " NETPIUONER, PREZZOVEN, PERCRICVEN)"
                 " VALUES(1, '2197', 'L´A', 'Caffè € 1 kg', 10, 10, 10, 14, 40);");
    const QString descrizione = QString::fromUtf8("Caffè € macinato");
    ASSERT_TRUE(importa(Intestazione + toCp1252(QStringLiteral("L'A;") + descrizione +
                                                QStringLiteral(";12,50;;NETTO\r\n"))));
    EXPECT_EQ(port.summary(), QStringList{"Totale righe acquisite: 1"});
    EXPECT_EQ(ditta
                  .isql("SET LIST ON; SELECT CAST(CODICE AS VARCHAR(30) CHARACTER SET OCTETS) AS C,"
                        " CAST(DESCRIZIONE AS VARCHAR(50) CHARACTER SET OCTETS) AS D"
                        " FROM MANUTENZIONENETTI;")
                  .simplified(),
              "C " + toCp1252(QString::fromUtf8("L´A")).toHex().toUpper() + " D " +
                  toCp1252(descrizione).toHex().toUpper());

    port.queueConferma(true);
    ASSERT_TRUE(ApplicazioneNetti(*contesto, port, DestinazioneNetti::Listone()).Esegui());
    EXPECT_TRUE(port.summary().contains("- Numero record aggiornati con 9999999: 1"))
        << port.summary().join(" | ").toStdString();
    EXPECT_EQ(listino
                  .isql("SET LIST ON; SELECT ID, PRACQNETTO, PREZZOVEN, DESCRIZIONE FROM LISTINO"
                        " WHERE CODICE='L´A';")
                  .simplified(),
              QString::fromUtf8("ID 1 PRACQNETTO 12.50000 PREZZOVEN 9999999.00000 "
                                "DESCRIZIONE Caffè € 1 kg"));
}

} // namespace
} // namespace mavo::test
