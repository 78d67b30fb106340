#include "data_packet.h"

#include <QtCore/QCborArray>
#include <QtCore/QCborMap>
#include <QtCore/QCborStreamWriter>
#include <QtCore/QCborValue>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>

using namespace host;

namespace {

// Doubles compare bitwise so NaN and -0.0 round trips are checked exactly.
bool sameValue(const Value& a, const Value& b) {
    if (a.index() != b.index()) return false;
    if (const double* x = std::get_if<double>(&a))
        return std::bit_cast<quint64>(*x) == std::bit_cast<quint64>(std::get<double>(b));
    return a == b;
}

std::string show(const Value& v) {
    switch (v.index()) {
    case 0: return "null";
    case 1: return "\"" + std::get<QString>(v).toStdString() + "\"";
    case 2: return std::to_string(std::get<double>(v)) + "d";
    case 3: return std::to_string(std::get<qint64>(v));
    case 4: return std::get<bool>(v) ? "true" : "false";
    case 5: return "dt" + std::to_string(std::get<DateTime>(v).msecs);
    }
    return "?";
}

void expectSameValues(const std::vector<Value>& a, const std::vector<Value>& b, const char* what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(sameValue(a[i], b[i])) << what << "[" << i << "]: " << show(a[i]) << " vs " << show(b[i]);
}

void expectSameFields(const std::vector<FieldDef>& a, const std::vector<FieldDef>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(a[i].name.toStdString());
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_EQ(a[i].type, b[i].type);
        EXPECT_EQ(a[i].size, b[i].size);
        EXPECT_EQ(a[i].displayLabel, b[i].displayLabel);
        EXPECT_EQ(a[i].required, b[i].required);
        EXPECT_EQ(a[i].readOnly, b[i].readOnly);
        EXPECT_EQ(a[i].fixedLength, b[i].fixedLength);
    }
}

void expectSamePacket(const Packet& a, const Packet& b) {
    EXPECT_EQ(a.kind, b.kind);
    expectSameFields(a.fields, b.fields);
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (size_t i = 0; i < a.rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(a.rows[i].state, b.rows[i].state);
        expectSameValues(a.rows[i].values, b.rows[i].values, "values");
        expectSameValues(a.rows[i].original, b.rows[i].original, "original");
        EXPECT_EQ(a.rows[i].changed, b.rows[i].changed);
    }
}

std::vector<FieldDef> allTypes() {
    return {FieldDef::integer("id"), FieldDef::string("nome", 20), FieldDef::floating("preco"),
            FieldDef::boolean("ativo"), FieldDef::dateTime("criado")};
}

PacketRow row(RowState s, std::vector<Value> values, std::vector<Value> original = {}, std::vector<int> changed = {}) {
    PacketRow r;
    r.state = s;
    r.values = std::move(values);
    r.original = std::move(original);
    r.changed = std::move(changed);
    return r;
}

DateTime dt(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return DateTime::fromDate(QDate(y, m, d), QTime(h, mi, s, ms));
}

// A data packet and a delta packet that together use every part of the format.
Packet richData() {
    Packet p;
    p.fields = allTypes();
    p.fields[1].displayLabel = QStringLiteral("Nome do cliente");
    p.fields[1].required = true;
    p.fields[1].fixedLength = true;
    p.fields[0].readOnly = true;
    p.rows = {
        row(RowState::Unchanged, {qint64(1), QStringLiteral("Ana"), 10.5, true, dt(2024, 2, 29, 13, 45)}),
        row(RowState::Inserted, {qint64(2), QStringLiteral("Bárbara"), Value{}, false, Value{}}),
        row(RowState::Modified, {qint64(3), QStringLiteral("Caio"), -1.25, Value{}, dt(1969, 12, 31, 23, 59, 59, 999)},
            {qint64(3), QStringLiteral("Caio"), 7.0, true, dt(1969, 12, 31)}),
        row(RowState::Deleted, {}, {qint64(4), QString(), 0.0, false, DateTime{0}}),
    };
    return p;
}

Packet richDelta() {
    Packet p;
    p.kind = PacketKind::Delta;
    p.fields = allTypes();
    p.rows = {
        row(RowState::Inserted, {qint64(10), QStringLiteral("Novo"), 1.0, true, dt(2030, 1, 1)}),
        // A change to null is a change like any other.
        row(RowState::Modified, {qint64(11), Value{}, 2.5, true, dt(2000, 1, 1)},
            {qint64(11), QStringLiteral("Velho"), 2.0, true, dt(2000, 1, 1)}, {1, 2}),
        row(RowState::Deleted, {}, {qint64(12), QStringLiteral("Fora"), Value{}, Value{}, Value{}}),
    };
    return p;
}

