#include "query/stampa/ReportLst.h"

#include "platform/Cp1252.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "query/stampa/EspressioneReport.h"
#include "query/stampa/ProgettoLst.h"

#include <QFile>

namespace mavo {

namespace {

// Splits ",a=1,b={x,y},Text=¨p,q¨" (what follows the first comma) into its
// items, keeping every character: joined again with ',' they give it back.
QVector<QPair<QString, QString>> dividiVoci(QStringView testo) {
    QVector<QPair<QString, QString>> voci;
    QString corrente;
    int profondita = 0;
    bool inVirgolette = false, inDoppie = false;
    const auto chiudi = [&] {
        const qsizetype uguale = corrente.indexOf(u'=');
        if (uguale < 0)
            voci.append({corrente, QString()});
        else
            voci.append({corrente.left(uguale), corrente.mid(uguale + 1)});
        corrente.clear();
    };
    for (const QChar c : testo) {
        if (c == kVirgolette && !inDoppie)
            inVirgolette = !inVirgolette;
        else if (c == u'"' && !inVirgolette)
            inDoppie = !inDoppie;
        else if (!inVirgolette && !inDoppie && (c == u'{' || c == u'('))
            ++profondita;
        else if (!inVirgolette && !inDoppie && (c == u'}' || c == u')'))
            --profondita;
        else if (c == u',' && profondita == 0 && !inVirgolette && !inDoppie) {
            chiudi();
            continue;
        }
        corrente += c;
    }
    chiudi();
    return voci;
}

QString uniscivoci(const QVector<QPair<QString, QString>>& voci) {
    QStringList parti;
    for (const auto& [chiave, valore] : voci)
        parti << (valore.isNull() ? chiave : chiave + u'=' + valore);
    return parti.join(u',');
}

std::optional<RettangoloLst> leggiRettangolo(QString valore) {
    valore = valore.trimmed();
    if (!valore.startsWith(u'(') || !valore.endsWith(u')'))
        return std::nullopt;
    const QStringList parti = valore.mid(1, valore.size() - 2).split(u',');
    if (parti.size() != 4)
        return std::nullopt;
    int n[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        n[i] = parti[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return RettangoloLst{n[0], n[1], n[2], n[3]};
}

QString scriviRettangolo(const RettangoloLst& r) {
    return QStringLiteral("(%1,%2,%3,%4)").arg(r.Sinistra).arg(r.Alto).arg(r.Destra).arg(r.Basso);
}

bool stessa(QStringView a, QStringView b) {
    return a.trimmed().compare(b, Qt::CaseInsensitive) == 0;
}

void verificaEspressione(const QString& testo, const QSet<QString>& noti, QStringList& problemi) {
    if (testo.trimmed().isEmpty())
        return;
    const EspressioneReport e = EspressioneReport::Compila(testo);
    if (!e.Valida()) {
        problemi << "espressione " + testo + " (" + e.Errore() + ")";
        return;
    }
    for (const QString& nome : e.Nomi())
        if (!noti.contains(nome.toUpper()))
            problemi << "campo o variabile " + nome;
}

} // namespace

QString SenzaVirgolette(const QString& testo) {
    if (testo.size() >= 2 && testo.startsWith(kVirgolette) && testo.endsWith(kVirgolette))
        return testo.mid(1, testo.size() - 2);
    return testo;
}

std::optional<CarattereStampa> LeggiFontLst(const QString& valore) {
    QString v = valore.trimmed();
    if (!v.startsWith(u'{') || !v.endsWith(u'}'))
        return std::nullopt;
    v = v.mid(1, v.size() - 2);
    const qsizetype chiusa = v.indexOf(u')');
    if (!v.startsWith(u'(') || chiusa < 0)
        return std::nullopt;
    const QStringList colore = v.mid(1, chiusa - 1).split(u',');
    const QStringList resto = v.mid(chiusa + 2).split(u',');
    if (colore.size() != 3 || resto.size() < 15)
        return std::nullopt;
    CarattereStampa c;
    c.Colore = (quint32(colore[0].toInt() & 0xFF) << 16) |
               (quint32(colore[1].toInt() & 0xFF) << 8) | quint32(colore[2].toInt() & 0xFF);
    c.Dimensione = resto[0].toInt();
    c.Grassetto = resto[5].toInt() >= 600;
    c.Corsivo = resto[6].toInt() != 0;
    c.Sottolineato = resto[7].toInt() != 0;
    c.Barrato = resto[8].toInt() != 0;
    c.Nome = resto.mid(14).join(u',');
    if (c.Dimensione <= 0 || c.Nome.isEmpty())
        return std::nullopt;
    return c;
}

QString VociLst::Valore(const QString& chiave, const QString& predefinito) const {
    for (const auto& [k, v] : Voci)
        if (stessa(k, chiave))
            return v;
    return predefinito;
}

int VociLst::Intero(const QString& chiave, int predefinito) const {
    bool ok = false;
    const int n = Valore(chiave).trimmed().toInt(&ok);
    return ok ? n : predefinito;
}

QString VociLst::Testo() const {
    return SenzaVirgolette(Valore(QStringLiteral("Text")));
}

bool VociLst::Espressione() const {
    return !stessa(Valore(QStringLiteral("Expression"), QStringLiteral("TRUE")), u"FALSE");
}

std::array<int, 4> ColonnaLst::Spazio() const {
    if (const auto r = leggiRettangolo(Valore(QStringLiteral("Space"))))
        return {r->Sinistra, r->Alto, r->Destra, r->Basso};
    return {0, 0, 0, 0};
}

std::optional<CarattereStampa> ColonnaLst::Carattere() const {
    return LeggiFontLst(Valore(QStringLiteral("Font")));
}

ReportLst ReportLst::Leggi(const QString& file) {
    QFile f(toLocalPath(file));
    if (!f.open(QIODevice::ReadOnly))
        throw IoError("Impossibile leggere il file " + file + "\n" + f.errorString());
    QStringList linee = fromCp1252(f.readAll()).split(QStringLiteral("\n"));
    for (QString& linea : linee)
        if (linea.endsWith(u'\r'))
            linea.chop(1);
    if (!linee.isEmpty() && linee.last().isEmpty())
        linee.removeLast();
    return DaLinee(linee);
}

ReportLst ReportLst::DaLinee(const QStringList& linee) {
    ReportLst r;
    r.linee_ = linee;
    r.analizza();
    return r;
}

void ReportLst::analizza() {
    Livelli.clear();
    Oggetti.clear();
    layout_ = false;
    enum class Sezione { Altra, Layout, Livello, Oggetto } sezione = Sezione::Altra;
    OggettoLst oggetto;
    QString blocco;
    bool inBlocco = false;
    RigaElencoLst riga;
    bool bloccoRiga = false;
    const auto chiudiOggetto = [&] {
        if (sezione != Sezione::Oggetto)
            return;
        if (!oggetto.Testi.isEmpty())
            oggetto.Genere = OggettoLst::Tipo::Testo;
        else if (!oggetto.Righe.isEmpty())
            oggetto.Genere = OggettoLst::Tipo::Elenco;
        Oggetti.append(oggetto);
        oggetto = OggettoLst();
    };

    for (int i = 0; i < linee_.size(); ++i) {
        const QString& linea = linee_[i];
        const QString pulita = linea.trimmed();
        if (pulita.isEmpty())
            continue;
        if (linea.startsWith(u'[')) {
            chiudiOggetto();
            inBlocco = false;
            const QString nome = pulita.mid(1, pulita.size() - 2);
            sezione = stessa(nome, u"Layout")   ? Sezione::Layout
                      : stessa(nome, u"Layer")  ? Sezione::Livello
                      : stessa(nome, u"Object") ? Sezione::Oggetto
                                                : Sezione::Altra;
            if (sezione == Sezione::Layout)
                layout_ = true;
            if (sezione == Sezione::Livello)
                Livelli.append(LivelloLst{});
            if (sezione == Sezione::Oggetto)
                oggetto.Linea = i;
            continue;
        }
        if (sezione == Sezione::Oggetto && pulita.startsWith(u'[')) {
            blocco = pulita.mid(1, pulita.size() - 2);
            continue;
        }
        if (sezione == Sezione::Oggetto && pulita == u"{") {
            inBlocco = true;
            bloccoRiga = (blocco.startsWith(u"Columns", Qt::CaseInsensitive) &&
                          !stessa(blocco, u"ColumnsX")) ||
                         stessa(blocco, u"HeaderColumns");
            riga = RigaElencoLst{};
            riga.Nome = blocco;
            const bool noto = bloccoRiga || stessa(blocco, u"Lines") ||
                              stessa(blocco, u"ColumnsX") || stessa(blocco, u"GroupColumnsX");
            if (!noto)
                oggetto.BlocchiIgnoti << blocco;
            continue;
        }
        if (sezione == Sezione::Oggetto && inBlocco && pulita == u"}") {
            inBlocco = false;
            if (bloccoRiga)
                oggetto.Righe.append(riga);
            continue;
        }
        if (inBlocco) {
            if (pulita.startsWith(u',')) {
                ColonnaLst colonna;
                colonna.Linea = i;
                colonna.Voci = dividiVoci(QStringView(pulita).mid(1));
                if (stessa(blocco, u"Lines"))
                    oggetto.Testi.append(colonna);
                else if (bloccoRiga)
                    riga.Colonne.append(colonna);
            } else if (bloccoRiga) {
                const QString chiave = pulita.section(u'=', 0, 0);
                const QString valore = pulita.section(u'=', 1);
                if (chiave.startsWith(u"Frame", Qt::CaseInsensitive) &&
                    valore.contains(u"Show=TRUE", Qt::CaseInsensitive))
                    riga.Cornice = true;
                else if (stessa(chiave, u"LCondition"))
                    riga.Condizione = SenzaVirgolette(valore);
            }
            continue;
        }
        const QString chiave = pulita.section(u'=', 0, 0).trimmed();
        const QString valore = pulita.section(u'=', 1);
        const auto intero = [&](int predefinito) {
            bool ok = false;
            const int n = valore.trimmed().toInt(&ok);
            return ok ? n : predefinito;
        };
        switch (sezione) {
        case Sezione::Layout:
            if (stessa(chiave, u"xSize"))
                LarghezzaPagina = intero(LarghezzaPagina);
            else if (stessa(chiave, u"ySize"))
                AltezzaPagina = intero(AltezzaPagina);
            else if (stessa(chiave, u"Orientation"))
                Orizzontale = intero(1) == 2;
            else if (stessa(chiave, u"DefFont"))
                CarattereBase = LeggiFontLst(valore).value_or(CarattereBase);
            break;
        case Sezione::Livello:
            if (stessa(chiave, u"Name"))
                Livelli.last().Nome = valore;
            else if (stessa(chiave, u"Condition"))
                Livelli.last().Condizione = SenzaVirgolette(valore);
            else if (stessa(chiave, u"LayerID"))
                Livelli.last().Id = intero(0);
            break;
        case Sezione::Oggetto:
            if (stessa(chiave, u"ObjectName"))
                oggetto.Nome = valore;
            else if (stessa(chiave, u"Rect"))
                oggetto.Rettangolo = leggiRettangolo(valore).value_or(oggetto.Rettangolo);
            else if (stessa(chiave, u"Condition"))
                oggetto.Condizione = SenzaVirgolette(valore);
            else if (stessa(chiave, u"LayerID"))
                oggetto.Livello = intero(0);
            else if (stessa(chiave, u"Font"))
                oggetto.Carattere = LeggiFontLst(valore);
            break;
        case Sezione::Altra:
            break;
        }
    }
    chiudiOggetto();
}

QStringList ReportLst::Verifica(const QSet<QString>& nomiNoti) const {
    QStringList problemi;
    for (const LivelloLst& l : Livelli)
        verificaEspressione(l.Condizione, nomiNoti, problemi);
    for (const OggettoLst& o : Oggetti) {
        if (o.Genere == OggettoLst::Tipo::Altro) {
            problemi << "oggetto " + o.Nome;
            continue;
        }
        for (const QString& b : o.BlocchiIgnoti)
            problemi << "parte " + b + " dell'oggetto " + o.Nome;
        verificaEspressione(o.Condizione, nomiNoti, problemi);
        for (const ColonnaLst& t : o.Testi)
            if (t.Espressione())
                verificaEspressione(t.Testo(), nomiNoti, problemi);
        for (const RigaElencoLst& r : o.Righe) {
            verificaEspressione(r.Condizione, nomiNoti, problemi);
            for (const ColonnaLst& c : r.Colonne)
                if (c.Espressione())
                    verificaEspressione(c.Testo(), nomiNoti, problemi);
        }
    }
    problemi.removeDuplicates();
    return problemi;
}

void ReportLst::Salva(const QString& file) const {
    ScriviFileLst(file, linee_);
}

int ReportLst::Elenco() const {
    for (int i = 0; i < Oggetti.size(); ++i)
        if (Oggetti[i].Genere == OggettoLst::Tipo::Elenco)
            return i;
    return -1;
}

int ReportLst::NumeroColonne() const {
    const int e = Elenco();
    int n = 0;
    if (e >= 0)
        for (const RigaElencoLst& r : Oggetti[e].Righe)
            n = std::max<int>(n, int(r.Colonne.size()));
    return n;
}

namespace {

const ColonnaLst* colonnaDi(const OggettoLst& elenco, int colonna, bool intestazione) {
    for (const RigaElencoLst& r : elenco.Righe)
        if (r.Intestazione() == intestazione && colonna < r.Colonne.size())
            return &r.Colonne[colonna];
    return nullptr;
}

} // namespace

std::optional<QString> ReportLst::TitoloColonna(int colonna) const {
    const int e = Elenco();
    const ColonnaLst* c = e < 0 ? nullptr : colonnaDi(Oggetti[e], colonna, true);
    if (!c)
        return std::nullopt;
    const QString testo = c->Testo();
    if (testo.size() >= 2 && testo.startsWith(u'"') && testo.endsWith(u'"') &&
        testo.count(u'"') == 2)
        return testo.mid(1, testo.size() - 2);
    return testo;
}

int ReportLst::LarghezzaColonna(int colonna) const {
    const int e = Elenco();
    const ColonnaLst* c = e < 0 ? nullptr : colonnaDi(Oggetti[e], colonna, false);
    if (!c && e >= 0)
        c = colonnaDi(Oggetti[e], colonna, true);
    return c ? c->Larghezza() : 0;
}

int ReportLst::AllineamentoColonna(int colonna) const {
    const int e = Elenco();
    const ColonnaLst* c = e < 0 ? nullptr : colonnaDi(Oggetti[e], colonna, false);
    return c ? c->Allineamento() : 0;
}

QString ReportLst::EspressioneColonna(int colonna) const {
    const int e = Elenco();
    const ColonnaLst* c = e < 0 ? nullptr : colonnaDi(Oggetti[e], colonna, false);
    return c ? c->Testo() : QString();
}

void ReportLst::sostituisciVoce(VociLst voci, const QString& chiave, const QString& valore) {
    bool trovata = false;
    for (auto& [k, v] : voci.Voci)
        if (stessa(k, chiave)) {
            v = valore;
            trovata = true;
        }
    if (!trovata) {
        // Where the tool writes it: right after the width.
        qsizetype dove = 0;
        for (qsizetype i = 0; i < voci.Voci.size(); ++i)
            if (stessa(voci.Voci[i].first, u"Width"))
                dove = i + 1;
        voci.Voci.insert(dove, {chiave, valore});
    }
    QString& linea = linee_[voci.Linea];
    linea = linea.left(linea.indexOf(u',')) + u',' + uniscivoci(voci.Voci);
}

void ReportLst::SpostaColonna(int da, int a) {
    const int e = Elenco();
    if (e < 0 || da == a)
        return;
    for (const RigaElencoLst& r : Oggetti[e].Righe) {
        if (da >= r.Colonne.size() || a >= r.Colonne.size() || da < 0 || a < 0)
            continue;
        QStringList contenuti;
        for (const ColonnaLst& c : r.Colonne)
            contenuti << linee_[c.Linea];
        contenuti.move(da, a);
        for (qsizetype i = 0; i < r.Colonne.size(); ++i)
            linee_[r.Colonne[i].Linea] = contenuti[i];
    }
    analizza();
}

void ReportLst::ImpostaTitoloColonna(int colonna, const QString& titolo) {
    const int e = Elenco();
    if (e < 0)
        return;
    for (const RigaElencoLst& r : Oggetti[e].Righe)
        if (r.Intestazione() && colonna < r.Colonne.size()) {
            QString senza = titolo;
            senza.remove(u'"').remove(kVirgolette);
            sostituisciVoce(r.Colonne[colonna], QStringLiteral("Text"),
                            kVirgolette + (u'"' + senza + u'"') + kVirgolette);
        }
    analizza();
}

void ReportLst::ImpostaLarghezzaColonna(int colonna, int larghezza) {
    const int e = Elenco();
    if (e < 0)
        return;
    for (const RigaElencoLst& r : Oggetti[e].Righe)
        if (colonna < r.Colonne.size())
            sostituisciVoce(r.Colonne[colonna], QStringLiteral("Width"),
                            QString::number(std::max(larghezza, 1000)));
    analizza();
}

void ReportLst::ImpostaAllineamentoColonna(int colonna, int allineamento) {
    const int e = Elenco();
    if (e < 0)
        return;
    for (const RigaElencoLst& r : Oggetti[e].Righe)
        if (colonna < r.Colonne.size())
            sostituisciVoce(r.Colonne[colonna], QStringLiteral("Align"),
                            QString::number(qBound(0, allineamento, 2)));
    analizza();
}

QVector<int> ReportLst::OggettiTesto() const {
    QVector<int> testi;
    for (int i = 0; i < Oggetti.size(); ++i)
        if (Oggetti[i].Genere == OggettoLst::Tipo::Testo)
            testi.append(i);
    return testi;
}

void ReportLst::ImpostaTestoOggetto(int oggetto, const QString& espressione) {
    if (oggetto < 0 || oggetto >= Oggetti.size() || Oggetti[oggetto].Testi.isEmpty())
        return;
    QString senza = espressione;
    senza.remove(kVirgolette);
    sostituisciVoce(Oggetti[oggetto].Testi.first(), QStringLiteral("Text"),
                    kVirgolette + senza + kVirgolette);
    analizza();
}

void ReportLst::ImpostaOrizzontale(bool orizzontale) {
    if (orizzontale == Orizzontale && (LarghezzaPagina > AltezzaPagina) == orizzontale)
        return;
    const int vecchiaL = LarghezzaPagina, vecchiaA = AltezzaPagina;
    const int nuovaL = orizzontale ? std::max(vecchiaL, vecchiaA) : std::min(vecchiaL, vecchiaA);
    const int nuovaA = orizzontale ? std::min(vecchiaL, vecchiaA) : std::max(vecchiaL, vecchiaA);
    // The rectangles the tool writes have their counterparts; any other is
    // scaled to the new page.
    const QVector<QPair<RettangoloLst, RettangoloLst>> coppie = {
        {{11600, 27400, 193600, 269400}, {11600, 27400, 269400, 193600}},
        {{161600, 276700, 188500, 284100}, {242500, 196700, 269400, 204100}},
        {{12200, 7900, 194400, 13400}, {12200, 7900, 194400, 13400}},
        {{12200, 17000, 194400, 25400}, {12200, 17000, 194400, 25400}},
    };
    bool inLayout = false;
    int oggetto = -1;
    for (int i = 0; i < linee_.size(); ++i) {
        QString& linea = linee_[i];
        if (linea.startsWith(u'[')) {
            inLayout = stessa(linea, u"[Layout]");
            if (stessa(linea, u"[Object]"))
                ++oggetto;
            continue;
        }
        const QString chiave = linea.section(u'=', 0, 0).trimmed();
        const QString rientro = linea.left(linea.indexOf(chiave));
        if (inLayout) {
            const QString base = chiave.section(u'.', -1);
            if (stessa(base, u"xSize"))
                linea = rientro + chiave + u'=' + QString::number(nuovaL);
            else if (stessa(base, u"ySize"))
                linea = rientro + chiave + u'=' + QString::number(nuovaA);
            else if (stessa(base, u"Orientation"))
                linea =
                    rientro + chiave + (orizzontale ? QStringLiteral("=2") : QStringLiteral("=1"));
        } else if (oggetto >= 0 && stessa(chiave, u"Rect")) {
            const auto r = leggiRettangolo(linea.section(u'=', 1));
            if (!r)
                continue;
            std::optional<RettangoloLst> nuovo;
            for (const auto& [verticale, orizzontaleR] : coppie)
                if (*r == (orizzontale ? verticale : orizzontaleR))
                    nuovo = orizzontale ? orizzontaleR : verticale;
            if (!nuovo) {
                const auto x = [&](int v) { return int(qint64(v) * nuovaL / vecchiaL); };
                const auto y = [&](int v) { return int(qint64(v) * nuovaA / vecchiaA); };
                nuovo = RettangoloLst{x(r->Sinistra), y(r->Alto), x(r->Destra), y(r->Basso)};
            }
            linea = rientro + chiave + u'=' + scriviRettangolo(*nuovo);
        }
    }
    analizza();
}

} // namespace mavo
