#pragma once
// The data packet: the CBOR wire format in which a dataset's content or its
// pending changes travel between client and application server. The byte
// layout is a contract between both sides and is described exactly, with its
// version number, in docs/data-packet.md; any change to it needs a new version.
#include "errors.h"
#include "field_def.h"
#include "value.h"

#include <QtCore/QByteArray>
#include <QtCore/QCborStreamWriter>
#include <QtCore/QStringConverter>
#include <vector>

namespace host {

enum class RowState : quint8 { Unchanged = 0, Inserted = 1, Modified = 2, Deleted = 3 };
enum class PacketKind { Data, Delta };

struct PacketRow {
    RowState state = RowState::Unchanged;
    std::vector<Value> values;    // current values, one per packet field; empty for Deleted
    std::vector<Value> original;  // values before the change: Modified and Deleted only
    std::vector<int> changed;     // Delta + Modified only: indexes of the fields whose value changed
};

struct Packet {
    PacketKind kind = PacketKind::Data;
    std::vector<FieldDef> fields;
    std::vector<PacketRow> rows;
};

// Bounds the decoder enforces before allocating anything, so a hostile or
// corrupted packet cannot exhaust memory.
struct PacketLimits {
    qsizetype maxBytes = 1024LL * 1024 * 1024;
    int maxFields = 4096;
    qint64 maxRows = 50'000'000;
    int maxStringChars = 1'000'000;  // any text: values, field names, labels
};

// A packet that cannot be read (truncated, corrupted, too large, wrong types,
// newer version). Writer misuse by code throws DataError instead.
class PacketError : public UserError {
public:
    using UserError::UserError;
};

// Streaming writer: the dataset hands rows one by one, without first copying
// them into a Packet. Throws DataError on misuse (wrong row count, a value whose
// type does not fit its field, a string longer than its field's size, a state
// the packet kind cannot carry); after such an error the writer is unusable.
class PacketWriter {
public:
    // rowCount is written up front (definite-length array): exactly that many
    // addRow() calls must follow. Calculated fields must not be passed.
    PacketWriter(PacketKind kind, const std::vector<FieldDef>& fields, qint64 rowCount);
    PacketWriter(const PacketWriter&) = delete;
    PacketWriter& operator=(const PacketWriter&) = delete;

    // Each non-null pointer refers to fields.size() values. Pointers the state
    // does not use are ignored and may be null: values for Deleted, original
    // for Unchanged and Inserted, changed except in a Delta's Modified rows.
    // changed need not be sorted; duplicates are dropped.
    void addRow(RowState state, const Value* values, const Value* original, const std::vector<int>* changed);

    QByteArray finish();

private:
    void writeValues(const Value* values);
    void writeValue(const Value& v, int field);
    void writeText(QStringView s);
    void writeKey(const char* key, qsizetype len) { m_cbor.appendTextString(key, len); }
    [[noreturn]] void misuse(const QString& detail);

    QByteArray m_bytes;
    QCborStreamWriter m_cbor{&m_bytes};  // after m_bytes: writes into it
    PacketKind m_kind;
    std::vector<FieldType> m_types;
    std::vector<int> m_sizes;
    std::vector<QString> m_names;  // for error messages
    qint64 m_rowCount = 0;
    qint64 m_added = 0;
    bool m_finished = false;
    bool m_broken = false;  // a row was left half-written by an exception
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    QByteArray m_utf8;  // reused UTF-8 buffer: no allocation per string
    std::vector<int> m_changed;
};

QByteArray encodePacket(const Packet& p);  // convenience over PacketWriter; throws DataError
Packet decodePacket(const QByteArray& bytes, const PacketLimits& limits = {});  // throws PacketError
bool isPacket(const QByteArray& bytes);  // cheap check of the header only (the "format" entry)

}  // namespace host