template <typename Fn>
void expectPacketError(Fn fn, const std::string& needle) {
    try {
        fn();
        ADD_FAILURE() << "no PacketError; expected one mentioning: " << needle;
    } catch (const PacketError& e) {
        EXPECT_NE(e.message().toStdString().find(needle), std::string::npos)
            << "message: " << e.message().toStdString() << "\nexpected to contain: " << needle;
    }
}

// ---------------------------------------------------------------------------

TEST(DataPacket, EveryValueRoundTrips) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        FieldDef field;
        Value value;
    };
    const Case cases[] = {
        {FieldDef::string("s", 10), Value{}},
        {FieldDef::string("s", 10), QString()},
        {FieldDef::string("s", 10), QStringLiteral("")},
        {FieldDef::string("s", 10), QStringLiteral("abc")},
        {FieldDef::string("s", 10), QStringLiteral("0123456789")},  // exactly the size
        {FieldDef::string("s", 40), QStringLiteral("Ação çé ñ 日本語 😀")},
        {FieldDef::string("s", 10), QString(QChar(0xFEFF)) + QStringLiteral("bom")},  // leading BOM kept
        {FieldDef::string("s", 10), QString(QChar(0)) + QStringLiteral("a\tb\n")},
        {FieldDef::string("s", 0), QString(5000, QChar(u'x'))},  // size 0: no declared size
        {FieldDef::floating("f"), Value{}},
        {FieldDef::floating("f"), 0.0},
        {FieldDef::floating("f"), -0.0},
        {FieldDef::floating("f"), 3.141592653589793},
        {FieldDef::floating("f"), 0.1},
        {FieldDef::floating("f"), std::numeric_limits<double>::max()},
        {FieldDef::floating("f"), -std::numeric_limits<double>::max()},
        {FieldDef::floating("f"), std::numeric_limits<double>::min()},
        {FieldDef::floating("f"), std::numeric_limits<double>::denorm_min()},
        {FieldDef::floating("f"), inf},
        {FieldDef::floating("f"), -inf},
        {FieldDef::floating("f"), std::numeric_limits<double>::quiet_NaN()},
        {FieldDef::integer("i"), Value{}},
        {FieldDef::integer("i"), qint64(0)},
        {FieldDef::integer("i"), qint64(-1)},
        {FieldDef::integer("i"), qint64(23)},
        {FieldDef::integer("i"), qint64(24)},
        {FieldDef::integer("i"), qint64(-25)},
        {FieldDef::integer("i"), qint64(65536)},
        {FieldDef::integer("i"), qint64(1) << 40},
        {FieldDef::integer("i"), std::numeric_limits<qint64>::max()},
        {FieldDef::integer("i"), std::numeric_limits<qint64>::min()},
        {FieldDef::boolean("b"), Value{}},
        {FieldDef::boolean("b"), true},
        {FieldDef::boolean("b"), false},
        {FieldDef::dateTime("d"), Value{}},
        {FieldDef::dateTime("d"), DateTime{0}},
        {FieldDef::dateTime("d"), dt(1969, 12, 31, 23, 59, 59, 999)},
        {FieldDef::dateTime("d"), dt(1900, 1, 1)},
        {FieldDef::dateTime("d"), dt(1, 1, 1)},
        {FieldDef::dateTime("d"), dt(9999, 12, 31, 23, 59, 59, 999)},
        {FieldDef::dateTime("d"), dt(2024, 10, 20, 0, 0)},  // a local midnight that DST may skip
        {FieldDef::dateTime("d"), DateTime{std::numeric_limits<qint64>::min()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(fieldTypeName(c.field.type).toStdString() + " " + show(c.value));
        Packet p;
        p.fields = {c.field};
        p.rows = {row(RowState::Unchanged, {c.value})};
        expectSamePacket(decodePacket(encodePacket(p)), p);
    }
}

TEST(DataPacket, DataPacketWithEveryRowStateRoundTrips) {
    const Packet p = richData();
    const QByteArray bytes = encodePacket(p);
    ASSERT_TRUE(isPacket(bytes));
    const Packet back = decodePacket(bytes);
    expectSamePacket(back, p);
    EXPECT_TRUE(back.rows[2].changed.empty());  // data packets carry no change lists
}

TEST(DataPacket, DeltaPacketRoundTripsWithChangedLists) {
    const Packet p = richDelta();
    const Packet back = decodePacket(encodePacket(p));
    expectSamePacket(back, p);
    EXPECT_EQ(back.rows[1].changed, (std::vector<int>{1, 2}));
    EXPECT_TRUE(isNull(back.rows[1].values[1]));
}

TEST(DataPacket, FieldAttributesTravelAndOthersDoNot) {
    FieldDef name = FieldDef::string("Razão", 60, QStringLiteral("Razão social"));
    name.required = true;
    name.readOnly = true;
    name.fixedLength = true;
    FieldDef code = FieldDef::integer("codigo").hidden().withDisplayFormat("000").withEditMask("999");
    Packet p;
    p.fields = {name, code, FieldDef::string("obs", 0)};
    const Packet back = decodePacket(encodePacket(p));
    expectSameFields(back.fields, p.fields);
    // Presentation settings belong to the dataset, not to the wire.
    EXPECT_TRUE(back.fields[1].visible);
    EXPECT_TRUE(back.fields[1].displayFormat.isEmpty());
    EXPECT_TRUE(back.fields[1].editMask.isEmpty());
    EXPECT_TRUE(back.rows.empty());
}

TEST(DataPacket, EncodingIsTheDocumentedLayout) {
    Packet p;
    p.fields = {FieldDef::integer("id"), FieldDef::string("nome", 10, "Nome")};
    p.fields[0].required = true;
    p.rows = {row(RowState::Unchanged, {qint64(1), QStringLiteral("Ana")}),
              row(RowState::Modified, {qint64(2), Value{}}, {qint64(2), QStringLiteral("Bia")})};
    const QByteArray bytes = encodePacket(p);
    EXPECT_EQ(QCborValue::fromCbor(bytes).toDiagnosticNotation(),
              QStringLiteral("{\"format\": \"afdp\", \"version\": 1, \"kind\": \"data\", \"fields\": ["
                             "{\"name\": \"id\", \"type\": \"integer\", \"required\": true}, "
                             "{\"name\": \"nome\", \"type\": \"string\", \"size\": 10, \"displayLabel\": \"Nome\"}], "
                             "\"rows\": [[1, \"Ana\"], {\"s\": 2, \"v\": [2, null], \"o\": [2, \"Bia\"]}]}"));

    Packet d;
    d.kind = PacketKind::Delta;
    d.fields = {FieldDef::floating("v"), FieldDef::dateTime("t")};
    d.rows = {row(RowState::Modified, {1.0, DateTime{-86400000}}, {Value{}, DateTime{0}}, {1, 0}),
              row(RowState::Deleted, {}, {0.5, Value{}})};
    // Doubles always take 8 bytes, date-times are integer milliseconds, the
    // changed list comes out sorted.
    EXPECT_EQ(encodePacket(d).toHex(' '),
              QByteArray("a5 66 66 6f 72 6d 61 74 64 61 66 64 70 67 76 65 72 73 69 6f 6e 01 64 6b 69 6e 64 "
                         "65 64 65 6c 74 61 66 66 69 65 6c 64 73 82 a2 64 6e 61 6d 65 61 76 64 74 79 70 65 "
                         "65 66 6c 6f 61 74 a2 64 6e 61 6d 65 61 74 64 74 79 70 65 68 64 61 74 65 74 69 6d "
                         "65 64 72 6f 77 73 82 a4 61 73 02 61 76 82 fb 3f f0 00 00 00 00 00 00 3a 05 26 5b "
                         "ff 61 6f 82 f6 00 61 63 82 00 01 a2 61 73 03 61 6f 82 fb 3f e0 00 00 00 00 00 00 "
                         "f6"));
}

TEST(DataPacket, FloatFieldsTakeIntegersFromTheWriterAsDoubles) {
    Packet p;
    p.fields = {FieldDef::floating("f")};
    p.rows = {row(RowState::Unchanged, {qint64(-7)})};
    const Packet back = decodePacket(encodePacket(p));
    ASSERT_TRUE(std::holds_alternative<double>(back.rows[0].values[0]));
    EXPECT_EQ(std::get<double>(back.rows[0].values[0]), -7.0);
}

TEST(DataPacket, EmptyShapesRoundTrip) {
    Packet noRows;
    noRows.fields = allTypes();
    expectSamePacket(decodePacket(encodePacket(noRows)), noRows);

    Packet noFields;
    noFields.kind = PacketKind::Delta;
    noFields.rows = {row(RowState::Inserted, {}), row(RowState::Modified, {}, {}, {}), row(RowState::Deleted, {})};
    expectSamePacket(decodePacket(encodePacket(noFields)), noFields);
}

TEST(DataPacket, WriterStreamsRowsAndNormalisesChangedLists) {
    const std::vector<FieldDef> fields = allTypes();
    const std::vector<Value> now{qint64(1), QStringLiteral("b"), 2.0, false, DateTime{5}};
    const std::vector<Value> before{qint64(1), QStringLiteral("a"), 1.0, false, DateTime{5}};
    const std::vector<int> unsorted{2, 1, 2};
    PacketWriter w(PacketKind::Delta, fields, 2);
    w.addRow(RowState::Modified, now.data(), before.data(), &unsorted);
    // Pointers the state does not use are ignored.
    w.addRow(RowState::Inserted, now.data(), before.data(), &unsorted);
    const Packet back = decodePacket(w.finish());
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(back.rows[0].changed, (std::vector<int>{1, 2}));
    EXPECT_TRUE(back.rows[1].original.empty());
    EXPECT_TRUE(back.rows[1].changed.empty());
}

TEST(DataPacket, WriterMisuseIsADataError) {
    const std::vector<FieldDef> fields{FieldDef::integer("id"), FieldDef::string("nome", 3)};
    const std::vector<Value> ok{qint64(1), QStringLiteral("abc")};
    const std::vector<int> changed{0};
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"negative row count", [&] { PacketWriter(PacketKind::Data, fields, -1); }},
        {"duplicate field names",
         [&] { PacketWriter(PacketKind::Data, {FieldDef::integer("Id"), FieldDef::integer("ID")}, 0); }},
        {"empty field name", [&] { PacketWriter(PacketKind::Data, {FieldDef::integer("")}, 0); }},
        {"calculated field", [&] { PacketWriter(PacketKind::Data, {FieldDef::integer("c").asCalculated()}, 0); }},
        {"more rows than declared",
         [&] {
             PacketWriter w(PacketKind::Data, fields, 1);
             w.addRow(RowState::Unchanged, ok.data(), nullptr, nullptr);
             w.addRow(RowState::Unchanged, ok.data(), nullptr, nullptr);
         }},
        {"fewer rows than declared",
         [&] {
             PacketWriter w(PacketKind::Data, fields, 2);
             w.addRow(RowState::Unchanged, ok.data(), nullptr, nullptr);
             w.finish();
         }},
        {"finish twice",
         [&] {
             PacketWriter w(PacketKind::Data, fields, 0);
             w.finish();
             w.finish();
         }},
        {"value of the wrong type",
         [&] {
             const std::vector<Value> bad{QStringLiteral("1"), Value{}};
             PacketWriter w(PacketKind::Data, fields, 1);
             w.addRow(RowState::Unchanged, bad.data(), nullptr, nullptr);
         }},
        {"string longer than its field",
         [&] {
             const std::vector<Value> bad{qint64(1), QStringLiteral("abcd")};
             PacketWriter w(PacketKind::Data, fields, 1);
             w.addRow(RowState::Unchanged, bad.data(), nullptr, nullptr);
         }},
        {"unchanged row in a delta",
         [&] {
             PacketWriter w(PacketKind::Delta, fields, 1);
             w.addRow(RowState::Unchanged, ok.data(), nullptr, nullptr);
         }},
        {"modified row without original",
         [&] {
             PacketWriter w(PacketKind::Data, fields, 1);
             w.addRow(RowState::Modified, ok.data(), nullptr, nullptr);
         }},
        {"inserted row without values",
         [&] {
             PacketWriter w(PacketKind::Data, fields, 1);
             w.addRow(RowState::Inserted, nullptr, nullptr, nullptr);
         }},
        {"delta modified row without changed list",
         [&] {
             PacketWriter w(PacketKind::Delta, fields, 1);
             w.addRow(RowState::Modified, ok.data(), ok.data(), nullptr);
         }},
        {"changed index out of range",
         [&] {
             const std::vector<int> bad{2};
             PacketWriter w(PacketKind::Delta, fields, 1);
             w.addRow(RowState::Modified, ok.data(), ok.data(), &bad);
         }},
        {"unusable after a failed row",
         [&] {
             const std::vector<Value> bad{qint64(1), true};
             PacketWriter w(PacketKind::Data, fields, 2);
             EXPECT_THROW(w.addRow(RowState::Unchanged, bad.data(), nullptr, nullptr), DataError);
             w.addRow(RowState::Unchanged, ok.data(), nullptr, nullptr);
         }},
        {"encodePacket row of the wrong width",
         [&] {
             Packet p;
             p.fields = fields;
             p.rows = {row(RowState::Unchanged, {qint64(1)})};
             encodePacket(p);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.run(), DataError);
    }
}

