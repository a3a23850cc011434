#include "query/stampa/disegno/DisegnoStampa.h"

#include "platform/IoError.h"
#include "platform/LocalTable.h"
#include "platform/Paths.h"
#include "query/stampa/EspressioneReport.h"
#include "query/stampa/ReportLst.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <cmath>
#include <vector>

namespace mavo {

namespace {

// Millimetres in thousandths, as the report projects measure.
constexpr double kMillesimiPerPollice = 25400.0;
// The built-in layout of the fast report: margins and the largest font.
constexpr int kMargineVeloce = 10000;
constexpr double kPuntiMassimiVeloce = 10.0;
constexpr int kRigheLette = 500;

class ScalaDisegno {
public:
    explicit ScalaDisegno(const QPaintDevice& d)
        : x_(d.logicalDpiX() / kMillesimiPerPollice), y_(d.logicalDpiY() / kMillesimiPerPollice) {}
    double X(int m) const { return m * x_; }
    double Y(int m) const { return m * y_; }
    QRectF Rettangolo(const RettangoloLst& r) const {
        return QRectF(X(r.Sinistra), Y(r.Alto), X(r.Larghezza()), Y(r.Altezza()));
    }

private:
    double x_;
    double y_;
};

QFont fontDi(const CarattereStampa& c, bool fisso) {
    QFont f(c.Nome);
    f.setPointSizeF(std::max(c.Dimensione, 1));
    f.setBold(c.Grassetto);
    f.setItalic(c.Corsivo);
    f.setUnderline(c.Sottolineato);
    f.setStrikeOut(c.Barrato);
    if (fisso) {
        // The text lines line up their "|" only in a fixed-pitch font.
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
    }
    return f;
}

QColor coloreDi(const CarattereStampa& c) {
    return QColor::fromRgb(c.Colore);
}

// A number, whatever its separators: cut, it would read as another number.
bool pareNumero(const QString& testo) {
    static const QRegularExpression numero(QStringLiteral("^\\s*[-+]?[0-9][0-9.,]*\\s*$"));
    return numero.match(testo).hasMatch();
}

// The font scaled down until `caratteri` characters fit the width.
QFont adattaLarghezza(QFont f, double larghezza, int caratteri, const QPaintDevice& d) {
    if (caratteri <= 0)
        return f;
    const double serve = QFontMetricsF(f, &d).horizontalAdvance(QString(caratteri, u'M'));
    if (serve > larghezza && serve > 0)
        f.setPointSizeF(std::max(1.0, f.pointSizeF() * larghezza / serve * 0.98));
    return f;
}

void scriviInCella(QPainter& p, const QRectF& cella, const QString& testo, int allineamento,
                   bool aCapo) {
    const QFontMetricsF m(p.font(), p.device());
    const Qt::Alignment orizzontale = allineamento == 2   ? Qt::AlignRight
                                      : allineamento == 1 ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
    if (aCapo) {
        p.drawText(cella, int(orizzontale | Qt::AlignTop | Qt::TextWordWrap), testo);
        return;
    }
    QString visibile = testo;
    if (m.horizontalAdvance(testo) > cella.width()) {
        if (pareNumero(testo))
            visibile = QString(std::max(1, int(cella.width() / m.horizontalAdvance(u'#'))), u'#');
        else
            visibile = m.elidedText(testo, Qt::ElideRight, cella.width());
    }
    p.drawText(cella, int(orizzontale | Qt::AlignVCenter | Qt::TextSingleLine), visibile);
}

bool condizioneVera(const EspressioneReport& e, const ContestoReport& contesto) {
    return e.Testo().trimmed().isEmpty() || e.Valuta(contesto).Vero();
}

struct ColonnaPronta {
    EspressioneReport Espressione;
    bool Calcolata = true;
    QString Testo;
    QFont Font;
    QColor Colore;
    double X = 0;
    double Larghezza = 0;
    int Allineamento = 0;
    bool Adatta = false;
    std::array<double, 4> Spazio{};
};

struct RigaPronta {
    EspressioneReport Condizione;
    std::vector<ColonnaPronta> Colonne;
    bool Intestazione = false;
    bool Cornice = false;
};

struct TestoPronto {
    EspressioneReport Condizione;
    EspressioneReport Livello;
    std::vector<ColonnaPronta> Linee;
    QRectF Rettangolo;
};

// The pages of a list project (kinds 0 and 1): the text objects on every
// page, the list's column titles at its top, then the data lines of each
// record whose condition holds, a new page when the list is full.
class DisegnoElenco {
public:
    DisegnoElenco(const LavoroStampa& lavoro, QPainter& p, QPagedPaintDevice& d)
        : lavoro_(lavoro), progetto_(*lavoro.Progetto), p_(p), d_(d), s_(d) {
        prepara();
    }

