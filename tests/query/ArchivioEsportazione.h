#pragma once

#include "support/QtPrinters.h"
#include "support/TestDb.h"

#include "platform/ScriptedInterazione.h"
#include "query/esporta/Esportazione.h"
#include "query/motore/IBFQuerForm.h"
#include "query/risposta/Risposta.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mavo::test {

// Three articles of every kind of field an answer shows: code, text with
// "è" and "€", fixed-point price, date, memo with a line break and a ';',
// double. Row 2 is all nulls but its code.
class ArchivioEsportazione : public testing::Test {
protected:
    void SetUp() override {
        archivio.exec(
            {"CREATE TABLE ART (COD INTEGER NOT NULL PRIMARY KEY, DESCR VARCHAR(20), "
             "PREZZO NUMERIC(15,2), DATA DATE, NOTE BLOB SUB_TYPE 1, QTA DOUBLE PRECISION)",
             "INSERT INTO ART VALUES (1, 'Caffè €', 1234.5, '2024-01-05', 'riga uno' || "
             "ASCII_CHAR(13) || ASCII_CHAR(10) || 'riga; due', 3)",
             "INSERT INTO ART VALUES (2, NULL, NULL, NULL, NULL, NULL)",
             "INSERT INTO ART VALUES (3, 'Tè', -0.5, '1999-12-31', 'x', 1234567.891)"});
    }

    // The answer with every field of ART (or the definition given).
    void apri(const Definizione& definizione = {}) {
        ASSERT_TRUE(motore.EseguiInterrogazione(definizione.isEmpty() ? motore.DefinizioneIniziale()
                                                                      : definizione,
                                                risposta, {}, false));
    }

    ContestoEsportazione contesto() const {
        return {.Ditta = "DEMO",
                .DirectoryLavoro = cartella.path(),
                .FileImpostazioni = cartella.filePath("tervald.ini"),
                .NomeFile = "ART.TXT"};
    }

    // Options for a file named `nome` in the test's folder (given without a
    // trailing separator: the export adds it).
    OpzioniEsportazione opzioni(TipoExport tipo, const QString& nome) const {
        OpzioniEsportazione o;
        o.Tipo = tipo;
        o.Cartella = cartella.path();
        o.NomeFile = nome;
        o.Esito = 1;
        return o;
    }

    QByteArray contenuto(const QString& nome) const {
        QFile file(cartella.filePath(nome));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(nessun file)");
    }

    Field* campo(const char* nome) { return risposta.Dati().fieldByName(nome); }

    TestDb archivio;
    QTemporaryDir cartella;
    ScriptedInterazione port;
    TIBFQuerForm motore{
        port, archivio.db(), {.TabellaPrincipale = "ART", .DirectoryLavoro = cartella.path()}};
    Risposta risposta{archivio.db()};
    EsportazioneRisposta esportazione{port, risposta, contesto()};
};

} // namespace mavo::test