// ---------------------------------------------------------------------------
// Hand-made packets, so that single pieces can be broken.

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

// A version-1 packet up to and including the "rows" key; the test appends the rows.
QByteArray headerUntilRows(const std::vector<FieldDef>& fields, const char* kind = "data") {
    QByteArray out;
    QCborStreamWriter w(&out);
    w.startMap(5);
    w.append(QLatin1StringView("format"));
    w.append(QLatin1StringView("afdp"));
    w.append(QLatin1StringView("version"));
    w.append(1);
    w.append(QLatin1StringView("kind"));
    w.append(QLatin1StringView(kind));
    w.append(QLatin1StringView("fields"));
    w.startArray(fields.size());
    for (const FieldDef& f : fields) {
        const bool str = f.type == FieldType::String;
        w.startMap(str ? 3 : 2);
        w.append(QLatin1StringView("name"));
        w.append(f.name);
        w.append(QLatin1StringView("type"));
        w.append(fieldTypeName(f.type));
        if (str) {
            w.append(QLatin1StringView("size"));
            w.append(f.size);
        }
        w.endMap();
    }
    w.endArray();
    w.append(QLatin1StringView("rows"));
    return out;  // the writer is dropped with its containers open; nothing more is written
}

// Fields used by the raw row cases: F = 2.
std::vector<FieldDef> idName() { return {FieldDef::integer("id"), FieldDef::string("nome", 5)}; }