    void Record(const QHash<QString, ValoreReport>& valori, bool nuovaPagina) {
        contesto_.Nomi = &valori;
        if (pagina_ == 0 || (nuovaPagina && righeSullaPagina_ > 0))
            iniziaPagina();
        for (RigaPronta& r : righe_) {
            if (r.Intestazione || !condizioneVera(r.Condizione, contesto_))
                continue;
            const double h = altezza(r);
            if (y_ + h > fondo_ && righeSullaPagina_ > 0) {
                iniziaPagina();
                contesto_.Nomi = &valori;
            }
            disegnaRiga(r, h);
            ++righeSullaPagina_;
        }
    }

    int Fine() {
        if (pagina_ == 0)
            iniziaPagina();
        return pagina_;
    }

private:
    ColonnaPronta colonna(const ColonnaLst& c, const QFont& base, const QColor& colore,
                          bool fisso) {
        ColonnaPronta pronta;
        if (c.Espressione())
            pronta.Espressione = EspressioneReport::Compila(c.Testo());
        else {
            pronta.Calcolata = false;
            pronta.Testo = c.Testo();
        }
        const std::optional<CarattereStampa> proprio = c.Carattere();
        pronta.Font = proprio ? fontDi(*proprio, fisso) : base;
        pronta.Colore = proprio ? coloreDi(*proprio) : colore;
        pronta.Allineamento = c.Allineamento();
        pronta.Adatta = c.Adatta();
        const auto spazio = c.Spazio();
        pronta.Spazio = {s_.X(spazio[0]), s_.Y(spazio[1]), s_.X(spazio[2]), s_.Y(spazio[3])};
        return pronta;
    }

    void prepara() {
        const bool fisso = lavoro_.Tipo == 1;
        for (const LivelloLst& l : progetto_.Livelli)
            livelli_.insert(l.Id, l.Condizione);
        const int elenco = progetto_.Elenco();
        for (int i = 0; i < progetto_.Oggetti.size(); ++i) {
            const OggettoLst& o = progetto_.Oggetti[i];
            const CarattereStampa carattere = o.Carattere.value_or(progetto_.CarattereBase);
            const QFont font = fontDi(carattere, fisso);
            if (o.Genere == OggettoLst::Tipo::Testo) {
                TestoPronto t;
                t.Condizione = EspressioneReport::Compila(o.Condizione);
                t.Livello = EspressioneReport::Compila(livelli_.value(o.Livello));
                t.Rettangolo = s_.Rettangolo(o.Rettangolo);
                for (const ColonnaLst& c : o.Testi)
                    t.Linee.push_back(colonna(c, font, coloreDi(carattere), false));
                testi_.push_back(std::move(t));
            } else if (i == elenco) {
                elenco_ = s_.Rettangolo(o.Rettangolo);
                condizioneElenco_ = EspressioneReport::Compila(o.Condizione);
                for (const RigaElencoLst& r : o.Righe) {
                    RigaPronta riga;
                    riga.Condizione = EspressioneReport::Compila(r.Condizione);
                    riga.Intestazione = r.Intestazione();
                    riga.Cornice = r.Cornice;
                    double x = elenco_.left();
                    for (const ColonnaLst& c : r.Colonne) {
                        // Nothing past the list's right edge: a column
                        // reaching it is cut there, the ones after it dropped.
                        const double larghezza = std::min(s_.X(c.Larghezza()), elenco_.right() - x);
                        if (larghezza <= 0)
                            break;
                        ColonnaPronta pronta = colonna(c, font, coloreDi(carattere), fisso);
                        if (riga.Intestazione)
                            pronta.Font.setBold(true);
                        pronta.X = x;
                        pronta.Larghezza = larghezza;
                        if (fisso)
                            pronta.Font = adattaLarghezza(
                                pronta.Font, larghezza - pronta.Spazio[0] - pronta.Spazio[2],
                                lavoro_.LunghezzaRiga, d_);
                        riga.Colonne.push_back(std::move(pronta));
                        x += larghezza;
                    }
                    righe_.push_back(std::move(riga));
                }
            }
        }
        fondo_ = elenco_.bottom();
    }

