#pragma once

#include "host/demo/DemoEnvironment.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

namespace mavo::test {

// What a run of the tool left behind.
struct EsitoCli {
    int codice = -1;
    QString out;
    QString err;
    QStringList righe() const; // stdout, one entry per line
};

// A demo host directory of its own for each test (a copy of one made for the
// whole suite, its settings pointed at the copy), and the real command-line
// tools run on it.
class AmbienteCli : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    EsitoCli sincronetti(const QStringList& argomenti);
    EsitoCli interroga(const QStringList& argomenti);
    EsitoCli strumento(const QString& programma, const QStringList& argomenti);
    // A definition file for --definizione with these bytes, in the test's folder.
    QString fileDefinizione(const QByteArray& testo);
    // First column of the first row of a select on an archive of the copy.
    QVariant suArchivio(const QString& sql);
    QVariant suListino(const QString& sql);
    void eseguiSuArchivio(const QString& sql);

    QTemporaryDir dir;
    AmbienteDemo ambiente;

private:
    static inline std::unique_ptr<QTemporaryDir> modello_;
};

} // namespace mavo::test
