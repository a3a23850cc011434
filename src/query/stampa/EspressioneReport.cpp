#include "query/stampa/EspressioneReport.h"

#include "platform/Formats.h"

#include <QRegularExpression>

#include <vector>

namespace mavo {

struct EspressioneReport::Nodo {
    enum class Tipo { Costante, Nome, Funzione, Binario, Unario };
    Tipo tipo = Tipo::Costante;
    ValoreReport costante;
    QString nome; // upper case: a name, a function, an operator
    std::vector<std::unique_ptr<Nodo>> figli;
};

namespace {

using Nodo = EspressioneReport::Nodo;

struct Funzione {
    const char* nome;
    int minimo;
    int massimo;
};

constexpr Funzione kFunzioni[] = {
    {"FSTR$", 2, 3}, {"STR$", 1, 3},  {"PAGE", 0, 0},   {"UPPER$", 1, 1}, {"LOWER$", 1, 1},
    {"LEN", 1, 1},   {"LEFT$", 2, 2}, {"RIGHT$", 2, 2}, {"MID$", 2, 3},
};

const Funzione* funzione(const QString& nome) {
    for (const Funzione& f : kFunzioni)
        if (nome == QLatin1String(f.nome))
            return &f;
    return nullptr;
}

struct ErroreSintassi {
    QString testo;
};

class Analizzatore {
public:
    Analizzatore(const QString& testo, QStringList& nomi) : t_(testo), nomi_(nomi) {}

    std::unique_ptr<Nodo> Tutto() {
        auto nodo = o();
        spazi();
        if (p_ < t_.size())
            throw ErroreSintassi{"testo inatteso \"" + t_.mid(p_) + "\""};
        return nodo;
    }

private:
    void spazi() {
        while (p_ < t_.size() && t_[p_].isSpace())
            ++p_;
    }
    bool simbolo(QStringView s) {
        spazi();
        if (QStringView(t_).mid(p_).startsWith(s)) {
            p_ += s.size();
            return true;
        }
        return false;
    }
    // A word operator (and, or, not) not followed by more of a name.
    bool parola(QStringView w) {
        spazi();
        const QStringView resto = QStringView(t_).mid(p_);
        if (!resto.startsWith(w, Qt::CaseInsensitive))
            return false;
        if (resto.size() > w.size() && (resto[w.size()].isLetterOrNumber() ||
                                        resto[w.size()] == u'_' || resto[w.size()] == u'$'))
            return false;
        p_ += w.size();
        return true;
    }
    static std::unique_ptr<Nodo> binario(const QString& op, std::unique_ptr<Nodo> a,
                                         std::unique_ptr<Nodo> b) {
        auto n = std::make_unique<Nodo>();
        n->tipo = Nodo::Tipo::Binario;
        n->nome = op;
        n->figli.push_back(std::move(a));
        n->figli.push_back(std::move(b));
        return n;
    }
    static std::unique_ptr<Nodo> unario(const QString& op, std::unique_ptr<Nodo> a) {
        auto n = std::make_unique<Nodo>();
        n->tipo = Nodo::Tipo::Unario;
        n->nome = op;
        n->figli.push_back(std::move(a));
        return n;
    }