    QString testoDi(const ColonnaPronta& c) const {
        return c.Calcolata ? c.Espressione.Valuta(contesto_).Stampabile() : c.Testo;
    }

    double altezza(const RigaPronta& r) const {
        double h = 0;
        for (const ColonnaPronta& c : r.Colonne) {
            const QFontMetricsF m(c.Font, &d_);
            double testo = m.height();
            if (c.Adatta) {
                const double larghezza = std::max(1.0, c.Larghezza - c.Spazio[0] - c.Spazio[2]);
                testo = std::max(testo, m.boundingRect(QRectF(0, 0, larghezza, 1e9),
                                                       Qt::TextWordWrap, testoDi(c))
                                            .height());
            }
            h = std::max(h, testo + c.Spazio[1] + c.Spazio[3]);
        }
        return h;
    }

    void disegnaRiga(const RigaPronta& r, double h) {
        for (const ColonnaPronta& c : r.Colonne) {
            const QRectF cella(c.X, y_, c.Larghezza, h);
            if (r.Intestazione)
                p_.fillRect(cella, QColor(230, 230, 230));
            if (r.Cornice) {
                p_.setPen(QPen(Qt::black, s_.X(150)));
                p_.drawRect(cella);
            }
            p_.setFont(c.Font);
            p_.setPen(c.Colore);
            scriviInCella(p_, cella.adjusted(c.Spazio[0], c.Spazio[1], -c.Spazio[2], -c.Spazio[3]),
                          testoDi(c), c.Allineamento, c.Adatta);
        }
        y_ += h;
    }

    void iniziaPagina() {
        if (pagina_ > 0)
            d_.newPage();
        ++pagina_;
        righeSullaPagina_ = 0;
        contesto_.Pagina = pagina_;
        const QHash<QString, ValoreReport>* valori = contesto_.Nomi;
        static const QHash<QString, ValoreReport> nessuno;
        contesto_.Nomi = &nessuno;
        for (const TestoPronto& t : testi_) {
            if (!condizioneVera(t.Livello, contesto_) || !condizioneVera(t.Condizione, contesto_))
                continue;
            double y = t.Rettangolo.top();
            for (const ColonnaPronta& linea : t.Linee) {
                p_.setFont(linea.Font);
                p_.setPen(linea.Colore);
                const double h = QFontMetricsF(linea.Font, &d_).height();
                scriviInCella(p_, QRectF(t.Rettangolo.left(), y, t.Rettangolo.width(), h),
                              testoDi(linea), linea.Allineamento, false);
                y += h;
            }
        }
        y_ = elenco_.top();
        if (condizioneVera(condizioneElenco_, contesto_))
            for (const RigaPronta& r : righe_)
                if (r.Intestazione && condizioneVera(r.Condizione, contesto_))
                    disegnaRiga(r, altezza(r));
        contesto_.Nomi = valori;
    }

