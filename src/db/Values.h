#pragma once

// Internal to the db layer: moving values between QVariant and the engine's
// message buffers.

#include "db/Database.h"
#include "db/FieldInfo.h"

#include <QVariant>
#include <QVector>
#include <firebird/Interface.h>

namespace mavo::db::values {

// Where and how one value lies in a message buffer; read once per prepare.
struct Slot {
    unsigned type = 0; // engine type without the nullable bit
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
    unsigned charset = 0;         // as described, for texts and text blobs
    Charset text = Charset::Utf8; // what texts of the slot are written and read in
    int scale = 0;
    int subType = 0;
};

SqlType sqlType(unsigned engineType);
// Names come in the connection's character set.
FieldInfo describe(Firebird::IMessageMetadata* meta, unsigned index, Charset connection);
QVector<Slot> slots(Firebird::IMessageMetadata* meta, Charset connection);

// The slot's type as PSQL declares it ("VARCHAR(30) CHARACTER SET UTF8").
QString declaration(const Slot& slot);

// Writes value (null QVariant = NULL) into its slot of buffer.
void write(const Slot& slot, unsigned char* buffer, const QVariant& value,
           Firebird::IAttachment* attachment, Firebird::ITransaction* transaction);

// Reads a slot of buffer (NULL gives a null QVariant).
QVariant read(const Slot& slot, const unsigned char* buffer, Firebird::IAttachment* attachment,
              Firebird::ITransaction* transaction);

inline bool isNull(const Slot& slot, const unsigned char* buffer) {
    return buffer[slot.nullOffset] != 0 || buffer[slot.nullOffset + 1] != 0;
}

} // namespace mavo::db::values
