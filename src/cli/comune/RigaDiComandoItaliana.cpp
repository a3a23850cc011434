#include "cli/comune/RigaDiComandoItaliana.h"

#include "context/TabXForm.h"
#include "platform/Interazione.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <iostream>

namespace mavo {

namespace {

// "a, b o c": the commands of the tool, for a line that names none.
QString comandi(const CLI::App& app) {
    QStringList nomi;
    for (const CLI::App* comando : app.get_subcommands({}))
        nomi << QString::fromStdString(comando->get_name());
    const QString ultimo = nomi.isEmpty() ? QString() : nomi.takeLast();
    return nomi.isEmpty() ? ultimo : nomi.join(QStringLiteral(", ")) + " o " + ultimo;
}

// The parser's errors, said in Italian; the names they carry stay as typed.
QString errore(const CLI::ParseError& e, const CLI::App& app) {
    const QString testo = QString::fromStdString(e.what());
    const QString nome = testo.section(QStringLiteral(": "), 0, 0);
    const QString resto = testo.section(QStringLiteral(": "), 1);
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        if (testo.startsWith(QStringLiteral("A subcommand"))) {
            const std::vector<std::string> ignoti = app.remaining();
            if (!ignoti.empty())
                return "Comando sconosciuto: " + QString::fromStdString(ignoti.front());
            return "Manca il comando (" + comandi(app) + ")";
        }
        return "Manca l'argomento obbligatorio " +
               testo.section(QStringLiteral(" is required"), 0, 0);
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&e))
        return "Argomenti non previsti: " + resto;
    if (dynamic_cast<const CLI::ConversionError*>(&e)) {
        const QString opzione = resto.section(QStringLiteral(" = "), 0, 0);
        return "Valore non valido per " + opzione + ": " + resto.section(QStringLiteral(" = "), 1);
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e))
        return "Valore non ammesso per " + nome + ": " + resto.section(u' ', 0, 0);
    if (dynamic_cast<const CLI::ExcludesError*>(&e))
        return "Opzioni che si escludono: " +
               QString(testo).replace(QStringLiteral(" excludes "), " e ");
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e))
        return "Manca il valore di " + nome;
    return "Riga di comando non valida: " + testo;
}

// A number without exponent or thousands, as many decimals as it has.
QString numero(double valore) {
    QString testo = QString::number(valore, 'f', 10);
    while (testo.endsWith(u'0'))
        testo.chop(1);
    if (testo.endsWith(u'.'))
        testo.chop(1);
    return testo.replace(u'.', u',');
}

} // namespace

void PreparaRigaDiComando(CLI::App& app, const char* noteFinali, int& utente) {
    app.footer(noteFinali);
    app.option_defaults()->group("Opzioni");
    app.set_help_flag("-h,--help", "Mostra questo aiuto ed esce");
    app.require_subcommand(1);
    app.fallthrough(); // the options may also follow the command
    app.add_option(
           "--utente", utente,
           "Numero dell'utente dell'host di cui usare impostazioni e archivi (predefinito: 1)")
        ->type_name("N");
    const auto formato = app.get_formatter();
    formato->label("Usage", "Uso");
    formato->label("OPTIONS", "OPZIONI");
    formato->label("SUBCOMMAND", "COMANDO");
    formato->label("SUBCOMMANDS", "COMANDI");
    formato->label("Positionals", "Argomenti");
    formato->label("REQUIRED", "OBBLIGATORIO");
    formato->label("TEXT", "TESTO");
    formato->label("INT", "NUMERO");
}

std::optional<int> AnalizzaRigaDiComando(CLI::App& app, int argc, const char* const* argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "ERRORE: " << errore(e, app).toStdString()
                  << "\nPer l'elenco dei comandi: " << app.get_name() << " --help" << std::endl;
        return int(ErroreDiUso);
    }
    return std::nullopt;
}

QString TestoCampo(const QVariant& valore) {
    if (valore.isNull())
        return {};
    switch (valore.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numero(valore.toDouble());
    case QMetaType::QDate:
        return valore.toDate().toString(u"dd/MM/yyyy");
    case QMetaType::QTime:
        return valore.toTime().toString(u"hh:mm:ss");
    case QMetaType::QDateTime: {
        const QDateTime momento = valore.toDateTime();
        return momento.date().toString(u"dd/MM/yyyy") + u' ' + momento.time().toString(u"hh:mm:ss");
    }
    case QMetaType::Bool:
        return valore.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return valore.toString();
    }
}

bool UtenteEsistente(TTabXForm& contesto, Interazione& port) {
    if (!contesto.GetNomeUser().isEmpty())
        return true;
    const db::Database& utenti = contesto.IBDatabaseUser;
    port.Errore(utenti.connected() ? QStringLiteral("L'utente %1 non esiste nel database utenti %2")
                                         .arg(contesto.GetNumUser())
                                         .arg(utenti.databaseName())
                                   : "Database utenti non disponibile: " + utenti.databaseName());
    return false;
}

void ScriviRiga(FILE* out, const QStringList& campi) {
    const QByteArray riga = (campi.join(u';') + u'\n').toUtf8();
    std::fwrite(riga.constData(), 1, size_t(riga.size()), out);
}

} // namespace mavo
