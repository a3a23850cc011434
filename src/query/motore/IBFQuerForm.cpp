#include "query/motore/IBFQuerForm.h"

#include "dataset/IbQuery.h"
#include "db/DatabaseError.h"
#include "platform/Interazione.h"
#include "platform/IoError.h"
#include "query/motore/ColonneCalcolate.h"
#include "query/motore/DescrizioneTabella.h"
#include "query/risposta/Risposta.h"

namespace mavo {

namespace {

const QString ErroreSintassi =
    QStringLiteral("Si prega di verificare la sintassi delle condizioni o dei collegamenti");

int codiceTipo(const FieldDef& def) {
    switch (def.type) {
    case FieldType::String:
        return tipo_campo::Stringa;
    case FieldType::SmallInt:
        return tipo_campo::Intero16;
    case FieldType::Integer:
        return tipo_campo::Intero;
    case FieldType::LargeInt:
    case FieldType::AutoInc:
        return tipo_campo::Intero64;
    case FieldType::Float:
        return tipo_campo::Virgola;
    case FieldType::Date:
        return tipo_campo::Data;
    case FieldType::Time:
        return tipo_campo::Ora;
    case FieldType::DateTime:
        return tipo_campo::DataOra;
    case FieldType::Boolean:
        return tipo_campo::Logico;
    case FieldType::Memo:
        return tipo_campo::Memo;
    case FieldType::Blob:
        return tipo_campo::Blob;
    }
    return tipo_campo::Sconosciuto;
}

} // namespace

QString NomeTabellaRisposta(int utente, int livello, const QString& radice) {
    return (radice + QStringLiteral("%1%2"))
        .arg(utente, 2, 10, QLatin1Char('0'))
        .arg(livello, 2, 10, QLatin1Char('0'));
}

TIBFQuerForm::TIBFQuerForm(Interazione& port, db::Database& database, Impostazioni impostazioni)
    : port_(port), database_(database), impostazioni_(std::move(impostazioni)) {}

QString TIBFQuerForm::TabellaSorgente() const {
    return impostazioni_.Livello == 0
               ? impostazioni_.TabellaPrincipale
               : NomeTabellaRisposta(impostazioni_.Utente, impostazioni_.Livello - 1,
                                     impostazioni_.RadiceRisposte);
}

bool TIBFQuerForm::EseguiInterrogazione(const Definizione& definizione, Risposta& risposta,
                                        const QString& /*tabellaExtra*/, bool unione) {
    if (TestQueryCollegate && !TestQueryCollegate(definizione))
        return false;
    if (!unione)
        return Interroga(definizione.isEmpty() ? 0 : definizione.first().Numero,
                         definizione.isEmpty() ? 0 : definizione.last().Numero, definizione,
                         risposta);
    return costruisci(risposta, [&] {
        IstruzioneQuery unita;
        for (const auto& [primo, ultimo] : SegmentiUnione(definizione)) {
            const IstruzioneQuery membro = istruzione(primo, ultimo, definizione);
            // Columns computed after reading follow the first member.
            if (unita.sql.isEmpty())
                unita.calcolate = membro.calcolate;
            else
                unita.sql << QStringLiteral("UNION");
            unita.sql << membro.sql;
        }
        return unita;
    });
}

bool TIBFQuerForm::Interroga(int primo, int ultimo, const Definizione& definizione,
                             Risposta& risposta) {
    return costruisci(risposta, [&] { return istruzione(primo, ultimo, definizione); });
}

bool TIBFQuerForm::costruisci(Risposta& risposta,
                              const std::function<IstruzioneQuery()>& costruzione) {
    tipi_.clear();
    try {
        const IstruzioneQuery query = costruzione();
        apri(risposta, query.sql, query.calcolate);
        return true;
    } catch (const db::DatabaseError& e) {
        port_.Errore(ErroreSintassi + u'\r' + e.message());
    } catch (const IoError& e) {
        port_.Errore(ErroreSintassi + u'\r' + e.message());
    }
    risposta.Chiudi();
    return false;
}

IstruzioneQuery TIBFQuerForm::istruzione(int primo, int ultimo, const Definizione& definizione) {
    return mavo::Interroga(definizione, primo, ultimo, TabellaSorgente(),
                           [&](const QString& nome) { return Campo(nome, definizione); });
}

void TIBFQuerForm::apri(Risposta& risposta, const QStringList& sql,
                        const QVector<ColonnaCalcolata>& calcolate) {
    risposta.Chiudi();
    IbQuery& query = risposta.Query();
    // Conditions are SQL as the user wrote it: nothing in them is a parameter.
    query.setParamCheck(false);
    query.setSql(sql);
    Ordinato = false;
    if (CopiaSql) {
        MemoPerClipboard = TestoPerAppunti(sql);
        return;
    }
    risposta.Apri();
    EseguiColonneCalcolate(risposta, calcolate, impostazioni_.DirectoryLavoro, port_);
}

Definizione TIBFQuerForm::DefinizioneIniziale() {
    const QString tabella = TabellaSorgente();
    Definizione righe;
    try {
        for (const FieldDef& campo : descriviTabella(tabella))
            righe.append({int(righe.size()) + 1, campo.name, mostra::Mostrato, {}});
    } catch (const db::DatabaseError& e) {
        throw db::DatabaseError("Impossibile leggere la tabella " + tabella + u'\r' + e.message(),
                                e.sqlCode(), e.gdsCode());
    }
    return righe;
}

QVector<FieldDef> TIBFQuerForm::descriviTabella(const QString& tabella) {
    return DescriviTabella(database_, tabella);
}

int TIBFQuerForm::DeterminaTipoCampo(const QString& nome, const Definizione& definizione) {
    return Campo(nome, definizione).tipo;
}

InfoCampo TIBFQuerForm::Campo(const QString& nome, const Definizione& definizione) {
    if (!nome.contains(u'.'))
        return campiDi(TabellaSorgente()).value(nome.toUpper());
    // A linked table's field: its table is named by the nearest header above it.
    qsizetype riga = definizione.size() - 1;
    while (riga >= 0 && definizione[riga].Nome.compare(nome, Qt::CaseInsensitive) != 0)
        --riga;
    while (riga >= 0 && !mostra::Testata(definizione[riga].Mostra))
        --riga;
    if (riga < 0)
        return {};
    return campiDi(TabellaTestata(definizione[riga])).value(nome.mid(2).toUpper());
}

const QHash<QString, InfoCampo>& TIBFQuerForm::campiDi(const QString& tabella) {
    const auto trovata = tipi_.constFind(tabella);
    if (trovata != tipi_.cend())
        return *trovata;
    QHash<QString, InfoCampo>& campi = tipi_[tabella];
    // A table that cannot be read has no fields to tell: the statement that
    // names it will say why.
    try {
        for (const FieldDef& def : descriviTabella(tabella))
            campi.insert(def.name.toUpper(), {codiceTipo(def), def.size});
    } catch (const db::DatabaseError&) {
    }
    return campi;
}

} // namespace mavo