QByteArray dataRows(const char* rowsHex) { return headerUntilRows(idName()) + hex(rowsHex); }
QByteArray deltaRows(const char* rowsHex) { return headerUntilRows(idName(), "delta") + hex(rowsHex); }

// One packet with one field of the given type and a single unchanged row holding one raw value.
QByteArray oneValue(FieldDef f, const char* valueHex) { return headerUntilRows({f}) + hex("8181") + hex(valueHex); }

QCborMap validMap() {
    QCborMap m;
    m.insert(QStringLiteral("format"), QStringLiteral("afdp"));
    m.insert(QStringLiteral("version"), 1);
    m.insert(QStringLiteral("kind"), QStringLiteral("data"));
    QCborMap id;
    id.insert(QStringLiteral("name"), QStringLiteral("id"));
    id.insert(QStringLiteral("type"), QStringLiteral("integer"));
    QCborMap name;
    name.insert(QStringLiteral("name"), QStringLiteral("nome"));
    name.insert(QStringLiteral("type"), QStringLiteral("string"));
    name.insert(QStringLiteral("size"), 5);
    m.insert(QStringLiteral("fields"), QCborArray{id, name});
    m.insert(QStringLiteral("rows"), QCborArray{QCborArray{1, QStringLiteral("a")}});
    return m;
}

