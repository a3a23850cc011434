#include "query/motore/ColonneCalcolate.h"

#include "common/TabelleTemp.h"
#include "dataset/LocalTableDataset.h"
#include "db/DatabaseError.h"
#include "platform/Interazione.h"
#include "platform/Paths.h"
#include "query/risposta/Risposta.h"

#include <QDir>
#include <cmath>

namespace mavo {

namespace {

constexpr int RigheBlocco = 10000;

bool somme(const QVector<ColonnaCalcolata>& colonne) {
    for (const ColonnaCalcolata& c : colonne)
        if (c.tipo == Condizione::Tipo::SommaProg)
            return true;
    return false;
}

// The first order list given to a running sum.
QString ordine(const QVector<ColonnaCalcolata>& colonne) {
    for (const ColonnaCalcolata& c : colonne)
        if (c.tipo == Condizione::Tipo::SommaProg && !c.ordine.isEmpty())
            return c.ordine;
    return {};
}

void ordina(Risposta& risposta, const QString& elenco, Interazione& port) {
    QStringList& sql = risposta.Query().sql();
    risposta.Chiudi();
    sql << QStringLiteral("ORDER BY") << elenco;
    try {
        risposta.Apri();
    } catch (const db::DatabaseError&) {
        port.Errore("Errore impostazioni campi ordinamento! Verificare e correggere");
        risposta.Chiudi();
        sql.removeLast();
        sql.removeLast();
        risposta.Apri();
    }
}

LocalTable preparaTabella(Dataset& risposta, const QVector<ColonnaCalcolata>& colonne,
                          const QString& directoryLavoro) {
    const bool conSomme = somme(colonne);
    const QString cartella =
        joinPath(directoryLavoro, conSomme ? QStringLiteral("QUERY\\RISPTMP\\SUMPROG")
                                           : QStringLiteral("QUERY\\RISPTMP\\INTERO"));
    QDir().mkpath(toLocalPath(cartella));
    LocalTable tabella(cartella,
                       conSomme ? QStringLiteral("SUMPROG.DB") : QStringLiteral("INTERO.DB"));
    PreparaTabellaTemp(tabella);
    QStringList nomi = risposta.fieldNames();
    for (const ColonnaCalcolata& c : colonne)
        nomi << c.nome;
    nomi = NomiDistinti(nomi);
    QList<LocalField> campi;
    for (int i = 0; i < risposta.fieldCount(); ++i) {
        const Field* campo = risposta.field(i);
        campi << LocalField{nomi[i], localType(campo->dataType()), campo->size()};
    }
    for (qsizetype i = risposta.fieldCount(); i < nomi.size(); ++i)
        campi << LocalField{nomi[i], LocalField::Type::Float, 0};
    tabella.create(campi);
    return tabella;
}

// Where each computed column reads its field in the answer's fields.
QVector<int> colonneLette(const Dataset& risposta, const QVector<ColonnaCalcolata>& colonne) {
    QVector<int> posizioni;
    for (const ColonnaCalcolata& c : colonne) {
        const Field* campo = risposta.findField(c.campo);
        const int posizione = campo ? campo->fieldNo() : -1;
        if (posizione < 0)
            throw db::DatabaseError(
                QStringLiteral("Campo %1 non presente nella risposta").arg(c.campo));
        posizioni << posizione;
    }
    return posizioni;
}

} // namespace

void EseguiColonneCalcolate(Risposta& risposta, const QVector<ColonnaCalcolata>& colonne,
                            const QString& directoryLavoro, Interazione& port) {
    if (colonne.isEmpty())
        return;
    if (const QString elenco = ordine(colonne); !elenco.isEmpty())
        ordina(risposta, elenco, port);

    const auto progresso = port.CreaProgresso(QStringLiteral("Elaborazione in corso"));
    progresso->SetBarraVisibile(false);
    progresso->Mostra();
    LocalTable tabella = preparaTabella(risposta.Query(), colonne, directoryLavoro);
    const QVector<int> lette = colonneLette(risposta.Query(), colonne);
    QVector<double> totali(colonne.size(), 0.0);
    qint64 righe = 0;
    tabella.beginBatch();
    risposta.Scorri([&](QVariantList valori) {
        for (qsizetype k = 0; k < colonne.size(); ++k) {
            const QVariant letto = valori[lette[k]];
            if (colonne[k].tipo == Condizione::Tipo::SommaProg) {
                if (!letto.isNull())
                    totali[k] += letto.toDouble();
                valori << totali[k];
            } else {
                valori << (letto.isNull() ? QVariant() : QVariant(std::trunc(letto.toDouble())));
            }
        }
        tabella.insert(valori);
        if (++righe % RigheBlocco == 0) {
            tabella.commitBatch();
            port.PompaMessaggi();
            tabella.beginBatch();
        }
    });
    tabella.commitBatch();
    risposta.MostraTabella(std::move(tabella));
}

QStringList NomiDistinti(const QStringList& nomi) {
    QStringList distinti;
    for (const QString& nome : nomi) {
        QString candidato = nome;
        for (int n = 1; distinti.contains(candidato, Qt::CaseInsensitive); ++n)
            candidato = nome + u'_' + QString::number(n);
        distinti << candidato;
    }
    return distinti;
}

} // namespace mavo
