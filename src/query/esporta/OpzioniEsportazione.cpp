#include "query/esporta/OpzioniEsportazione.h"

#include "platform/Paths.h"

#include <array>

namespace mavo {

namespace {

constexpr std::array<std::pair<TipoExport, const char*>, 6> parole = {{
    {TipoExport::Testo, "Testo"},
    {TipoExport::IB, "IB"},
    {TipoExport::Excel, "Excel"},
    {TipoExport::ExcelX, "ExcelX"},
    {TipoExport::ExcelL, "ExcelL"},
    {TipoExport::ExcelLTesto, "ExcelLTesto"},
}};

} // namespace

QString ParolaTipo(TipoExport tipo) {
    for (const auto& [t, parola] : parole)
        if (t == tipo)
            return QString::fromLatin1(parola);
    return {};
}

std::optional<TipoExport> TipoDaParola(const QString& parola) {
    for (const auto& [t, p] : parole)
        if (parola == QLatin1String(p))
            return t;
    return std::nullopt;
}

bool TipoFoglio(TipoExport tipo) {
    return tipo != TipoExport::Testo && tipo != TipoExport::IB;
}

QString OpzioniEsportazione::Destinazione() const {
    return joinPath(Cartella, NomeFile);
}

QString ContestoEsportazione::FileImpostazioniEffettivo() const {
    return FileImpostazioni.isEmpty() ? settingsFilePath() : FileImpostazioni;
}

} // namespace mavo