QByteArray withMap(const std::function<void(QCborMap&)>& edit) {
    QCborMap m = validMap();
    edit(m);
    return m.toCborValue().toCbor();
}

QCborMap fieldMap(std::initializer_list<std::pair<QString, QCborValue>> kv) {
    QCborMap f;
    for (const auto& [k, v] : kv) f.insert(k, v);
    return f;
}

QByteArray withFields(QCborArray fields, QCborArray rows = {}) {
    return withMap([&](QCborMap& m) {
        m[QStringLiteral("fields")] = fields;
        m[QStringLiteral("rows")] = rows;
    });
}

TEST(DataPacket, HandMadeBaselinesDecode) {
    // The bad cases below are these, each with one thing broken.
    EXPECT_EQ(decodePacket(withMap([](QCborMap&) {})).rows.size(), 1u);
    EXPECT_EQ(decodePacket(dataRows("8182016161")).rows.size(), 1u);
    EXPECT_EQ(decodePacket(deltaRows("81a461730261768201f6616f8201616161638101")).rows[0].changed,
              std::vector<int>{1});
    EXPECT_EQ(decodePacket(oneValue(FieldDef::integer("i"), "01")).rows.size(), 1u);
}

TEST(DataPacket, ReaderAcceptsOtherEncodingsOfTheSameValues) {
    struct Case {
        FieldDef field;
        const char* valueHex;
        Value expected;
    };
    const Case cases[] = {
        {FieldDef::floating("f"), "f93e00", 1.5},                                 // half
        {FieldDef::floating("f"), "fa3e800000", 0.25},                            // single
        {FieldDef::floating("f"), "03", 3.0},                                     // integer
        {FieldDef::floating("f"), "22", -3.0},                                    // negative integer
        {FieldDef::floating("f"), "1bffffffffffffffff", 18446744073709551615.0},  // full unsigned range
        {FieldDef::integer("i"), "1b0000000000000005", qint64(5)},                // non-minimal length
        {FieldDef::integer("i"), "3b7fffffffffffffff", std::numeric_limits<qint64>::min()},
        {FieldDef::dateTime("d"), "3903e7", DateTime{-1000}},
        {FieldDef::string("s", 5), "7803616263", QStringLiteral("abc")},  // non-minimal length
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.valueHex);
        const Packet p = decodePacket(oneValue(c.field, c.valueHex));
        ASSERT_EQ(p.rows.size(), 1u);
        EXPECT_TRUE(sameValue(p.rows[0].values[0], c.expected)) << show(p.rows[0].values[0]);
    }
    // Optional field keys written with their default value are accepted too.
    const Packet p = decodePacket(withFields({fieldMap({{"name", "x"},
                                                        {"type", "string"},
                                                        {"size", 3},
                                                        {"displayLabel", ""},
                                                        {"required", false},
                                                        {"readOnly", false},
                                                        {"fixedLength", false}})}));
    ASSERT_EQ(p.fields.size(), 1u);
    EXPECT_EQ(p.fields[0].size, 3);
}