    const LavoroStampa& lavoro_;
    const ReportLst& progetto_;
    QPainter& p_;
    QPagedPaintDevice& d_;
    ScalaDisegno s_;
    QHash<int, QString> livelli_;
    std::vector<TestoPronto> testi_;
    std::vector<RigaPronta> righe_;
    EspressioneReport condizioneElenco_;
    QRectF elenco_;
    double fondo_ = 0;
    double y_ = 0;
    int pagina_ = 0;
    int righeSullaPagina_ = 0;
    ContestoReport contesto_{nullptr, &lavoro_.Variabili, 1};
};

// Kind 0: a record per row of the answer, then the totals record.
int disegnaAvanzato(const LavoroStampa& lavoro, QPainter& p, QPagedPaintDevice& d) {
    DisegnoElenco elenco(lavoro, p, d);
    const SorgenteStampa& s = *lavoro.Sorgente;
    QHash<QString, double> somme;
    QHash<QString, ValoreReport> valori;
    const auto totali = [&] {
        for (auto i = somme.cbegin(); i != somme.cend(); ++i)
            valori.insert(i.key(), ValoreReport::Numero(i.value()));
    };
    for (const CampoStampa& c : s.Campi)
        if (lavoro.TotaliVoluti && c.Sommabile() && c.ConTotali())
            somme.insert(QStringLiteral("TOTALE.") + c.Nome.toUpper(), 0.0);
    s.Scorri([&](const QVariantList& riga) {
        for (const CampoStampa& c : s.Campi) {
            const QVariant valore = riga.value(c.Posizione);
            valori.insert(c.Nome.toUpper(), ValoreDiCampo(c, valore));
            const QString totale = QStringLiteral("TOTALE.") + c.Nome.toUpper();
            if (somme.contains(totale))
                somme[totale] += valore.toDouble();
        }
        totali();
        valori.insert(QStringLiteral("TIPORIGA"), ValoreReport::Testo(QStringLiteral("DETTAGLI")));
        elenco.Record(valori, false);
    });
    if (lavoro.TotaliVoluti) {
        // Past the last row: no field has a value, the sums are complete.
        for (const CampoStampa& c : s.Campi)
            valori.insert(c.Nome.toUpper(), ValoreReport());
        totali();
        valori.insert(QStringLiteral("TIPORIGA"), ValoreReport::Testo(QStringLiteral("TOTALI")));
        elenco.Record(valori, false);
    }
    return elenco.Fine();
}

// Every line of the print tables, a block at a time: page, line, text.
void scorriRighe(const LavoroStampa& lavoro,
                 const std::function<void(int pagina, int riga, const QString& testo)>& perRiga) {
    LocalTable::Reader lettore = lavoro.Righe->reader();
    while (!lettore.atEnd())
        for (const QVariantList& r : lettore.next(kRigheLette))
            perRiga(r.value(0).toInt(), int(r.value(1).toDouble()), r.value(3).toString());
}

// Kind 1: a record per line of the print tables, each of their pages on a
// page of its own.
int disegnaStandard(const LavoroStampa& lavoro, QPainter& p, QPagedPaintDevice& d) {
    DisegnoElenco elenco(lavoro, p, d);
    QHash<QString, ValoreReport> valori;
    int paginaTabella = 0;
    scorriRighe(lavoro, [&](int pagina, int riga, const QString& testo) {
        valori.insert(QStringLiteral("NUMEROPAGINA"), ValoreReport::Numero(pagina));
        valori.insert(QStringLiteral("NUMERORIGA"), ValoreReport::Numero(riga));
        valori.insert(QStringLiteral("TIPORIGA"), ValoreReport());
        valori.insert(QStringLiteral("DESCRIZIONE"), ValoreReport::Testo(testo));
        elenco.Record(valori, pagina != paginaTabella);
        paginaTabella = pagina;
    });
    return elenco.Fine();
}

// Kind 2: the print tables in a fixed-pitch layout of our own, one page of
// the tables to a page, the font as large as the longest line and the rows
// per page allow.
int disegnaVeloce(const LavoroStampa& lavoro, QPainter& p, QPagedPaintDevice& d) {
    const ScalaDisegno s(d);
    const QPageLayout impaginazione = ImpaginazioneStampa(lavoro);
    const QSizeF carta = impaginazione.fullRect(QPageLayout::Millimeter).size();
    const QRectF area(s.X(kMargineVeloce), s.Y(kMargineVeloce),
                      s.X(int(carta.width() * 1000) - 2 * kMargineVeloce),
                      s.Y(int(carta.height() * 1000) - 2 * kMargineVeloce));
    QFont font = fontDi({QStringLiteral("Courier New"), int(kPuntiMassimiVeloce)}, true);
    font = adattaLarghezza(font, area.width(), std::max(lavoro.LunghezzaRiga, 1), d);
    const double altezzaRiga = area.height() / std::max(lavoro.RighePerPagina, 1);
    if (QFontMetricsF(font, &d).height() > altezzaRiga)
        font.setPointSizeF(font.pointSizeF() * altezzaRiga / QFontMetricsF(font, &d).height());
    const double passo = std::min(altezzaRiga, QFontMetricsF(font, &d).height() * 1.15);
    p.setFont(font);
    p.setPen(Qt::black);
    int pagine = 0;
    int paginaTabella = 0;
    scorriRighe(lavoro, [&](int pagina, int riga, const QString& testo) {
        if (pagina != paginaTabella) {
            if (pagine > 0)
                d.newPage();
            ++pagine;
            paginaTabella = pagina;
        }
        const QRectF linea(area.left(), area.top() + (riga - 1) * passo, area.width(), passo);
        if (linea.bottom() <= area.bottom() + 1)
            p.drawText(linea, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), testo);
    });
    return std::max(pagine, 1);
}

} // namespace

