#include "grid/ordinamento/StatoOrdinamento.h"

namespace mavo {

namespace {

bool stessoCampo(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void StatoOrdinamento::Azzera() {
    *this = StatoOrdinamento();
}

void StatoOrdinamento::DoppioClicTitolo(const ColonnaTitolo& colonna, bool ctrl) {
    if (ctrl && ModoOrdinamento == 1) {
        ModoOrdinamento = 2;
        ChiaviOrdinamento.clear();
        // Without a single key the list starts empty: an empty key would
        // take a position (and a stored value) that no column owns.
        if (!CampoOrdinamento.isEmpty())
            ChiaviOrdinamento.append(
                {CampoOrdinamento, EspressioneOrdinamento, ColonnaOrdinamento, VersoOrdinamento});
    } else if (!ctrl && ModoOrdinamento == 2) {
        ModoOrdinamento = 1;
        const ChiaveOrdinamento prima = ChiaviOrdinamento.value(0);
        CampoOrdinamento = prima.Nome;
        EspressioneOrdinamento = prima.Espressione;
        ColonnaOrdinamento = prima.Colonna;
        VersoOrdinamento = prima.Verso;
        ChiaviOrdinamento.clear();
    }
    if (ModoOrdinamento == 1)
        chiaveSingola(colonna);
    else
        chiaveMultipla(colonna);
}

void StatoOrdinamento::chiaveSingola(const ColonnaTitolo& colonna) {
    VersoOrdinamento = stessoCampo(CampoOrdinamento, colonna.nome) && VersoOrdinamento == 1 ? 2 : 1;
    CampoOrdinamento = colonna.nome.toUpper();
    EspressioneOrdinamento = colonna.espressione;
    ColonnaOrdinamento = colonna.colonna;
}

void StatoOrdinamento::chiaveMultipla(const ColonnaTitolo& colonna) {
    const ChiaveOrdinamento nuova{colonna.nome.toUpper(), colonna.espressione, colonna.colonna, 1};
    for (ChiaveOrdinamento& chiave : ChiaviOrdinamento) {
        if (stessoCampo(chiave.Nome, colonna.nome)) {
            chiave = {nuova.Nome, nuova.Espressione, nuova.Colonna, chiave.Verso == 1 ? 2 : 1};
            return;
        }
    }
    ChiaviOrdinamento.append(nuova);
}

bool StatoOrdinamento::HaChiavi() const {
    return (ModoOrdinamento == 1 && !CampoOrdinamento.isEmpty()) ||
           (ModoOrdinamento == 2 && !ChiaviOrdinamento.isEmpty());
}

QVariant StatoOrdinamento::ValoreOrdinamento(const QString& nomeCampo) const {
    if (nomeCampo.isEmpty())
        return {};
    if (ModoOrdinamento == 1 && stessoCampo(CampoOrdinamento, nomeCampo))
        return VersoOrdinamento;
    if (ModoOrdinamento == 2)
        for (int k = 0; k < ChiaviOrdinamento.size(); ++k)
            if (stessoCampo(ChiaviOrdinamento[k].Nome, nomeCampo))
                return (ChiaviOrdinamento[k].Verso == 1 ? 10 : -10) * (k + 1);
    return {};
}

QString StatoOrdinamento::ListaChiavi() const {
    QString lista;
    for (const ChiaveOrdinamento& chiave : ChiaviOrdinamento)
        lista += chiave.Nome + u';';
    return lista;
}

QString StatoOrdinamento::CampiOrdinamento() const {
    return ModoOrdinamento == 2 ? ListaChiavi() : CampoOrdinamento;
}

bool StatoOrdinamento::Discendente() const {
    if (ModoOrdinamento == 2)
        return !ChiaviOrdinamento.isEmpty() && ChiaviOrdinamento.first().Verso != 1;
    return VersoOrdinamento != 1;
}

QList<std::pair<int, TColor>> StatoOrdinamento::ColoriTitoli(TColor coloreCampoOrdinato,
                                                             int colonne) const {
    const auto valida = [colonne](int colonna) { return colonna >= 0 && colonna < colonne; };
    QList<std::pair<int, TColor>> colori;
    if (ModoOrdinamento == 1 && !CampoOrdinamento.isEmpty() && valida(ColonnaOrdinamento))
        colori.append({ColonnaOrdinamento, coloreCampoOrdinato});
    if (ModoOrdinamento == 2)
        for (int k = 0; k < ChiaviOrdinamento.size(); ++k) {
            const ChiaveOrdinamento& chiave = ChiaviOrdinamento[k];
            if (!chiave.Nome.isEmpty() && valida(chiave.Colonna))
                colori.append({chiave.Colonna, k == 0   ? coloreCampoOrdinato
                                               : k == 1 ? clRossoChiaro
                                                        : clArancioChiaro});
        }
    return colori;
}

} // namespace mavo
