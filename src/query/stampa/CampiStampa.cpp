#include "query/stampa/CampiStampa.h"

#include "dataset/Dataset.h"
#include "dataset/DatasetModel.h"
#include "platform/Cp1252.h"
#include "query/risposta/CodiciVisualizzazione.h"

namespace mavo {

bool CampoStampa::Numerico() const {
    switch (Tipo) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
    case FieldType::Float:
        return true;
    default:
        return false;
    }
}

bool CampoStampa::Sommabile() const {
    return Numerico() && Tipo != FieldType::AutoInc;
}

int CampoStampa::TipoRaggruppamento() const {
    return Codice % 10;
}

bool CampoStampa::ConTotali() const {
    return ControlloSuTotali(Codice);
}

QVector<CampoStampa> CampiDaStampare(const Dataset& dati, const CodiciVisualizzazione* codici) {
    QVector<CampoStampa> campi;
    for (int i = 0; i < dati.fieldCount(); ++i) {
        const Field* f = dati.field(i);
        campi.append({.Nome = f->fieldName(),
                      .Etichetta = f->displayLabel(),
                      .Tipo = f->dataType(),
                      .Scala = f->scale(),
                      .Larghezza = f->displayWidth(),
                      .Visibile = f->visible(),
                      .Posizione = f->fieldNo(),
                      .Codice = codici ? codici->Codice(f->fieldNo()) : 0});
    }
    return campi;
}

ScorriRighe ScorriDataset(Dataset& dati) {
    return [&dati](const std::function<void(const QVariantList&)>& perRiga) {
        while (dati.canFetchMore())
            dati.fetchMore(1000);
        int campi = 0;
        for (int i = 0; i < dati.fieldCount(); ++i)
            campi = std::max(campi, dati.field(i)->fieldNo() + 1);
        for (int r = 0; r < dati.recordCount(); ++r) {
            QVariantList riga(campi);
            for (int i = 0; i < dati.fieldCount(); ++i) {
                const Field* f = dati.field(i);
                riga[f->fieldNo()] = dati.valueAt(r, f);
            }
            perRiga(riga);
        }
    };
}

QString TestoValore(const CampoStampa& campo, const QVariant& valore) {
    if (valore.isNull())
        return {};
    if (campo.Tipo == FieldType::Memo)
        return valore.toString();
    if (campo.Tipo == FieldType::Blob)
        return valore.typeId() == QMetaType::QByteArray ? fromCp1252(valore.toByteArray())
                                                        : valore.toString();
    FieldDef def;
    def.name = campo.Nome;
    def.type = campo.Tipo;
    def.scale = campo.Scala;
    const Field f(nullptr, def, campo.Posizione);
    return DatasetModel::displayText(&f, valore);
}

QString ACapoWindows(const QString& testo) {
    QString risultato;
    risultato.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == u'\r' || c == u'\n') {
            risultato += QStringLiteral("\r\n");
            if (c == u'\r' && i + 1 < testo.size() && testo[i + 1] == u'\n')
                ++i;
        } else {
            risultato += c;
        }
    }
    return risultato;
}

QString NumeroInColonna(const QString& testo, int larghezza) {
    if (testo.size() <= larghezza)
        return testo;
    return QString(std::max(larghezza, 0), u'#');
}

} // namespace mavo
