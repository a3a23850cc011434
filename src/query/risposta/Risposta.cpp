#include "query/risposta/Risposta.h"

#include "dataset/LocalTableDataset.h"
#include "db/Statement.h"

namespace mavo {

Risposta::Risposta(db::Database& database, QObject* parent)
    : QObject(parent), database_(database), lettura_(&database) {
    // Read-only and read-committed: each opening sees what is committed, and
    // an answer left open holds back no clean-up of the archive.
    lettura_.setParams(
        {"isc_tpb_read", "isc_tpb_read_committed", "isc_tpb_rec_version", "isc_tpb_nowait"});
    query_.setDatabase(&database);
    query_.setTransaction(&lettura_);
}

Risposta::~Risposta() {
    try {
        Chiudi();
    } catch (...) {
        // Only reading happened: nothing to lose.
    }
}

Dataset& Risposta::Dati() {
    if (calcolata_)
        return *calcolata_;
    return query_;
}

void Risposta::Apri() {
    if (calcolata_) {
        calcolata_.reset();
        Q_EMIT datiCambiati();
    }
    query_.open();
    codici_.Dimensiona(query_.fieldCount());
}

void Risposta::Chiudi() {
    query_.close();
    if (calcolata_) {
        calcolata_.reset();
        Q_EMIT datiCambiati();
    }
}

void Risposta::Rilascia() {
    Chiudi();
    query_.unprepare();
    if (lettura_.active())
        lettura_.commit();
}

bool Risposta::Aperta() {
    return Dati().active();
}

void Risposta::Scorri(const std::function<void(const QVariantList& riga)>& perRiga) {
    if (calcolata_) {
        LocalTable::Reader lettore = calcolata_->table().reader();
        while (!lettore.atEnd())
            for (const QVariantList& riga : lettore.next(1000))
                perRiga(riga);
        return;
    }
    db::Statement lettura(&database_, &lettura_);
    lettura.setParamCheck(false);
    lettura.setSql(query_.sql());
    lettura.execute();
    const int colonne = lettura.columnCount();
    while (lettura.fetch()) {
        QVariantList riga;
        riga.reserve(colonne);
        for (int i = 0; i < colonne; ++i)
            riga << lettura.value(i);
        perRiga(riga);
    }
}

void Risposta::MostraTabella(LocalTable tabella) {
    auto dati = std::make_unique<LocalTableDataset>(std::move(tabella));
    dati->open();
    query_.close();
    calcolata_ = std::move(dati);
    codici_.Dimensiona(calcolata_->fieldCount());
    Q_EMIT datiCambiati();
}

} // namespace mavo