    std::unique_ptr<Nodo> o() {
        auto a = e();
        while (parola(u"or"))
            a = binario(QStringLiteral("OR"), std::move(a), e());
        return a;
    }
    std::unique_ptr<Nodo> e() {
        auto a = non();
        while (parola(u"and"))
            a = binario(QStringLiteral("AND"), std::move(a), non());
        return a;
    }
    std::unique_ptr<Nodo> non() {
        if (parola(u"not"))
            return unario(QStringLiteral("NOT"), non());
        return confronto();
    }
    std::unique_ptr<Nodo> confronto() {
        auto a = somma();
        for (const char16_t* op : {u"<>", u"<=", u">=", u"=", u"<", u">"})
            if (simbolo(op))
                return binario(QString::fromUtf16(op), std::move(a), somma());
        return a;
    }
    std::unique_ptr<Nodo> somma() {
        auto a = prodotto();
        while (true) {
            if (simbolo(u"+"))
                a = binario(QStringLiteral("+"), std::move(a), prodotto());
            else if (simbolo(u"-"))
                a = binario(QStringLiteral("-"), std::move(a), prodotto());
            else
                return a;
        }
    }
    std::unique_ptr<Nodo> prodotto() {
        auto a = segno();
        while (true) {
            if (simbolo(u"*"))
                a = binario(QStringLiteral("*"), std::move(a), segno());
            else if (simbolo(u"/"))
                a = binario(QStringLiteral("/"), std::move(a), segno());
            else
                return a;
        }
    }
    std::unique_ptr<Nodo> segno() {
        if (simbolo(u"-"))
            return unario(QStringLiteral("-"), segno());
        return primario();
    }
    std::unique_ptr<Nodo> primario() {
        spazi();
        if (p_ >= t_.size())
            throw ErroreSintassi{QStringLiteral("espressione incompleta")};
        const QChar c = t_[p_];
        auto n = std::make_unique<Nodo>();
        if (c == u'(') {
            ++p_;
            auto dentro = o();
            if (!simbolo(u")"))
                throw ErroreSintassi{QStringLiteral("manca \")\"")};
            return dentro;
        }
        if (c == u'"' || c == u'\'') {
            const qsizetype fine = t_.indexOf(c, p_ + 1);
            if (fine < 0)
                throw ErroreSintassi{QStringLiteral("testo senza fine")};
            n->costante = ValoreReport::Testo(t_.mid(p_ + 1, fine - p_ - 1));
            p_ = fine + 1;
            return n;
        }
        if (c.isDigit()) {
            const qsizetype inizio = p_;
            while (p_ < t_.size() && (t_[p_].isDigit() || t_[p_] == u'.'))
                ++p_;
            n->costante = ValoreReport::Numero(t_.mid(inizio, p_ - inizio).toDouble());
            return n;
        }
        if (c.isLetter() || c == u'_') {
            const qsizetype inizio = p_;
            while (p_ < t_.size() && (t_[p_].isLetterOrNumber() || t_[p_] == u'_' ||
                                      t_[p_] == u'.' || t_[p_] == u'$'))
                ++p_;
            const QString nome = t_.mid(inizio, p_ - inizio);
            if (!simbolo(u"(")) {
                n->tipo = Nodo::Tipo::Nome;
                n->nome = nome.toUpper();
                nomi_.append(nome);
                return n;
            }
            const Funzione* f = funzione(nome.toUpper());
            if (!f)
                throw ErroreSintassi{"funzione sconosciuta " + nome};
            n->tipo = Nodo::Tipo::Funzione;
            n->nome = nome.toUpper();
            if (!simbolo(u")")) {
                do
                    n->figli.push_back(o());
                while (simbolo(u","));
                if (!simbolo(u")"))
                    throw ErroreSintassi{QStringLiteral("manca \")\"")};
            }
            const int argomenti = int(n->figli.size());
            if (argomenti < f->minimo || argomenti > f->massimo)
                throw ErroreSintassi{"argomenti sbagliati per " + nome};
            return n;
        }
        throw ErroreSintassi{"carattere inatteso \"" + QString(c) + "\""};
    }

