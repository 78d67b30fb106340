#pragma once
// A strict, bounded reader of one CBOR item held in memory: the common ground
// of the data packet and remote-call decoders.
//
// It walks the structure with QCborStreamReader and takes text and byte strings
// straight from the input buffer: no copy per string, and
// QCborStreamReader::readString() in Qt 6.4 drops a leading U+FEFF, which would
// alter a value. Only definite lengths are read, each one checked against the
// bytes left before anything is allocated for it.
//
// Every refusal goes through the decoder's CborWording, so each decoder keeps
// its own error type, prefix and words where they differ.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QCborStreamReader>
#include <QtCore/QLatin1StringView>
#include <QtCore/QString>
#include <QtCore/QStringDecoder>

#include <algorithm>

namespace host {

// Why a string could not be taken.
enum class CborStringFault {
    Indefinite,  // chunked: only definite lengths are read
    HeaderCut,   // the input ends inside its header, before the whole length
    PastEnd,     // its declared length runs past the end of the input
    TooLong,     // its declared length is over the caller's bound
};

// How a decoder words what the reader refuses. The reader words everything
// else alike for every decoder.
class CborWording {
public:
    virtual ~CborWording() = default;
    // Throws the decoder's own error, with its prefix.
    [[noreturn]] virtual void fail(const QString& detail) const = 0;
    // Where in the decoder's structure the reader stands, appended to the
    // details about values (" na linha 3, campo \"X\""); empty by default.
    virtual QString where() const { return {}; }
    // The input ending early, as the decoder names it ("pacote truncado").
    virtual QString truncated() const = 0;
    // A tag, and a simple value other than null, false and true, found where
    // something else was expected.
    virtual QString tagFound() const = 0;
    virtual QString simpleFound() const = 0;
    // A string that cannot be taken. maxBytes is the bound the caller gave,
    // declaredBytes the string's own length (both 0 when unknown).
    [[noreturn]] virtual void badString(CborStringFault fault, const QString& what, quint64 maxBytes,
                                        quint64 declaredBytes) const = 0;
};

// The bytes of one definite-length string, located without throwing.
struct CborString {
    enum Status { Ok, WrongType, Indefinite, HeaderCut, PastEnd, TooLong, Malformed };
    Status status = Ok;
    QByteArrayView bytes;       // Ok only: a view into the input
    quint64 declaredBytes = 0;  // known from PastEnd on
};

// Locates the current string of the given type (String or ByteArray) in input,
// the buffer r reads, and moves r past it; on any other status but Malformed
// r stays where it was.
// maxBytes bounds the declared length before anything is read.
CborString takeCborString(QCborStreamReader& r, QByteArrayView input, QCborStreamReader::Type type,
                          quint64 maxBytes);

class CborReader {
public:
    // A backstop for recursive decoders: more open arrays and maps than this
    // are refused as too deep.
    static constexpr int kDefaultMaxDepth = 64;

    // bytes and wording must outlive the reader.
    CborReader(const QByteArray& bytes, const CborWording& wording, int maxDepth = kDefaultMaxDepth);
    CborReader(const CborReader&) = delete;
    CborReader& operator=(const CborReader&) = delete;

    // The current item.
    QCborStreamReader::Type type() const { return m_r.type(); }
    bool isMap() const { return m_r.isMap(); }
    bool isArray() const { return m_r.isArray(); }
    bool isString() const { return m_r.isString(); }
    bool isNull() const { return m_r.isNull(); }
    bool isBool() const { return m_r.isBool(); }
    bool isInteger() const { return m_r.isInteger(); }
    bool isUnsignedInteger() const { return m_r.isUnsignedInteger(); }
    bool isFloatingPoint() const { return m_r.isFloat16() || m_r.isFloat() || m_r.isDouble(); }
    bool isNumber() const { return isInteger() || isFloatingPoint(); }

    qint64 size() const { return m_size; }  // of the whole input
    qint64 offset() const { return m_r.currentOffset(); }
    qint64 bytesAfter() const { return m_size - m_r.currentOffset(); }  // what is left from the current item on
    int depth() const { return m_depth; }                                // arrays and maps entered and not left

    // Refuses with the stream's own error when no item can be read here.
    void expectItem() {
        if (m_r.type() == QCborStreamReader::Invalid) failStream();
    }

    // Arrays and maps.
    quint64 definiteLength(const QString& what);  // of the current array or map; "<what> de tamanho indefinido"
    quint64 arrayLength(const QString& what);     // the current item must be an array of definite length
    // A declared count must fit in the bytes left, so no reserve() can be
    // driven by a length the input cannot back.
    void checkFits(quint64 count, quint64 minBytesEach, const QString& what) const;
    void enter();
    void leave() {
        if (!m_r.leaveContainer()) failStream();
        --m_depth;
    }

    // Scalars. A read given a `what` checks the type itself and refuses another
    // as "esperado <what>"; a read without one is for an item whose type the
    // caller has already looked at. Each moves past the item.
    void next() {
        if (!m_r.next()) failStream();
    }
    quint64 unsignedInteger(const QString& what);
    bool boolean(const QString& what);
    bool boolean();
    qint64 integer();  // refuses one outside the signed 64-bit range
    double number();   // any integer (the whole CBOR range) or float, as a double
    // The current tag's number; next() then moves onto the tagged item.
    quint64 tagNumber() const { return quint64(m_r.toTag()); }

    // Strings, as views into the input; maxBytes bounds the declared length.
    QByteArrayView textBytes(const QString& what, quint64 maxBytes);  // UTF-8 not checked yet
    QByteArrayView byteString(const QString& what, quint64 maxBytes);
    QString text(const QString& what, quint64 maxBytes);  // decoded; invalid UTF-8 refused
    QString decodeUtf8(QByteArrayView utf8, const QString& what);
    // The next map key must be exactly `key`.
    void expectKey(QLatin1StringView key, quint64 maxBytes);

    // Refusals, through the wording.
    [[noreturn]] void fail(const QString& detail) const;
    [[noreturn]] void unexpected(const QString& expected);  // "esperado <expected>, encontrado ..."
    [[noreturn]] void failStream();                         // the stream's own error at this point

    // A UTF-8 byte count that no text of at most maxChars UTF-16 units can exceed.
    static quint64 utf8Bound(qint64 maxChars) { return quint64(std::max<qint64>(maxChars, 0)) * 3; }
    // A short, always valid rendering of unexpected text for messages.
    static QString preview(QByteArrayView utf8);

private:
    QByteArrayView string(QCborStreamReader::Type type, const QString& what, quint64 maxBytes);
    // The string taken, or the failure its status means.
    QByteArrayView checked(const CborString& s, const QString& what, quint64 maxBytes);
    [[noreturn]] void badString(CborStringFault fault, const QString& what, quint64 maxBytes, quint64 declaredBytes) const;
    QString foundName() const;

    QByteArrayView m_input;
    qint64 m_size;
    const CborWording& m_wording;
    int m_maxDepth;
    int m_depth = 0;
    QCborStreamReader m_r;
    QStringDecoder m_decoder{QStringDecoder::Utf8,
                             QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom};
};

}  // namespace host
