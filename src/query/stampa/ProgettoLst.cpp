#include "query/stampa/ProgettoLst.h"

#include "platform/Cp1252.h"
#include "platform/IoError.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace mavo {

namespace {

const QString kSpazio = QStringLiteral(",Space=(1000,500,1000,500),bRTF=FALSE,Text=");

QString tra(const QString& espressione) {
    return kVirgolette + espressione + kVirgolette;
}

QString dueCifre(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString larghezzaColonna(const CampoStampa& campo) {
    return campo.Larghezza < 3 ? QStringLiteral("20000")
                               : QString::number(campo.Larghezza * 2) + QStringLiteral("000");
}

int larghezzaScm(const CampoStampa& campo) {
    return campo.Larghezza < 3 ? 20000 : campo.Larghezza * 2000;
}

QString allineamento(const CampoStampa& campo) {
    return campo.Numerico() ? QStringLiteral(",Align=2") : QString();
}

void descrizione(QStringList& l, const QString& testo, bool standard) {
    l << "[List description]"
      << "[Description]"
      << " Text=" + testo << " FileVersion=3"
      << " Units=SCM-Units"
      << " TextQuote.Start=168"
      << " TextQuote.End=168"
      << " Created=Mavo"
      << " CreatedByApp=Mavo Query"
      << " CreatedByDLL=CMBTL6.DLL [6.042]";
    if (standard)
        l << " CreatedByUser=Mavo";
    l << " LastModified=Mavo"
      << " LastModifiedByApp=Mavo Query"
      << (standard ? " LastModifiedByDLL=CM32L6.DLL [6.042]"
                   : " LastModifiedByDLL=CMBTL6.DLL [6.042]");
    if (standard)
        l << " LastModifiedByUser=Mavo";
}

void impaginazione(QStringList& l, const QString& x, const QString& y, const QString& verso) {
    l << "[Layout]"
      << " P1.Template="
      << " P2.Template="
      << " xOffset=0"
      << " yOffset=0"
      << " xSize=" + x << " ySize=" + y;
    for (const char* p : {" P1.", " P2."})
        l << QString::fromLatin1(p) + "xOffset=0" << QString::fromLatin1(p) + "yOffset=0"
          << QString::fromLatin1(p) + "xSize=" + x << QString::fromLatin1(p) + "ySize=" + y;
    l << " xGrid=1000"
      << " yGrid=1000"
      << " GridShow=FALSE"
      << " GridSnap=FALSE"
      << " PhysicalPage=TRUE"
      << " P1.PhysicalPage=TRUE"
      << " P2.PhysicalPage=TRUE"
      << " Orientation=" + verso << " P1.Orientation=" + verso << " P2.Orientation=" + verso
      << " EnhancedExpressions=TRUE"
      << " EnhancedOldExpressions=FALSE"
      << " Decimals=2"
      << " DefFont={(0,0,0),12,-16,0,0,0,400,0,0,0,0,0,0,0,0,Arial}";
}

void livelli(QStringList& l) {
    l << "[Layer]"
      << " Name=Base"
      << " Condition="
      << " WorkspaceColor=(0,0,0)"
      << " Visible=TRUE"
      << " LayerID=0"
      << "[Layer]"
      << " Name=First Page"
      << " Condition=Page() = 1"
      << " WorkspaceColor=(0,128,64)"
      << " Visible=TRUE"
      << " LayerID=1"
      << "[Layer]"
      << " Name=Following Pages"
      << " Condition=Page() <> 1"
      << " WorkspaceColor=(0,0,255)"
      << " Visible=TRUE"
      << " LayerID=2";
}

void variabiliUtente(QStringList& l) {
    l << "[UserVariables]";
    for (int n = 1; n <= 50; ++n)
        l << QStringLiteral(" User%1=@User%2").arg(n).arg(dueCifre(n));
    for (int n = 51; n <= 100; ++n)
        l << QStringLiteral(" User%1=@Utente%2").arg(n).arg(dueCifre(n - 50));
}

void cornici(QStringList& l, int colonne) {
    for (int i = 0; i < colonne; ++i)
        l << QStringLiteral("  Frame%1=,Show=TRUE,Width=0,SpaceOut=0").arg(i);
}

void fineBlocco(QStringList& l, const QString& condizione) {
    l << "  LFont=default"
      << "  LCondition=" + condizione << "  IgnoreEmpty=1"
      << "  }";
}

void oggettoTesto(QStringList& l, const QString& rettangolo, const QString& testo) {
    l << "[Object]"
      << " ObjectID=1"
      << " ObjectName=Testo"
      << " Identifier="
      << " Rect=" + rettangolo << " FgColor=(0,0,0)"
      << " BkColor=(255,255,255)"
      << " Locked=FALSE"
      << " UserLocked=FALSE"
      << " Condition="
      << " LinkID=3"
      << " LinkToID=0"
      << " LinkMode=32"
      << " LinkTest=-15880"
      << " LayerID=0"
      << " GroupID=0"
      << " bWYSIWYGDialog=TRUE"
      << " bPageWrap=FALSE"
      << " [Lines]"
      << "  {"
      << "  ,OptimSpaces=TRUE,Text=" + tra(testo) << "  }";
}

} // namespace

namespace {

QString rigaFont(const CarattereStampa& c, int altezza, int peso, const char* resa) {
    return QStringLiteral(" Font={(%1,%2,%3),%4,%5,0,0,0,%6,%7,%8,%9,%10,%11}")
        .arg((c.Colore >> 16) & 0xFF)
        .arg((c.Colore >> 8) & 0xFF)
        .arg(c.Colore & 0xFF)
        .arg(c.Dimensione)
        .arg(altezza)
        .arg(peso)
        .arg(c.Corsivo ? 255 : 0)
        .arg(c.Sottolineato ? 1 : 0)
        .arg(c.Barrato ? 1 : 0)
        .arg(QLatin1String(resa), c.Nome);
}

} // namespace

QString RigaFont(const CarattereStampa& c) {
    return rigaFont(c, -16, c.Grassetto ? 700 : 400, "0,0,0,0,0");
}

QString FormattazioneCampoReportLSTAvanzato(const CampoStampa& campo, const QString& base) {
    if (!campo.Numerico())
        return base;
    const auto fstr = [&](const QString& formato) {
        return "Fstr$(" + base + ",\"" + formato + "\",1)";
    };
    switch (campo.TipoRaggruppamento()) {
    case 1:
        return fstr(QStringLiteral("---,---,---,--&.##"));
    case 2:
        return fstr(QStringLiteral("---,---,---,---"));
    default:
        if (campo.Tipo != FieldType::Float)
            return base;
        if (campo.Scala == 0)
            return fstr(QStringLiteral("---,---,---,--&.######"));
        const bool proprie = QList<int>{1, 3, 4, 5, 6}.contains(campo.Scala);
        return fstr("---,---,---,--&." + QString(proprie ? campo.Scala : 2, u'#'));
    }
}

QStringList LineeLSTAvanzato(const DatiProgettoAvanzato& d) {
    QStringList l;
    descrizione(l, QStringLiteral("Report"), false);
    if (d.Orizzontale)
        impaginazione(l, QStringLiteral("296300"), QStringLiteral("210000"), QStringLiteral("2"));
    else
        impaginazione(l, QStringLiteral("210000"), QStringLiteral("296300"), QStringLiteral("1"));
    l << "[UserSection]"
      << "[SumVariables]";
    for (int n = 1; n <= 50; ++n)
        l << QStringLiteral(" Sum%1=@Sum%2;F;").arg(n).arg(dueCifre(n));
    livelli(l);

    const int utile = d.Orizzontale ? 257800 : 182000;
    QVector<const CampoStampa*> visibili;
    for (const CampoStampa& c : d.Campi)
        if (c.Visibile)
            visibili.append(&c);
    const int colonne = int(visibili.size());
    const auto perColonna = [&](const std::function<QString(const CampoStampa&)>& riga) {
        int totale = 0;
        for (const CampoStampa* c : visibili) {
            totale += larghezzaScm(*c);
            if (totale >= utile)
                break;
            l << riga(*c);
        }
    };

    l << "[Object]"
      << " ObjectID=6"
      << " ObjectName=Elenco"
      << " Identifier="
      << (d.Orizzontale ? " Rect=(11600,27400,269400,193600)" : " Rect=(11600,27400,193600,269400)")
      << " FgColor=(0,0,0)"
      << " BkColor=(255,255,128)"
      << " Locked=FALSE"
      << " UserLocked=FALSE"
      << " Condition="
      << " LinkID=4"
      << " LinkToID=0"
      << " LinkMode=32"
      << " LinkTest=-1948"
      << " LayerID=0"
      << " GroupID=0" << RigaFont(d.Carattere) << " bFooterOnBottom=FALSE"
      << " bFillBottom=FALSE"
      << " bTransparent=TRUE"
      << " [ColumnsX]"
      << "  {"
      << "  bStripes=FALSE"
      << "  StripesRaster=2"
      << "  StripesRasterColor=(255,255,0)"
      << "  bWrapAllowed=FALSE"
      << "  }";

    l << " [Columns]"
      << "  {";
    perColonna([&](const CampoStampa& c) {
        const QString coda =
            c.Memo() && d.MemoEstesi
                ? QStringLiteral(",Separator=TRUE,Fit=1,SepWidth=0,Expression=TRUE") + kSpazio
                : QStringLiteral(",Separator=TRUE,SepWidth=0,Expression=TRUE") + kSpazio;
        return "  ,Width=" + larghezzaColonna(c) + allineamento(c) + coda +
               tra(FormattazioneCampoReportLSTAvanzato(c, c.Nome));
    });
    cornici(l, colonne);
    fineBlocco(l, QStringLiteral("TipoRiga='DETTAGLI'"));

    if (!d.UnRecord) {
        // The totals line: bold, in the font's own rendering settings.
        const QString fontTotali = rigaFont(d.Carattere, -11, 700, "0,3,2,1,34");
        l << " [Columns1]"
          << "  {";
        perColonna([&](const CampoStampa& c) {
            const QString testo = d.TotaliVoluti && c.ConTotali()
                                      ? FormattazioneCampoReportLSTAvanzato(c, "Totale." + c.Nome)
                                      : QStringLiteral("\" \"");
            return "  ,Width=" + larghezzaColonna(c) + allineamento(c) +
                   ",Separator=TRUE,SepWidth=0,Expression=TRUE," + fontTotali + kSpazio +
                   tra(testo);
        });
        cornici(l, colonne);
        fineBlocco(l, QStringLiteral("TipoRiga='TOTALI'"));
    }

    l << " [HeaderColumns]"
      << "  {";
    perColonna([&](const CampoStampa& c) {
        return "  ,Width=" + larghezzaColonna(c) + ",Separator=TRUE,SepWidth=0,Expression=TRUE" +
               kSpazio + tra(u'"' + c.Nome + u'"');
    });
    cornici(l, colonne);
    fineBlocco(l, QString());
    l << " [GroupColumnsX]"
      << "  {"
      << "  DataLineMustFollow=TRUE"
      << "  }";

    if (d.NumeraPagine)
        oggettoTesto(l,
                     d.Orizzontale ? QStringLiteral("(242500,196700,269400,204100)")
                                   : QStringLiteral("(161600,276700,188500,284100)"),
                     QStringLiteral("\"Pagina n° \"+str$(Page(),2,0)"));
    oggettoTesto(l, QStringLiteral("(12200,7900,194400,13400)"), QStringLiteral("Titolo"));
    oggettoTesto(l, QStringLiteral("(12200,17000,194400,25400)"), QStringLiteral("Note"));
    variabiliUtente(l);
    return l;
}

QStringList LineeLSTStandard(const CarattereStampa& carattere) {
    QStringList l;
    descrizione(l, QStringLiteral("Stampa Query"), true);
    impaginazione(l, QStringLiteral("210000"), QStringLiteral("296900"), QStringLiteral("1"));
    l << "[UserSection]"
      << "[SumVariables]";
    for (int n = 1; n <= 25; ++n)
        l << QStringLiteral(" Sum%1=@Sum%2;F;").arg(n).arg(dueCifre(n));
    for (int n = 26; n <= 50; ++n)
        l << QStringLiteral(" Sum%1=@Summe%2;F;").arg(n).arg(dueCifre(n));
    livelli(l);
    l << "[Object]"
      << " ObjectID=6"
      << " ObjectName=Elenco"
      << " Identifier="
      << " Rect=(12000,6000,196700,276700)"
      << " FgColor=(255,255,255)"
      << " BkColor=(255,255,255)"
      << " Locked=FALSE"
      << " UserLocked=FALSE"
      << " Condition="
      << " LinkID=14"
      << " LinkToID=0"
      << " LinkMode=32"
      << " LinkTest=-26860"
      << " LayerID=0"
      << " GroupID=0" << RigaFont(carattere) << " bFooterOnBottom=FALSE"
      << " bFillBottom=FALSE"
      << " bTransparent=TRUE"
      << " [ColumnsX]"
      << "  {"
      << "  bStripes=FALSE"
      << "  StripesRaster=1"
      << "  StripesRasterColor=(192,192,192)"
      << "  bWrapAllowed=FALSE"
      << "  }"
      << " [Columns]"
      << "  {"
      << "  ,Width=269000,Separator=TRUE,SepWidth=0,Expression=TRUE" + kSpazio +
             tra(QStringLiteral("Descrizione"));
    cornici(l, 4);
    fineBlocco(l, QString());
    l << " [GroupColumnsX]"
      << "  {"
      << "  DataLineMustFollow=TRUE"
      << "  }";
    variabiliUtente(l);
    return l;
}

void ScriviFileLst(const QString& file, const QStringList& linee) {
    const QString locale = toLocalPath(file);
    QDir().mkpath(QFileInfo(locale).absolutePath());
    QSaveFile uscita(locale);
    if (!uscita.open(QIODevice::WriteOnly))
        throw IoError("Impossibile scrivere il file " + file + "\n" + uscita.errorString());
    for (const QString& linea : linee) {
        uscita.write(toCp1252(linea));
        uscita.write("\r\n");
    }
    if (!uscita.commit())
        throw IoError("Impossibile scrivere il file " + file + "\n" + uscita.errorString());
}

void CreaFileLSTAvanzato(const QString& file, const DatiProgettoAvanzato& dati,
                         StatoStampa& stato) {
    ScriviFileLst(file, LineeLSTAvanzato(dati));
    stato.ReportAggiornato = true;
    stato.UltimoTipo = 0;
}

void CreaFileLSTStandard(const QString& file, StatoStampa& stato) {
    ScriviFileLst(file, LineeLSTStandard(stato.Carattere));
    stato.ReportAggiornato = true;
    stato.UltimoTipo = 1;
}

} // namespace mavo
