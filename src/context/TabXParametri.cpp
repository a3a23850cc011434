#include "context/TabXForm.h"

#include "platform/Formats.h"

namespace mavo {

namespace {

// A text as the value of a parameter field: empty is null, a date is read
// with the process date format, a string is cut to the field's width.
QVariant valoreCampo(const Field& campo, const QString& testo) {
    if (testo.isEmpty())
        return {};
    if (campo.dataType() == FieldType::Date) {
        const std::optional<QDate> data = textToDate(testo);
        return data ? QVariant(*data) : QVariant();
    }
    return campo.coerce(testo);
}

} // namespace

void TTabXForm::Inserisci(const QString& Tipo, const QString& Nome, const QString& Numero,
                          const QString& Testo, const QString& Data, const QString& Memo,
                          const QString& Livello1, const QString& Livello2, const QString& Utente) {
    auto valore = [this](const char* campo, const QString& testo) {
        return valoreCampo(*MemTabX.fieldByName(campo), testo);
    };
    const bool trovato =
        MemTabX.locate({"Tipo", "Nome", "Utente"},
                       {valore("Tipo", Tipo), valore("Nome", Nome), valore("Utente", Utente)});
    if (trovato) {
        MemTabX.edit();
    } else {
        MemTabX.append();
        MemTabX.fieldByName("Tipo")->setValue(valore("Tipo", Tipo));
        MemTabX.fieldByName("Nome")->setValue(valore("Nome", Nome));
        MemTabX.fieldByName("Utente")->setValue(valore("Utente", Utente));
    }
    const std::pair<const char*, const QString&> valori[] = {
        {"Numero", Numero}, {"Testo", Testo},       {"Data", Data},
        {"Memo", Memo},     {"Livello1", Livello1}, {"Livello2", Livello2}};
    for (const auto& [campo, testo] : valori)
        MemTabX.fieldByName(campo)->setValue(valore(campo, testo));
    MemTabX.post();
}

QString TTabXForm::GetV(const QString& Nome) {
    return MemTabX.locate({"Nome"}, {Nome}) ? MemTabX.fieldByName("Testo")->asString() : QString();
}

QString TTabXForm::GetM(const QString& Nome) {
    return MemTabX.locate({"Nome"}, {Nome}) ? MemTabX.fieldByName("Memo")->asString() : QString();
}

bool TTabXForm::SetV(const QString& Nome, const QString& Testo) {
    if (!MemTabX.locate({"Nome"}, {Nome}))
        return false;
    MemTabX.edit();
    MemTabX.fieldByName("Testo")->setValue(Testo);
    MemTabX.post();
    return true;
}

bool TTabXForm::SetM(const QString& Nome, const QString& Memo) {
    if (!MemTabX.locate({"Nome"}, {Nome}))
        return false;
    MemTabX.edit();
    MemTabX.fieldByName("Memo")->setValue(Memo);
    MemTabX.post();
    return true;
}

} // namespace mavo