    const QString& t_;
    QStringList& nomi_;
    qsizetype p_ = 0;
};

double numero(const ValoreReport& v) {
    switch (v.tipo) {
    case ValoreReport::Tipo::Numero:
        return v.numero;
    case ValoreReport::Tipo::Booleano:
        return v.vero ? 1 : 0;
    case ValoreReport::Tipo::Testo:
        return textToFloat(v.testo).value_or(0);
    default:
        return 0;
    }
}

bool numerico(const ValoreReport& v) {
    return v.tipo == ValoreReport::Tipo::Numero || v.tipo == ValoreReport::Tipo::Vuoto;
}

ValoreReport valuta(const Nodo& n, const ContestoReport& c);

ValoreReport funzione(const Nodo& n, const ContestoReport& c) {
    std::vector<ValoreReport> a;
    for (const auto& figlio : n.figli)
        a.push_back(valuta(*figlio, c));
    if (n.nome == u"PAGE")
        return ValoreReport::Numero(c.Pagina);
    if (n.nome == u"FSTR$") {
        if (a[0].tipo == ValoreReport::Tipo::Vuoto)
            return ValoreReport::Testo({});
        return ValoreReport::Testo(FormattaFstr(numero(a[0]), a[1].Stampabile()));
    }
    if (n.nome == u"STR$") {
        const int lunghezza = a.size() > 1 ? int(numero(a[1])) : 0;
        const QString testo =
            a.size() > 2
                ? formatFloat(int(numero(a[2])) > 0 ? "0." + QString(int(numero(a[2])), u'0')
                                                    : QStringLiteral("0"),
                              numero(a[0]))
                : floatToText(numero(a[0]));
        return ValoreReport::Testo(testo.rightJustified(lunghezza));
    }
    const QString testo = a[0].Stampabile();
    if (n.nome == u"UPPER$")
        return ValoreReport::Testo(testo.toUpper());
    if (n.nome == u"LOWER$")
        return ValoreReport::Testo(testo.toLower());
    if (n.nome == u"LEN")
        return ValoreReport::Numero(double(testo.size()));
    const int quanti = std::max(0, int(numero(a[1])));
    if (n.nome == u"LEFT$")
        return ValoreReport::Testo(testo.left(quanti));
    if (n.nome == u"RIGHT$")
        return ValoreReport::Testo(testo.right(quanti));
    // MID$: from a 1-based position, to the end or for so many characters.
    const qsizetype da = std::max(0, int(numero(a[1])) - 1);
    return ValoreReport::Testo(a.size() > 2 ? testo.mid(da, std::max(0, int(numero(a[2]))))
                                            : testo.mid(da));
}

ValoreReport valuta(const Nodo& n, const ContestoReport& c) {
    switch (n.tipo) {
    case Nodo::Tipo::Costante:
        return n.costante;
    case Nodo::Tipo::Nome:
        for (const QHash<QString, ValoreReport>* nomi : {c.Nomi, c.AltriNomi})
            if (nomi)
                if (const auto trovato = nomi->constFind(n.nome); trovato != nomi->cend())
                    return *trovato;
        return {};
    case Nodo::Tipo::Funzione:
        return funzione(n, c);
    case Nodo::Tipo::Unario: {
        const ValoreReport a = valuta(*n.figli[0], c);
        if (n.nome == u"NOT")
            return ValoreReport::Booleano(!a.Vero());
        return ValoreReport::Numero(-numero(a));
    }
    case Nodo::Tipo::Binario:
        break;
    }
    const ValoreReport a = valuta(*n.figli[0], c);
    if (n.nome == u"AND" && !a.Vero())
        return ValoreReport::Booleano(false);
    if (n.nome == u"OR" && a.Vero())
        return ValoreReport::Booleano(true);
    const ValoreReport b = valuta(*n.figli[1], c);
    if (n.nome == u"AND" || n.nome == u"OR")
        return ValoreReport::Booleano(b.Vero());
    if (n.nome == u"+") {
        if (numerico(a) && numerico(b))
            return ValoreReport::Numero(numero(a) + numero(b));
        return ValoreReport::Testo(a.Stampabile() + b.Stampabile());
    }
    if (n.nome == u"-")
        return ValoreReport::Numero(numero(a) - numero(b));
    if (n.nome == u"*")
        return ValoreReport::Numero(numero(a) * numero(b));
    if (n.nome == u"/")
        return numero(b) == 0 ? ValoreReport() : ValoreReport::Numero(numero(a) / numero(b));
    int confronto = 0;
    if (numerico(a) && numerico(b))
        confronto = numero(a) < numero(b) ? -1 : numero(a) > numero(b) ? 1 : 0;
    else if (a.tipo == ValoreReport::Tipo::Data && b.tipo == ValoreReport::Tipo::Data)
        confronto = a.data < b.data ? -1 : a.data > b.data ? 1 : 0;
    else
        confronto = a.Stampabile().compare(b.Stampabile());
    if (n.nome == u"=")
        return ValoreReport::Booleano(confronto == 0);
    if (n.nome == u"<>")
        return ValoreReport::Booleano(confronto != 0);
    if (n.nome == u"<")
        return ValoreReport::Booleano(confronto < 0);
    if (n.nome == u">")
        return ValoreReport::Booleano(confronto > 0);
    if (n.nome == u"<=")
        return ValoreReport::Booleano(confronto <= 0);
    return ValoreReport::Booleano(confronto >= 0);
}

} // namespace

QString ValoreReport::Stampabile() const {
    switch (tipo) {
    case Tipo::Testo:
        return testo;
    case Tipo::Numero:
        return floatToText(numero);
    case Tipo::Data:
        return dateToText(data);
    case Tipo::Booleano:
        return vero ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return {};
    }
}

bool ValoreReport::Vero() const {
    switch (tipo) {
    case Tipo::Booleano:
        return vero;
    case Tipo::Numero:
        return numero != 0;
    case Tipo::Testo:
        return !testo.isEmpty();
    case Tipo::Data:
        return data.isValid();
    default:
        return false;
    }
}

EspressioneReport::EspressioneReport() = default;
EspressioneReport::~EspressioneReport() = default;
EspressioneReport::EspressioneReport(EspressioneReport&&) noexcept = default;
EspressioneReport& EspressioneReport::operator=(EspressioneReport&&) noexcept = default;

EspressioneReport EspressioneReport::Compila(const QString& testo) {
    EspressioneReport e;
    e.testo_ = testo;
    try {
        Analizzatore analisi(testo, e.nomi_);
        e.radice_ = analisi.Tutto();
    } catch (const ErroreSintassi& errore) {
        e.errore_ = errore.testo;
        e.radice_.reset();
    }
    return e;
}

ValoreReport EspressioneReport::Valuta(const ContestoReport& contesto) const {
    if (!radice_)
        return {};
    return valuta(*radice_, contesto);
}

QString FormattaFstr(double numero, const QString& figura) {
    const qsizetype punto = figura.indexOf(u'.');
    const QString intera = punto < 0 ? figura : figura.left(punto);
    const int decimali =
        punto < 0 ? 0
                  : int(figura.mid(punto + 1).count(QRegularExpression(QStringLiteral("[-#&]"))));
    // The platform's rounding, then the digits alone.
    QString cifre = formatNumber(std::abs(numero), decimali);
    cifre.remove(formatSettings().thousandSeparator);
    const qsizetype virgola = cifre.indexOf(formatSettings().decimalSeparator);
    QString interi = virgola < 0 ? cifre : cifre.left(virgola);
    const QString parteDecimale = virgola < 0 ? QString() : cifre.mid(virgola + 1);
    if (interi == u"0")
        interi.clear();
    const bool negativo =
        numero < 0 && (!interi.isEmpty() || parteDecimale.count(u'0') != parteDecimale.size());
    QString risultato;
    qsizetype k = 0; // digits written, from the right
    for (qsizetype i = intera.size() - 1; i >= 0; --i) {
        const QChar c = intera[i];
        if (c == u',') {
            const bool cifreASinistra = k < interi.size() || intera.left(i).contains(u'&');
            risultato.prepend(cifreASinistra ? formatSettings().thousandSeparator : u' ');
        } else if (c == u'-' || c == u'#' || c == u'&') {
            if (k < interi.size())
                risultato.prepend(interi[interi.size() - 1 - k++]);
            else
                risultato.prepend(c == u'&' ? u'0' : u' ');
        } else {
            risultato.prepend(c);
        }
    }
    if (k < interi.size())
        return QString(figura.size(), u'#');
    if (decimali > 0)
        risultato += formatSettings().decimalSeparator + parteDecimale;
    qsizetype inizio = 0;
    while (inizio < risultato.size() && risultato[inizio] == u' ')
        ++inizio;
    return (negativo ? QStringLiteral("-") : QString()) + risultato.mid(inizio);
}

} // namespace mavo