TEST(DataPacket, BadPacketsAreRefused) {
    PacketLimits oneRow;
    oneRow.maxRows = 1;
    PacketLimits oneField;
    oneField.maxFields = 1;
    PacketLimits noRowLimit;
    noRowLimit.maxRows = std::numeric_limits<qint64>::max();
    PacketLimits smallText;
    smallText.maxStringChars = 4;

    const QByteArray valid = encodePacket(richData());
    PacketLimits fewBytes;
    fewBytes.maxBytes = valid.size() - 1;

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* needle;
        PacketLimits limits = {};
    };
    const Case cases[] = {
        // Envelope
        {"empty", QByteArray(), "truncado"},
        {"not a map", hex("80"), "não começa por um mapa"},
        {"JSON text", QByteArray("{\"format\":\"afdp\"}"), "não começa por um mapa"},
        {"indefinite top map", hex("bf666f726d61746461666470ff"), "indefinido"},
        {"wrong magic",
         withMap([](QCborMap& m) { m[QStringLiteral("format")] = QStringLiteral("afdq"); }), "formato desconhecido"},
        {"format key missing", withMap([](QCborMap& m) { m.remove(QStringLiteral("format")); }),
         "esperada a chave \"format\""},
        {"version 2", withMap([](QCborMap& m) { m[QStringLiteral("version")] = 2; }), "versão 2"},
        {"version 2 with new keys",
         withMap([](QCborMap& m) {
             m[QStringLiteral("version")] = 2;
             m.insert(QStringLiteral("compression"), QStringLiteral("zstd"));
         }),
         "Atualize o programa"},
        {"version 0", withMap([](QCborMap& m) { m[QStringLiteral("version")] = 0; }), "versão 0 não existe"},
        {"version as text", withMap([](QCborMap& m) { m[QStringLiteral("version")] = QStringLiteral("1"); }),
         "o número da versão"},
        {"unknown kind", withMap([](QCborMap& m) { m[QStringLiteral("kind")] = QStringLiteral("full"); }),
         "tipo de pacote \"full\""},
        {"unknown top-level key", withMap([](QCborMap& m) { m.insert(QStringLiteral("extra"), 1); }),
         "exatamente 5"},
        {"keys out of order",
         withMap([](QCborMap& m) {
             const QCborValue rows = m.take(QStringLiteral("rows"));
             const QCborValue fields = m.take(QStringLiteral("fields"));
             m.insert(QStringLiteral("rows"), rows);
             m.insert(QStringLiteral("fields"), fields);
         }),
         "esperada a chave \"fields\""},
        {"trailing bytes", valid + hex("00"), "sobrando"},
        // Cut inside the header of what follows a key: read as the text it should be, and found cut.
        {"cut after a key", hex("a566666f726d61741900"),
         "Pacote de dados inválido: pacote truncado: texto maior que os bytes restantes"},
        {"over maxBytes", valid, "excedem o limite", fewBytes},

        // Field definitions
        {"fields not an array", withMap([](QCborMap& m) { m[QStringLiteral("fields")] = QCborMap(); }),
         "o array de campos"},
        {"over maxFields", withFields({fieldMap({{"name", "a"}, {"type", "integer"}}),
                                       fieldMap({{"name", "b"}, {"type", "integer"}})}),
         "2 campos excedem o limite de 1", oneField},
        {"duplicate field names",
         withFields({fieldMap({{"name", "Nome"}, {"type", "integer"}}), fieldMap({{"name", "NOME"}, {"type", "float"}})}),
         "campo \"NOME\" repetido"},
        {"empty field name", withFields({fieldMap({{"name", ""}, {"type", "integer"}})}), "sem nome"},
        {"unknown field key", withFields({fieldMap({{"name", "a"}, {"type", "integer"}, {"width", 3}})}),
         "chave \"width\" desconhecida"},
        {"field keys out of order", withFields({fieldMap({{"type", "integer"}, {"name", "a"}})}), "fora de ordem"},
        {"optional field keys out of order",
         withFields({fieldMap({{"name", "a"}, {"type", "integer"}, {"readOnly", true}, {"required", true}})}),
         "fora de ordem"},
        {"unknown field type", withFields({fieldMap({{"name", "a"}, {"type", "money"}})}), "tipo \"money\" desconhecido"},
        {"string field without size", withFields({fieldMap({{"name", "a"}, {"type", "string"}})}),
         "não traz o tamanho"},
        {"size on an integer field", withFields({fieldMap({{"name", "a"}, {"type", "integer"}, {"size", 3}})}),
         "não pode ter tamanho"},
        {"negative size", withFields({fieldMap({{"name", "a"}, {"type", "string"}, {"size", -1}})}),
         "o tamanho do campo"},
        {"huge size", withFields({fieldMap({{"name", "a"}, {"type", "string"}, {"size", qint64(1) << 40}})}),
         "grande demais"},
        {"fixedLength on a float field",
         withFields({fieldMap({{"name", "a"}, {"type", "float"}, {"fixedLength", true}})}), "fixedLength"},
        {"required not a boolean", withFields({fieldMap({{"name", "a"}, {"type", "float"}, {"required", 1}})}),
         "\"required\""},
        {"field name too long", withFields({fieldMap({{"name", "abcdefghijklm"}, {"type", "float"}})}),
         "o nome do campo com mais de 4 caracteres", smallText},

        // Rows
        {"rows not an array", withMap([](QCborMap& m) { m[QStringLiteral("rows")] = 1; }), "o array de linhas"},
        {"indefinite rows array", dataRows("9f82016161ff"), "indefinido"},
        {"huge declared row count", dataRows("9b00000100000000000082016161"), "mais do que cabem", noRowLimit},
        {"huge declared value count", dataRows("819b000001000000000001"), "valores"},
        {"over maxRows", dataRows("828201616182026162"), "2 linhas excedem o limite de 1", oneRow},
        {"too few values", dataRows("81811903e8"), "1 valores na linha 1; o pacote tem 2 campos"},
        {"too many values", dataRows("8183016161f6"), "3 valores"},
        {"row is a number", dataRows("811903e8"), "uma linha (array ou mapa)"},
        {"unchanged row in a delta", deltaRows("8182016161"), "sem alteração num pacote delta"},
        {"state 0 as a map", dataRows("81a261730061768201f6"), "estado 0 inválido"},
        {"state 4", dataRows("81a261730461768201f6"), "estado 4 inválido"},
        {"state missing", dataRows("81a161768201f6"), "esperada a chave \"s\""},
        {"inserted row with original", dataRows("81a361730161768201f6616f8201f6"), "3 entradas; esperadas 2"},
        {"data modified row with changed list", dataRows("81a461730261768201f6616f8201f661638101"),
         "4 entradas; esperadas 3"},
        {"delta modified row without changed list", deltaRows("81a361730261768201f6616f8201f6"),
         "3 entradas; esperadas 4"},
        {"deleted row with values instead of original", deltaRows("81a261730361768201f6"),
         "esperada a chave \"o\""},
        {"changed index out of range", deltaRows("81a461730261768201f6616f8201f661638102"),
         "índice de campo alterado 2 fora da faixa"},
        {"changed indexes unsorted", deltaRows("81a461730261768201f6616f8201f66163820100"), "fora de ordem"},
        {"changed indexes repeated", deltaRows("81a461730261768201f6616f8201f66163820101"), "repetidos"},
        {"changed list longer than fields", deltaRows("81a461730261768201f6616f8201f6616383000101"),
         "lista 3 campos alterados"},
        {"changed index negative", deltaRows("81a461730261768201f6616f8201f661638120"), "índice de campo alterado"},

        // Values
        {"tagged value", dataRows("8182c1016161"), "tag CBOR"},
        {"indefinite text", dataRows("8182017f6161ff"), "indefinido"},
        {"declared huge text", dataRows("8182017a7fffffff61"), "truncado"},
        {"text over field size", dataRows("818201666162636465 66"), "texto com 6 caracteres excede o tamanho 5 na linha 1, campo \"nome\""},
        {"non-ASCII text over field size", oneValue(FieldDef::string("s", 2), "66c3a9c3a9c3a9"), "3 caracteres excede o tamanho 2"},
        {"text far over field size", oneValue(FieldDef::string("s", 2), "6761626364656667"), "texto com mais de 2 caracteres"},
        {"truncated UTF-8 sequence", oneValue(FieldDef::string("s", 2), "63c3a9c3"), "UTF-8 inválido"},
        {"text over maxStringChars", oneValue(FieldDef::string("s", 0), "656162636465"),
         "excede o limite de 4", smallText},
        {"invalid UTF-8", oneValue(FieldDef::string("s", 5), "62c328"), "UTF-8 inválido"},
        {"byte string", oneValue(FieldDef::string("s", 5), "4161"), "encontrado bytes"},
        {"undefined", oneValue(FieldDef::integer("i"), "f7"), "valor simples"},
        {"simple value 16", oneValue(FieldDef::integer("i"), "f0"), "valor simples"},
        {"break in place of a value", dataRows("818201ff"), "break"},
        {"reserved additional info", oneValue(FieldDef::integer("i"), "1c"), "codificação inválida"},
        {"integer above int64", oneValue(FieldDef::integer("i"), "1b8000000000000000"), "fora da faixa"},
        {"integer below int64", oneValue(FieldDef::integer("i"), "3b8000000000000000"), "fora da faixa"},
        {"integer at -2^64", oneValue(FieldDef::dateTime("d"), "3bffffffffffffffff"), "fora da faixa"},
        {"text in integer field", oneValue(FieldDef::integer("idade"), "6131"),
         "esperado um valor do tipo integer, encontrado um texto na linha 1, campo \"idade\""},
        {"integral double in integer field", oneValue(FieldDef::integer("i"), "fb3ff0000000000000"),
         "ponto flutuante"},
        {"half float in integer field", oneValue(FieldDef::integer("i"), "f93c00"), "ponto flutuante"},
        {"boolean in integer field", oneValue(FieldDef::integer("i"), "f5"), "valor lógico"},
        {"integer in string field", oneValue(FieldDef::string("s", 5), "01"), "um inteiro"},
        {"text in float field", oneValue(FieldDef::floating("f"), "6131"), "do tipo float"},
        {"boolean in float field", oneValue(FieldDef::floating("f"), "f4"), "do tipo float"},
        {"integer in boolean field", oneValue(FieldDef::boolean("b"), "01"), "do tipo boolean"},
        {"text in boolean field", oneValue(FieldDef::boolean("b"), "6474727565"), "do tipo boolean"},
        {"text in datetime field", oneValue(FieldDef::dateTime("d"), "6a323032342d30312d3031"),
         "do tipo datetime"},
        {"double in datetime field", oneValue(FieldDef::dateTime("d"), "fb4000000000000000"), "do tipo datetime"},
        {"array as a value", oneValue(FieldDef::integer("i"), "8101"), "um array"},
        {"map as a value", oneValue(FieldDef::integer("i"), "a0"), "um mapa"},
        {"wrong type in original values", deltaRows("81a261730361 6f 82 6178 f6"),
         "(valores originais), campo \"id\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectPacketError([&] { decodePacket(c.bytes, c.limits); }, c.needle);
    }
}

