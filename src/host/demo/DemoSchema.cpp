#include "host/demo/DemoEnvironment.h"
#include "host/demo/DemoSql.h"

#include "context/TabXForm.h"
#include "db/Database.h"
#include "platform/Isql.h"
#include "platform/SqlTesto.h"

namespace mavo {

void CreaSchemaUtenti(db::Database& utenti) {
    creaTabelleMancanti(
        utenti,
        {{"UTENTI",
          {{"CREATE TABLE UTENTI(", "CODICE INTEGER NOT NULL PRIMARY KEY,",
            "NOMEUTENTE VARCHAR(30),", "PWDUTENTE VARCHAR(30),", "DITTA VARCHAR(30),",
            "PROFILOSICUREZZA INTEGER,", "TERVALD BLOB SUB_TYPE TEXT)"},
           {"CREATE UNIQUE INDEX UTENTI_NOME ON UTENTI (NOMEUTENTE)"}}},
         {"TABTERVALD",
          {{"CREATE TABLE TABTERVALD(", "UTENTE INTEGER NOT NULL,", "INTESTAZIONE VARCHAR(60),",
            "PARAMETRO VARCHAR(60),", "VALORE VARCHAR(255),", "PROGRESSIVO INTEGER,",
            "CONSTRAINT TABTERVALD_UNICA UNIQUE (UTENTE,INTESTAZIONE,PARAMETRO))"}}},
         {"ZENTRILOGFUNZ",
          {{"CREATE TABLE ZENTRILOGFUNZ(", "IDFINESTRA INTEGER NOT NULL PRIMARY KEY,",
            "UTENTE INTEGER,", "FUNZIONE VARCHAR(64),", "DATAORA TIMESTAMP,",
            "HANDLEFINESTRA VARCHAR(21))"},
           {"CREATE GENERATOR ZENTRILOGFUNZ_GEN"}}},
         {"TABSCRIPT", {TTabXForm::IstruzioneCreaTabScript()}}});
}

void CreaSchemaArchivio(db::Database& archivio) {
    creaTabelleMancanti(
        archivio,
        {{"ANAMAG",
          {{"CREATE TABLE ANAMAG(", "ID INTEGER NOT NULL PRIMARY KEY,", "FORNITORE VARCHAR(10),",
            "ESTENSIONE VARCHAR(5),", "CODICE VARCHAR(30),", "DESCRIZIONE VARCHAR(60),",
            "UNITAMISURA VARCHAR(5),", "ALIQUOTAIVA INTEGER,", "GIACENZA DECIMAL(15,3),",
            "PREZZOLISTINOFORNITORE DECIMAL(15,5),", "PREZZOACQUISTONETTO DECIMAL(15,5),",
            "NETTOPIUONERI DECIMAL(15,5),", "PREZZOVENDITA DECIMAL(15,5),",
            "PERCRICARICOVENDITA DECIMAL(18,5))"},
           {"CREATE INDEX ANAMAG_FORNITORE ON ANAMAG (FORNITORE,ESTENSIONE,CODICE)"},
           {"CREATE INDEX ANAMAG_CODICE ON ANAMAG (CODICE)"}}},
         {"TABX",
          {{"CREATE TABLE TABX(", "CODICE INTEGER NOT NULL PRIMARY KEY,", "CODPROGETTO INTEGER,",
            "CODSITUAZIONE INTEGER,", "TIPO VARCHAR(10),", "NOME VARCHAR(64),",
            "NUMERO DOUBLE PRECISION,", "TESTO VARCHAR(128),", "DATA DATE,",
            "MEMO BLOB SUB_TYPE TEXT,", "LIVELLO1 SMALLINT,", "LIVELLO2 SMALLINT,",
            "UTENTE SMALLINT)"},
           {"CREATE INDEX TABX_NOME ON TABX (NOME,UTENTE)"},
           {"CREATE GENERATOR CODICETABXCOUNTER"}}},
         {"STOPOS1",
          {{"CREATE TABLE STOPOS1(", "CODICEPROGETTO INTEGER NOT NULL,",
            "CODICESITUAZIONE INTEGER NOT NULL,", "CODICEUTENTE INTEGER NOT NULL,", "POSX INTEGER,",
            "POSY INTEGER,", "DIMX INTEGER,", "DIMY INTEGER,", "INFO1 INTEGER,", "INFO2 INTEGER,",
            "INFO3 INTEGER,", "INFO4 INTEGER,", "CONSTRAINT STOPOS1_CHIAVEPRIMARIA PRIMARY KEY",
            "(CODICEPROGETTO,CODICESITUAZIONE,CODICEUTENTE))"}}},
         {"STOASP1",
          {{"CREATE TABLE STOASP1(", "CODICEPROGETTO INTEGER NOT NULL,",
            "CODICESITUAZIONE INTEGER NOT NULL,", "CODICEUTENTE INTEGER NOT NULL,",
            "NOMECAMPO VARCHAR(31) NOT NULL,", "LARGHEZZA INTEGER,", "POSIZIONE INTEGER,",
            "NOMECOLONNA VARCHAR(25),", "ORDINAMENTO INTEGER,", "VISIBILE INTEGER,",
            "COLORECOLONNA BIGINT,", "ORIGINE VARCHAR(63),",
            "CONSTRAINT STOASP1_CHIAVEPRIMARIA PRIMARY KEY",
            "(CODICEPROGETTO,CODICESITUAZIONE,CODICEUTENTE,NOMECAMPO))"}}},
         {"SETGRID",
          {{"CREATE TABLE SETGRID(", "CODICEUTENTE INTEGER NOT NULL,",
            "CODICEPROGETTO INTEGER NOT NULL,", "COLORERECORDSELEZ BIGINT,",
            "COLORECAMPIINDIC BIGINT,", "COLORECAMPOORD BIGINT,", "ABILITATIMERRIC INTEGER,",
            "ABILITARICF5SEMPRE INTEGER,",
            "CONSTRAINT SETGRID_CHIAVEPRIMARIA PRIMARY KEY (CODICEUTENTE,CODICEPROGETTO))"}}},
         {"STOINT",
          {{"CREATE TABLE STOINT(", "CODICE1 INTEGER NOT NULL,", "CODICE2 FLOAT NOT NULL,",
            "NUMERO INTEGER NOT NULL,", "NOME VARCHAR(27),", "MOSTRA INTEGER,",
            "CONDIZIONE VARCHAR(255),",
            "CONSTRAINT STOINT_CHIAVEPRIMARIA PRIMARY KEY (CODICE1,CODICE2,NUMERO))"}}},
         {"STOASP",
          {{"CREATE TABLE STOASP(", "CODICE1 INTEGER NOT NULL,", "CODICE2 FLOAT NOT NULL,",
            "NCAMPO INTEGER NOT NULL,", "NOMECAMPO VARCHAR(27),", "DIM INTEGER,", "VIS INTEGER,",
            "POS INTEGER,", "RAGGRUPPA INTEGER,",
            "CONSTRAINT STOASP_CHIAVEPRIMARIA PRIMARY KEY (CODICE1,CODICE2,NCAMPO))"}}}});
}

namespace {

const QList<TabellaDemo> tabelleListino = {
    {"LISTINO",
     {{"CREATE TABLE LISTINO(", "ID INTEGER NOT NULL PRIMARY KEY,", "CODICEFORN VARCHAR(10),",
       "CODICE VARCHAR(30),", "DESCRIZIONE VARCHAR(60),", "PRLISTINO DECIMAL(15,5),",
       "PRACQNETTO DECIMAL(15,5),", "NETPIUONER DECIMAL(15,5),", "PREZZOVEN DECIMAL(15,5),",
       "PERCRICVEN DECIMAL(18,5))"},
      {"CREATE INDEX LISTINO_FORNITORE ON LISTINO (CODICEFORN,CODICE)"}}}};

QString numero(double valore) {
    return QString::number(valore, 'f', 2);
}

} // namespace

void CreaSchemaListino(db::Database& listino) {
    creaTabelleMancanti(listino, tabelleListino);
}

void CreaListinoHost(const QString& percorso) {
    QStringList script{"CREATE DATABASE " + sql::letterale(percorso) + " USER " +
                       sql::letterale(db::Database().effectiveUser()) +
                       " PAGE_SIZE 4096 DEFAULT CHARACTER SET NONE;"};
    for (const TabellaDemo& tabella : tabelleListino)
        for (const QStringList& istruzione : tabella.istruzioni)
            script << istruzione.join('\n') + ';';
    for (const auto& [id, a] : articoliHost())
        script << QStringLiteral("INSERT INTO LISTINO (ID,CODICEFORN,CODICE,DESCRIZIONE,PRLISTINO,"
                                 "PRACQNETTO,NETPIUONER,PREZZOVEN,PERCRICVEN) VALUES "
                                 "(%1,%2,%3,%4,%5,%5,%5,%6,40);")
                      .arg(QString::number(id), sql::letterale(a.fornitore),
                           sql::letterale(a.codice), sql::letterale(a.descrizione),
                           numero(a.prezzoListino), numero(a.prezzoVendita()));
    EseguiIsqlWin1252(script.join('\n'));
}

} // namespace mavo
