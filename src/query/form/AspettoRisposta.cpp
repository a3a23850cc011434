#include "query/form/AspettoRisposta.h"

#include "common/Testo.h"
#include "dataset/DatasetModel.h"
#include "dataset/MemoryDataset.h"
#include "platform/Cp1252.h"
#include "query/risposta/CodiciVisualizzazione.h"

#include <algorithm>

namespace mavo {

namespace {

QVector<Field*> campiInOrdine(const Dataset& dati) {
    QVector<Field*> campi;
    for (int i = 0; i < dati.fieldCount(); ++i)
        campi << dati.field(i);
    return campi;
}

// The text of a memo, or of a blob holding text as the host's programs write it.
QString testoLungo(const Field& campo, const QVariant& valore) {
    if (valore.isNull())
        return {};
    if (campo.dataType() == FieldType::Blob)
        return fromCp1252(valore.toByteArray());
    // The wrap breaks lines at CR LF: line ends of any kind are made so.
    QString testo = valore.toString();
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(u'\r', u'\n');
    testo.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return testo;
}

} // namespace

void CreaTabAspRTmp(MemoryDataset& tabella) {
    tabella.close();
    tabella.clearFieldDefs();
    tabella.addFieldDef("NCampo", FieldType::SmallInt);
    tabella.addFieldDef("NomeCampo", FieldType::String, 40);
    tabella.addFieldDef("Dim", FieldType::SmallInt);
    tabella.addFieldDef("Vis", FieldType::SmallInt);
    tabella.addFieldDef("Pos", FieldType::SmallInt);
    tabella.addFieldDef("Raggruppa", FieldType::SmallInt);
    tabella.open();
}

Aspetto AspettoDi(const Dataset& risposta, const CodiciVisualizzazione& codici) {
    QVector<Field*> campi = campiInOrdine(risposta);
    std::sort(campi.begin(), campi.end(),
              [](const Field* a, const Field* b) { return a->fieldNo() < b->fieldNo(); });
    Aspetto righe;
    for (const Field* campo : std::as_const(campi))
        righe.append({campo->fieldNo(), campo->fieldName(), campo->displayWidth(),
                      campo->visible() ? 1 : 0, campo->index(), codici.Codice(campo->fieldNo())});
    return righe;
}

Aspetto LeggiAspetto(MemoryDataset& tabella) {
    Aspetto righe;
    const auto intero = [&](const char* nome) {
        return int(tabella.fieldByName(nome)->asInteger());
    };
    for (tabella.first(); !tabella.eof(); tabella.next())
        righe.append({intero("NCampo"), tabella.fieldByName("NomeCampo")->asString(), intero("Dim"),
                      intero("Vis"), intero("Pos"), intero("Raggruppa")});
    tabella.first();
    return righe;
}

void ScriviAspetto(MemoryDataset& tabella, const Aspetto& righe) {
    tabella.emptyTable();
    for (const RigaAspetto& riga : righe) {
        tabella.append();
        tabella.fieldByName("NCampo")->setValue(riga.NCampo);
        tabella.fieldByName("NomeCampo")->setValue(riga.NomeCampo);
        tabella.fieldByName("Dim")->setValue(riga.Dim);
        tabella.fieldByName("Vis")->setValue(riga.Vis);
        tabella.fieldByName("Pos")->setValue(riga.Pos);
        tabella.fieldByName("Raggruppa")->setValue(riga.Raggruppa);
        tabella.post();
    }
    tabella.first();
}

void SalvaAspetto(MemoryDataset& tabella, const Dataset& risposta,
                  const CodiciVisualizzazione& codici) {
    ScriviAspetto(tabella, AspettoDi(risposta, codici));
}

void RipristinaAspetto(MemoryDataset& tabella, Dataset& risposta) {
    RipristinaAspetto(LeggiAspetto(tabella), risposta);
}

void RipristinaAspetto(const Aspetto& righe, Dataset& risposta) {
    struct Posto {
        Field* campo;
        int pos;
    };
    QVector<Posto> posti;
    for (const RigaAspetto& riga : righe) {
        Field* campo = risposta.findField(riga.NomeCampo);
        if (!campo)
            continue;
        campo->setDisplayLabel(TitoloCampo(campo->fieldName(), riga.Dim));
        campo->setDisplayWidth(riga.Dim);
        campo->setVisible(riga.Vis == 1);
        posti.append({campo, riga.Pos});
    }
    // From the leftmost column on, so that a move never shifts a column
    // already in its place.
    std::stable_sort(posti.begin(), posti.end(),
                     [](const Posto& a, const Posto& b) { return a.pos < b.pos; });
    for (const Posto& posto : std::as_const(posti))
        risposta.moveField(posto.campo, posto.pos);
}

QString TitoloCampo(const QString& nome, int larghezza) {
    return larghezza < nome.size() ? nome.left(std::max(larghezza, 0)) : nome;
}

void TitoliRisposta(Dataset& risposta) {
    for (Field* campo : campiInOrdine(risposta))
        campo->setDisplayLabel(TitoloCampo(campo->fieldName(), campo->displayWidth()));
}

void CreaTabRecTmp(MemoryDataset& tabella) {
    tabella.close();
    tabella.clearFieldDefs();
    tabella.addFieldDef("NomeCampo", FieldType::String, 40);
    tabella.addFieldDef("Dato", FieldType::String, 100);
    tabella.open();
}

QString TestoRisposta(const Field& campo, const QVariant& valore, int tipoRaggruppamento) {
    if (campo.dataType() == FieldType::Float && !valore.isNull()) {
        if (tipoRaggruppamento == 1)
            return FormattaImporto(valore.toDouble());
        if (tipoRaggruppamento == 2)
            return FormattaIntero(valore.toDouble());
    }
    return DatasetModel::displayText(&campo, valore);
}

QVector<RigaUnRecord> RigheUnRecord(const Dataset& risposta, const CodiciVisualizzazione& codici,
                                    int larghezza, int* piuLunga) {
    QVector<RigaUnRecord> righe;
    int lunga = 0;
    for (const Field* campo : campiInOrdine(risposta)) {
        if (!campo->visible())
            continue;
        const QVariant valore = campo->value();
        if (campo->dataType() == FieldType::Memo || campo->dataType() == FieldType::Blob) {
            const QString testo = testoLungo(*campo, valore);
            qsizetype inizio = 0;
            do {
                const RigaEstratta pezzo = EstraiRiga(testo, inizio, larghezza);
                righe.append({campo->fieldName(), pezzo.riga});
                lunga = std::max(lunga, int(pezzo.riga.size()));
                inizio += pezzo.consumati;
            } while (inizio < testo.size());
            continue;
        }
        const QString testo =
            TogliACapo(TestoRisposta(*campo, valore, codici.TipoRaggruppamento(campo->fieldNo()))
                           .left(larghezza));
        righe.append({campo->fieldName(), testo});
        lunga = std::max(lunga, int(testo.size()));
    }
    if (piuLunga)
        *piuLunga = lunga;
    return righe;
}

void RiempiTabRecTmp(MemoryDataset& tabella, const QVector<RigaUnRecord>& righe) {
    tabella.emptyTable();
    for (const RigaUnRecord& riga : righe) {
        tabella.append();
        tabella.fieldByName("NomeCampo")->setValue(riga.NomeCampo);
        tabella.fieldByName("Dato")->setValue(riga.Dato);
        tabella.post();
    }
    tabella.first();
}

} // namespace mavo
