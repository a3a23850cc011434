#include "query/esporta/OpzioniEsportazione.h"

#include "platform/Paths.h"

#include <array>

namespace mavo {

namespace {

constexpr std::array<std::pair<TipoExport, const char*>, 6> paroleTipo = {{
    {TipoExport::Testo, "Testo"},
    {TipoExport::IB, "IB"},
    {TipoExport::Excel, "Excel"},
    {TipoExport::ExcelX, "ExcelX"},
    {TipoExport::ExcelL, "ExcelL"},
    {TipoExport::ExcelLTesto, "ExcelLTesto"},
}};

} // namespace

std::optional<TipoExport> TipoDaParola(const QString& parola) {
    for (const auto& [t, p] : paroleTipo)
        if (parola == QLatin1String(p))
            return t;
    return std::nullopt;
}

QString OpzioniEsportazione::Destinazione() const {
    return joinPath(Cartella, NomeFile);
}

QString ContestoEsportazione::FileImpostazioniEffettivo() const {
    return FileImpostazioni.isEmpty() ? settingsFilePath() : FileImpostazioni;
}

} // namespace mavo