TEST(DataPacket, VersionErrorSaysToUpdate) {
    try {
        decodePacket(withMap([](QCborMap& m) { m[QStringLiteral("version")] = 7; }));
        FAIL() << "accepted version 7";
    } catch (const UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Pacote de dados na versão 7, mais nova que a lida por este programa "
                                              "(versão 1). Atualize o programa."));
    }
}

TEST(DataPacket, EveryTruncationIsRefused) {
    for (const Packet& p : {richData(), richDelta()}) {
        const QByteArray bytes = encodePacket(p);
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            SCOPED_TRACE("prefix of " + std::to_string(n) + " bytes");
            EXPECT_THROW(decodePacket(bytes.left(n)), PacketError);
        }
    }
}

TEST(DataPacket, FlippedBytesNeverCrash) {
    // Whatever the damage, the decoder refuses with a PacketError or returns a
    // packet the writer can write again unchanged.
    int accepted = 0;
    for (const Packet& p : {richData(), richDelta()}) {
        const QByteArray bytes = encodePacket(p);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            for (char mask : {char(0xff), char(0x01), char(0x20), char(0x80), char(0x1f)}) {
                QByteArray damaged = bytes;
                damaged[i] = char(damaged[i] ^ mask);
                SCOPED_TRACE("offset " + std::to_string(i) + " mask " + std::to_string(int(quint8(mask))));
                try {
                    const Packet back = decodePacket(damaged);
                    const QByteArray again = encodePacket(back);
                    expectSamePacket(decodePacket(again), back);
                    ++accepted;
                } catch (const PacketError&) {
                }
            }
        }
    }
    EXPECT_GT(accepted, 0);  // some flips only change a value
}

TEST(DataPacket, IsPacketLooksAtTheHeaderOnly) {
    EXPECT_TRUE(isPacket(encodePacket(richData())));
    EXPECT_TRUE(isPacket(withMap([](QCborMap& m) { m[QStringLiteral("version")] = 2; })));
    EXPECT_TRUE(isPacket(encodePacket(richDelta()).left(14)));
    EXPECT_FALSE(isPacket(QByteArray()));
    EXPECT_FALSE(isPacket(QByteArray("afdp")));
    EXPECT_FALSE(isPacket(QByteArray("{\"format\":\"afdp\"}")));
    EXPECT_FALSE(isPacket(withMap([](QCborMap& m) { m[QStringLiteral("format")] = QStringLiteral("json"); })));
    EXPECT_FALSE(isPacket(withMap([](QCborMap& m) { m.remove(QStringLiteral("format")); })));
    EXPECT_FALSE(isPacket(hex("a2666f726d61747f626166626470ff")));  // chunked magic
}

}  // namespace
