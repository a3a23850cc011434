#include "query/stampa/RigheTesto.h"

#include "common/Testo.h"
#include "platform/Formats.h"
#include "query/stampa/GenTabSt.h"
#include "query/stampa/LavoroStampa.h"

namespace mavo {

namespace {

int larghezzaCampo(const SorgenteStampa& sorgente, int indice) {
    const CampoStampa& campo = sorgente.Campi[indice];
    if (sorgente.UnRecord && indice == 1)
        return sorgente.ValorePiuLungo;
    return std::max<int>(campo.Larghezza, int(campo.Etichetta.size()));
}

// A numeric value as the grid's grouping display shows it.
QString raggruppato(int tipo, double valore) {
    return tipo == 1 ? FormattaImporto(valore) : FormattaIntero(valore);
}

QString aDestra(const QString& testo, int larghezza) {
    return AllineaADestra(NumeroInColonna(testo, larghezza), larghezza);
}

} // namespace

QStringList LineeAvvolte(const QString& testo, int larghezza) {
    const QString sorgente = ACapoWindows(testo);
    QStringList linee;
    for (qsizetype inizio = 0; inizio < sorgente.size();) {
        const RigaEstratta estratta = EstraiRiga(sorgente, inizio, larghezza);
        inizio += std::max<qsizetype>(estratta.consumati, 1);
        if (!estratta.riga.isEmpty())
            linee.append(estratta.riga);
    }
    return linee;
}

int DeterminaNumeroMassimoRighe(const SorgenteStampa& sorgente, const QVariantList& riga) {
    int massimo = 0;
    for (int i = 0; i < sorgente.Campi.size(); ++i) {
        const CampoStampa& campo = sorgente.Campi[i];
        // A hidden memo prints nothing: its lines would only be blank ones.
        if (!campo.Memo() || !campo.Visibile)
            continue;
        const QString testo = TestoValore(campo, riga.value(campo.Posizione));
        massimo =
            std::max<int>(massimo, int(LineeAvvolte(testo, larghezzaCampo(sorgente, i)).size()));
    }
    return massimo;
}

RigheTesto::RigheTesto(const SorgenteStampa& sorgente, bool memoEstesi)
    : sorgente_(sorgente), memoEstesi_(memoEstesi) {
    for (int i = 0; i < sorgente.Campi.size(); ++i)
        larghezze_.append(larghezzaCampo(sorgente, i));
}

int RigheTesto::Larghezza(const CampoStampa& campo) const {
    return larghezze_.value(int(&campo - sorgente_.Campi.constData()));
}

bool RigheTesto::TotaliVoluti() const {
    return mavo::TotaliVoluti(sorgente_);
}

void RigheTesto::aggiungi(QString& linea, const QString& pezzo) {
    QString parte = pezzo;
    if (linea.size() + parte.size() + 1 >= kLunghezzaRigaStampa + 1) {
        const qsizetype resto = kLunghezzaRigaStampa - linea.size() - 1;
        if (resto <= 0)
            return;
        parte.truncate(resto);
    }
    linea += parte;
    linea += u'|';
}

QString RigheTesto::RigaTitoli() const {
    QString linea = QStringLiteral("|");
    for (int i = 0; i < sorgente_.Campi.size(); ++i) {
        const CampoStampa& campo = sorgente_.Campi[i];
        if (campo.Visibile)
            aggiungi(linea, campo.Nome.left(larghezze_[i]).leftJustified(larghezze_[i]));
    }
    return linea;
}

QStringList RigheTesto::Testate(const QString& titolo, const QString& note) const {
    const QString titoli = RigaTitoli();
    return {titolo, note, QString(), titoli, QString(titoli.size(), u'-'), QString()};
}

QString RigheTesto::pezzo(const CampoStampa& campo, const QVariant& valore, int& righeMemo) const {
    const int w = Larghezza(campo);
    if (campo.Tipo == FieldType::Float && campo.TipoRaggruppamento() != 0)
        return aDestra(raggruppato(campo.TipoRaggruppamento(), valore.toDouble()), w);
    if (campo.Memo() && memoEstesi_) {
        const QStringList linee = LineeAvvolte(TestoValore(campo, valore), w);
        righeMemo = int(linee.size());
        return linee.value(0).leftJustified(w);
    }
    const QString testo = TogliACapo(TestoValore(campo, valore));
    if (campo.Numerico())
        return NumeroInColonna(testo, w).leftJustified(w);
    return testo.left(w).leftJustified(w);
}

QString RigheTesto::totale(const CampoStampa& campo, long double somma) const {
    const int w = Larghezza(campo);
    if (campo.Tipo == FieldType::Float && campo.TipoRaggruppamento() != 0)
        return aDestra(raggruppato(campo.TipoRaggruppamento(), double(somma)), w);
    if (somma == 0)
        return QString(w, u' ');
    // A plain decimal column keeps its decimals: a rounded total is another total.
    const int decimali = campo.Tipo == FieldType::Float ? campo.Scala : 0;
    return NumeroInColonna(formatNumber(double(somma), decimali), w).leftJustified(w);
}

void RigheTesto::Genera(const std::function<void(const QString&)>& riga,
                        const std::function<void(qint64)>& avanzamento) {
    const QVector<CampoStampa>& campi = sorgente_.Campi;
    int posizioni = 0;
    for (const CampoStampa& c : campi)
        posizioni = std::max(posizioni, c.Posizione + 1);
    // One sum per field of the answer, however many there are.
    QVector<long double> somme(posizioni, 0);
    const bool totali = TotaliVoluti();
    qint64 fatte = 0;

    sorgente_.Scorri([&](const QVariantList& valori) {
        const int linee =
            memoEstesi_ ? std::max(1, DeterminaNumeroMassimoRighe(sorgente_, valori)) : 1;
        QString linea = QStringLiteral("|");
        for (const CampoStampa& campo : campi) {
            const QVariant valore = valori.value(campo.Posizione);
            if (totali && campo.Sommabile() && campo.ConTotali())
                somme[campo.Posizione] += valore.toDouble();
            if (campo.Visibile) {
                int righeMemo = 0;
                aggiungi(linea, pezzo(campo, valore, righeMemo));
            }
        }
        riga(linea);
        if (linee > 1) {
            // The memos' further lines, every other column blank.
            QVector<QStringList> memo(campi.size());
            for (int i = 0; i < campi.size(); ++i)
                if (campi[i].Visibile && campi[i].Memo())
                    memo[i] = LineeAvvolte(TestoValore(campi[i], valori.value(campi[i].Posizione)),
                                           larghezze_[i]);
            for (int n = 1; n < linee; ++n) {
                QString altra = QStringLiteral("|");
                for (int i = 0; i < campi.size(); ++i)
                    if (campi[i].Visibile)
                        aggiungi(altra, memo[i].value(n).leftJustified(larghezze_[i]));
                riga(altra);
            }
        }
        if (avanzamento)
            avanzamento(++fatte);
    });

    if (!totali)
        return;
    riga(QString(RigaTitoli().size(), u'-'));
    QString linea = QStringLiteral("|");
    for (const CampoStampa& campo : campi)
        if (campo.Visibile)
            aggiungi(linea, totale(campo, somme[campo.Posizione]));
    riga(linea);
}

} // namespace mavo
