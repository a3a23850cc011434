#include "context/DataModuleMavo.h"
#include "context/TabXForm.h"
#include "entry/Entry.h"
#include "grid/VEKGrid.h"
#include "host/demo/DemoEnvironment.h"
#include "netprices/ui/SincroPrezziNettiForm.h"
#include "platform/ScriptedInterazione.h"
#include "support/TestDb.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mavo;
using namespace mavo::test;
using Kind = ScriptedInterazione::Kind;
using Message = ScriptedInterazione::Message;

namespace {

struct CasoFinestra {
    std::string nome;
    bool listino;
    QList<Message> messaggi;
    int progetto; // the key the window's placement is stored under
};
void PrintTo(const CasoFinestra& c, std::ostream* os) {
    *os << c.nome;
}

class FinestraIngresso : public ::testing::TestWithParam<CasoFinestra> {
protected:
    void SetUp() override {
        qputenv("MAVO_HOST_DIR", host.path().toLocal8Bit());
        ambiente = CreaAmbienteDemo(host.path());
    }
    void TearDown() override { qunsetenv("MAVO_HOST_DIR"); }

    static QList<TSincroPrezziNettiForm*> finestreAperte() {
        QList<TSincroPrezziNettiForm*> finestre;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* finestra = qobject_cast<TSincroPrezziNettiForm*>(w))
                finestre << finestra;
        return finestre;
    }

    QTemporaryDir host;
    AmbienteDemo ambiente;
    ScriptedInterazione port;
};

TEST_P(FinestraIngresso, OpensTheWindowWhichFreesTheCallOnceWhenItCloses) {
    const CasoFinestra& caso = GetParam();
    if (!caso.listino) {
        ASSERT_TRUE(QFile::remove(ambiente.listino));
    }
    const auto utenti = ApriOCreaDatabaseDemo(ambiente.utenti);
    const int id = RegistraAperturaFinestra(*utenti, UtenteDemo, "SincroPrezziNetti");

    ASSERT_EQ(ApriSincroPrezziNetti(port, UtenteDemo, id), 0);
    EXPECT_EQ(port.messages(), caso.messaggi);
    const QList<TSincroPrezziNettiForm*> finestre = finestreAperte();
    ASSERT_EQ(finestre.size(), 1);
    QPointer<TSincroPrezziNettiForm> finestra = finestre.first();
    EXPECT_TRUE(finestra->isVisible());
    EXPECT_TRUE(finestra->AperturaEsterna());
    EXPECT_TRUE(finestra->QueryAnteprima.active());
    // F8 in its preview (and in any grid) opens the query tool.
    EXPECT_TRUE(TVEKGrid::ApriQueryInstallata());
    EXPECT_EQ(scalarOn(*utenti, "SELECT HANDLEFINESTRA FROM ZENTRILOGFUNZ WHERE IDFINESTRA=" +
                                    QString::number(id))
                  .toString()
                  .trimmed(),
              QString::number(finestra->winId()));

    int moduli = 0;
    int contesti = 0;
    QObject::connect(&finestra->DataModule(), &QObject::destroyed, [&] { ++moduli; });
    QObject::connect(&finestra->DataModule().Contesto, &QObject::destroyed, [&] { ++contesti; });
    finestra->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(finestra.isNull());
    EXPECT_EQ(moduli, 1);
    EXPECT_EQ(contesti, 1);
    const auto archivio = ApriOCreaDatabaseDemo(ambiente.archivio);
    EXPECT_EQ(scalarOn(*archivio, "SELECT COUNT(*) FROM STOPOS1 WHERE CODICEUTENTE=1 AND "
                                  "CODICEPROGETTO=" +
                                      QString::number(caso.progetto))
                  .toInt(),
              1);
}

INSTANTIATE_TEST_SUITE_P(
    Finestra, FinestraIngresso,
    ::testing::Values(CasoFinestra{"BothArchives", true, {}, 528},
                      CasoFinestra{"NoPriceList",
                                   false,
                                   {{Kind::Avviso, "Attenzione: il listone non è stato trovato.\r\n"
                                                   "Impossibile procedere"}},
                                   0}),
    [](const auto& info) { return info.param.nome; });

} // namespace
