#include "query/calcoli/OrdineETotali.h"

#include "dataset/Dataset.h"
#include "query/risposta/CodiciVisualizzazione.h"

#include <algorithm>
#include <map>

namespace mavo {

bool NumericoPerTotali(FieldType tipo) {
    return tipo == FieldType::SmallInt || tipo == FieldType::Integer || tipo == FieldType::Float;
}

bool NumericoPerSomma(FieldType tipo) {
    return NumericoPerTotali(tipo) || tipo == FieldType::LargeInt;
}

bool Ordinabile(FieldType tipo) {
    return tipo != FieldType::Blob && tipo != FieldType::Memo;
}

QVector<CampoRisposta> CampiRisposta(const Dataset& risposta) {
    QVector<CampoRisposta> campi(risposta.fieldCount());
    for (int i = 0; i < risposta.fieldCount(); ++i) {
        const Field* campo = risposta.field(i);
        campi[campo->fieldNo()] = {campo->fieldName(), campo->dataType()};
    }
    return campi;
}

StatoOrdETot LeggiOrdETot(const QVector<CampoRisposta>& campi,
                          const CodiciVisualizzazione& codici) {
    StatoOrdETot stato;
    std::map<int, QString> chiavi;
    for (int n = 0; n < campi.size(); ++n) {
        const int codice = codici.Codice(n);
        stato.decrescente = stato.decrescente || OrdineDecrescente(codice);
        const int posizione = EstraiPosizioneOrdinamento(codice);
        if (posizione != 0)
            chiavi[posizione] = campi[n].nome;
        else if (Ordinabile(campi[n].tipo))
            stato.disponibili << campi[n].nome;
        if (ControlloSuTotali(codice))
            stato.totali << campi[n].nome;
        else if (NumericoPerTotali(campi[n].tipo))
            stato.numerici << campi[n].nome;
    }
    for (const auto& [posizione, nome] : chiavi)
        stato.chiave << nome;
    return stato;
}

void ScriviOrdETot(const QVector<CampoRisposta>& campi, const StatoOrdETot& stato,
                   CodiciVisualizzazione& codici) {
    for (int n = 0; n < campi.size(); ++n) {
        const int vecchio = codici.Codice(n) % 100000;
        const int posizione = int(stato.chiave.indexOf(campi[n].nome)) + 1;
        const int d = posizione > 0 && stato.decrescente ? 1 : 0;
        const int t = stato.totali.contains(campi[n].nome) ? 1 : 0;
        codici.SetCodice(n, d * 10000 + posizione * 100 + t * 10 + vecchio % 10);
    }
}

QStringList OrdinaIstruzione(QStringList sql, bool& ordinato, const CodiciVisualizzazione& codici,
                             int colonne) {
    bool voluto = false;
    bool decrescente = false;
    std::map<int, int> chiavi; // place among the keys -> column number
    for (int n = 0; n < colonne; ++n) {
        const int codice = codici.Codice(n);
        voluto = voluto || codice >= 100;
        decrescente = decrescente || OrdineDecrescente(codice);
        const int posizione = EstraiPosizioneOrdinamento(codice);
        if (posizione >= 1 && posizione <= MassimoChiavi)
            chiavi[posizione] = n + 1;
    }
    if (ordinato) {
        // The clause the ordering wrote last, from its ORDER BY to the end.
        for (qsizetype i = sql.size() - 1; i >= 0; --i)
            if (sql[i].contains(QStringLiteral("ORDER BY"))) {
                sql.erase(sql.begin() + i, sql.end());
                break;
            }
        ordinato = false;
    }
    if (!voluto || chiavi.empty())
        return sql;
    sql << QStringLiteral("ORDER BY");
    const QString verso = decrescente ? QStringLiteral(" DESCENDING") : QString();
    for (auto it = chiavi.begin(); it != chiavi.end(); ++it)
        sql << QString::number(it->second) + verso +
                   (std::next(it) != chiavi.end() ? QStringLiteral(", ") : QString());
    ordinato = true;
    return sql;
}

} // namespace mavo
