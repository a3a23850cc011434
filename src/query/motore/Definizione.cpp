#include "query/motore/Definizione.h"

#include "dataset/MemoryDataset.h"

#include <algorithm>

namespace mavo {

StatoDefinizione DerivaStato(const Definizione& righe) {
    StatoDefinizione stato;
    stato.F11 = !righe.isEmpty() && righe.first().Mostra == mostra::MarcatoreCatena &&
                righe.first().Nome == u"QUERY PRECEDENTE";
    for (const RigaDefinizione& riga : righe) {
        if (stato.Bloccata && !stato.Affiancata && riga.Mostra != mostra::MarcatoreCatena)
            stato.Affiancata = true;
        if (!stato.Bloccata && riga.Mostra == mostra::Marcatore)
            stato.Bloccata = true;
        if (riga.Mostra == mostra::MarcatoreCatena) {
            stato.InCatena = true;
            stato.F12 = stato.F12 || riga.Nome == u"QUERY SUCCESSIVA";
        }
    }
    return stato;
}

bool TestataQueryCollegata(const RigaDefinizione& riga) {
    return mostra::Testata(riga.Mostra) && riga.Nome.startsWith(u"XXXXXXXX.XXX");
}

QString TabellaTestata(const RigaDefinizione& testata) {
    if (TestataQueryCollegata(testata))
        return testata.Condizione.left(4);
    return testata.Nome.chopped(std::min<qsizetype>(4, testata.Nome.size()));
}

void CreaTabIntTmp(MemoryDataset& tabella, int lunghezzaNome, int lunghezzaCondizione) {
    tabella.close();
    tabella.clearFieldDefs();
    tabella.addFieldDef("Numero", FieldType::SmallInt);
    tabella.addFieldDef("Nome", FieldType::String, lunghezzaNome);
    tabella.addFieldDef("Mostra", FieldType::SmallInt);
    tabella.addFieldDef("Condizione", FieldType::String, lunghezzaCondizione);
    tabella.open();
}

void RiempiTabIntTmp(MemoryDataset& definizione, const Dataset& tabella) {
    Definizione righe;
    for (int i = 0; i < tabella.fieldCount(); ++i)
        righe.append({i + 1, tabella.field(i)->fieldName(), mostra::Mostrato, QString()});
    ScriviDefinizione(definizione, righe);
}

Definizione LeggiDefinizione(MemoryDataset& definizione) {
    Definizione righe;
    Field* numero = definizione.fieldByName("Numero");
    Field* nome = definizione.fieldByName("Nome");
    Field* mostra = definizione.fieldByName("Mostra");
    Field* condizione = definizione.fieldByName("Condizione");
    const Dataset::Bookmark posizione = definizione.bookmark();
    for (definizione.first(); !definizione.eof(); definizione.next())
        righe.append({int(numero->asInteger()), nome->asString(), int(mostra->asInteger()),
                      condizione->asString()});
    definizione.gotoBookmark(posizione);
    return righe;
}

void ScriviDefinizione(MemoryDataset& definizione, const Definizione& righe) {
    definizione.emptyTable();
    for (const RigaDefinizione& riga : righe) {
        definizione.append();
        definizione.fieldByName("Numero")->setValue(riga.Numero);
        definizione.fieldByName("Nome")->setValue(riga.Nome);
        definizione.fieldByName("Mostra")->setValue(riga.Mostra);
        definizione.fieldByName("Condizione")->setValue(riga.Condizione);
        definizione.post();
    }
    definizione.first();
}

} // namespace mavo