QPageLayout ImpaginazioneStampa(const LavoroStampa& lavoro) {
    bool orizzontale = lavoro.Orizzontale;
    QPageSize carta(QPageSize::A4);
    if (lavoro.Tipo != 2 && lavoro.Progetto) {
        const ReportLst& r = *lavoro.Progetto;
        orizzontale = r.LarghezzaPagina > r.AltezzaPagina;
        const QSizeF mm(std::min(r.LarghezzaPagina, r.AltezzaPagina) / 1000.0,
                        std::max(r.LarghezzaPagina, r.AltezzaPagina) / 1000.0);
        carta = QPageSize(QPageSize::id(mm, QPageSize::Millimeter, QPageSize::FuzzyMatch));
        if (!carta.isValid())
            carta = QPageSize(mm, QPageSize::Millimeter);
    }
    return QPageLayout(carta, orizzontale ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

int DisegnaStampa(const LavoroStampa& lavoro, QPagedPaintDevice& dispositivo) {
    QPainter p;
    if (!p.begin(&dispositivo))
        throw IoError(QStringLiteral("Impossibile iniziare la stampa"));
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (lavoro.Tipo) {
    case 0:
        return disegnaAvanzato(lavoro, p, dispositivo);
    case 1:
        return disegnaStandard(lavoro, p, dispositivo);
    default:
        return disegnaVeloce(lavoro, p, dispositivo);
    }
}

int StampaInPdf(const LavoroStampa& lavoro, const QString& file) {
    QPdfWriter pdf(toLocalPath(file));
    pdf.setResolution(600);
    pdf.setTitle(lavoro.TitoloFinestra);
    pdf.setCreator(QStringLiteral("Mavo"));
    pdf.setPageLayout(ImpaginazioneStampa(lavoro));
    const int pagine = DisegnaStampa(lavoro, pdf);
    if (!QFileInfo::exists(toLocalPath(file)))
        throw IoError("Impossibile scrivere il file " + file);
    return pagine;
}

} // namespace mavo
