#include "query/esporta/ScrittoreXlsx.h"

#include "platform/IoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <xlsxwriter.h>

namespace mavo {

namespace {

IoError erroreXlsx(const QString& percorso, lxw_error errore) {
    return IoError("Errore nella scrittura del file " + QDir::toNativeSeparators(percorso) + "\n" +
                   QString::fromUtf8(lxw_strerror(errore)));
}

} // namespace

struct ScrittoreXlsx::Dati {
    QString percorso;
    QString temporaneo;
    QByteArray cartella; // libxlsxwriter's own work files go beside the target too
    int righePerFoglio = MassimoRighe;
    std::optional<ModelloFoglio> modello;

    lxw_workbook* libro = nullptr;
    lxw_worksheet* foglio = nullptr;
    lxw_format* data = nullptr;
    lxw_format* dataOra = nullptr;
    lxw_format* ora = nullptr;
    lxw_format* importo = nullptr;
    lxw_format* intero = nullptr;
    lxw_format* titolo = nullptr;
    QStringList titoli;
    QVector<int> larghezze;
    int righeFoglio = 0;
    int fogli = 0;
    bool chiuso = false;

    ~Dati() {
        if (libro)
            lxw_workbook_free(libro);
        if (!chiuso)
            QFile::remove(temporaneo);
    }

    void verifica(lxw_error esito) const {
        if (esito != LXW_NO_ERROR)
            throw erroreXlsx(percorso, esito);
    }

    lxw_format* formato(const char* numeri) {
        lxw_format* f = workbook_add_format(libro);
        format_set_num_format(f, numeri);
        return f;
    }

    void scrivi(int riga, int colonna, const Cella& cella) {
        const auto r = lxw_row_t(riga);
        const auto c = lxw_col_t(colonna);
        switch (cella.tipo) {
        case Cella::Tipo::Vuota:
            return;
        case Cella::Tipo::Numero:
            if (std::isfinite(cella.numero))
                verifica(worksheet_write_number(foglio, r, c, cella.numero,
                                                cella.formato == Cella::Formato::Importo ? importo
                                                : cella.formato == Cella::Formato::Intero
                                                    ? intero
                                                    : nullptr));
            return;
        case Cella::Tipo::Data:
            verifica(worksheet_write_number(foglio, r, c, cella.numero, data));
            return;
        case Cella::Tipo::DataOra:
            verifica(worksheet_write_number(foglio, r, c, cella.numero, dataOra));
            return;
        case Cella::Tipo::Ora:
            verifica(worksheet_write_number(foglio, r, c, cella.numero, ora));
            return;
        case Cella::Tipo::Testo:
            verifica(worksheet_write_string(
                foglio, r, c, cella.testo.left(MassimoCaratteriCella).toUtf8().constData(),
                nullptr));
            return;
        case Cella::Tipo::Logico:
            verifica(worksheet_write_boolean(foglio, r, c, cella.numero != 0, nullptr));
            return;
        }
    }

    void apriFoglio() {
        ++fogli;
        const bool conModello = fogli == 1 && modello && !modello->nome.isEmpty();
        const QByteArray nome =
            (conModello ? modello->nome : QStringLiteral("Foglio%1").arg(fogli)).toUtf8();
        foglio = workbook_add_worksheet(libro, nome.constData());
        if (!foglio)
            throw IoError("Errore nella scrittura del file " + QDir::toNativeSeparators(percorso));
        for (int c = 0; c < larghezze.size(); ++c)
            verifica(worksheet_set_column(foglio, lxw_col_t(c), lxw_col_t(c),
                                          std::min(larghezze[c], 254) + 1, nullptr));
        righeFoglio = 0;
        if (fogli == 1 && modello) {
            for (const ModelloFoglio::Valore& v : modello->valori)
                scrivi(v.riga, v.colonna, v.cella);
            righeFoglio = modello->righe;
        }
        for (int c = 0; c < titoli.size(); ++c)
            verifica(worksheet_write_string(foglio, lxw_row_t(righeFoglio), lxw_col_t(c),
                                            titoli[c].toUtf8().constData(), titolo));
        ++righeFoglio;
    }
};

ScrittoreXlsx::ScrittoreXlsx(const QString& percorso, int righePerFoglio,
                             std::optional<ModelloFoglio> modello)
    : d_(std::make_unique<Dati>()) {
    Dati& d = *d_;
    d.percorso = percorso;
    d.righePerFoglio = std::clamp(righePerFoglio, 2, MassimoRighe);
    d.modello = std::move(modello);
    // The model's rows and a header leave room for at least one row of data.
    if (d.modello && d.modello->righe > d.righePerFoglio - 2)
        d.modello.reset();
    const QFileInfo info(percorso);
    if (!info.absoluteDir().exists())
        throw IoError("Impossibile creare il file " + QDir::toNativeSeparators(percorso) +
                      ": la cartella non esiste");
    d.cartella = QFile::encodeName(info.absolutePath());
    d.temporaneo = info.absoluteDir().filePath(
        QStringLiteral(".%1.%2")
            .arg(info.fileName())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    lxw_workbook_options opzioni{};
    opzioni.constant_memory = LXW_TRUE;
    opzioni.tmpdir = d.cartella.data();
    opzioni.use_zip64 = LXW_TRUE;
    d.libro = workbook_new_opt(QFile::encodeName(d.temporaneo).constData(), &opzioni);
    if (!d.libro)
        throw IoError("Impossibile creare il file " + QDir::toNativeSeparators(percorso));
    d.data = d.formato("dd/mm/yyyy");
    d.dataOra = d.formato("dd/mm/yyyy hh:mm:ss");
    d.ora = d.formato("hh:mm:ss");
    d.importo = d.formato("#,##0.00");
    d.intero = d.formato("#,##0");
    d.titolo = workbook_add_format(d.libro);
    format_set_bold(d.titolo);
}

ScrittoreXlsx::~ScrittoreXlsx() = default;

void ScrittoreXlsx::Colonne(const QStringList& titoli, const QVector<int>& larghezze) {
    if (titoli.size() > LXW_COL_MAX)
        throw IoError(
            QStringLiteral("Il formato xlsx ammette al massimo %1 colonne").arg(LXW_COL_MAX));
    d_->titoli = titoli;
    d_->larghezze = larghezze;
    d_->apriFoglio();
}

void ScrittoreXlsx::Riga(const QVector<Cella>& celle) {
    Dati& d = *d_;
    if (!d.foglio || d.righeFoglio >= d.righePerFoglio)
        d.apriFoglio();
    const int riga = d.righeFoglio++;
    const int colonne = std::min<int>(int(celle.size()), LXW_COL_MAX);
    for (int c = 0; c < colonne; ++c)
        d.scrivi(riga, c, celle[c]);
}

void ScrittoreXlsx::Chiudi() {
    Dati& d = *d_;
    if (d.chiuso)
        return;
    if (!d.foglio)
        d.apriFoglio();
    const lxw_error esito = workbook_close(d.libro); // frees the workbook in any case
    d.libro = nullptr;
    if (esito != LXW_NO_ERROR)
        throw erroreXlsx(d.percorso, esito);
    // rename() replaces an existing target in one step.
    if (std::rename(QFile::encodeName(d.temporaneo).constData(),
                    QFile::encodeName(d.percorso).constData()) != 0)
        throw IoError("Impossibile scrivere il file " + QDir::toNativeSeparators(d.percorso));
    d.chiuso = true;
}

} // namespace mavo
