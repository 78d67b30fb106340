#include "code_picture.h"

namespace platform::library {

namespace {

using host::MaskSlot;

QChar patternChar(const MaskSlot& slot) {
    switch (slot.kind) {
    case MaskSlot::Digit: return u'9';
    case MaskSlot::DigitOrSign: return u'#';
    case MaskSlot::Letter: return u'L';
    case MaskSlot::LetterOrDigit: return u'A';
    case MaskSlot::AnyChar: return u'C';
    case MaskSlot::Literal: break;
    }
    return slot.literal;
}

}  // namespace

CodePicture::CodePicture(QString mask) : m_mask(std::move(mask)), m_edit(host::parseEditMask(m_mask)) {
    const int n = int(m_edit.positions.size());
    for (int i = 0; i < n;) {
        if (m_edit.positions[size_t(i)].kind == MaskSlot::Literal) {
            ++i;
            continue;
        }
        int end = i;
        while (end < n && m_edit.positions[size_t(end)].kind != MaskSlot::Literal) ++end;
        m_levels.emplace_back(i, end);
        i = end;
    }
}

QString CodePicture::trimmed(const QString& text) const {
    auto ignoredAtEnd = [this](QChar c) {
        if (c == u' ' || c == m_edit.blank) return true;
        for (const MaskSlot& s : m_edit.positions)
            if (s.kind == MaskSlot::Literal && s.literal == c) return true;
        return false;
    };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && ignoredAtEnd(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

bool CodePicture::readLevel(const Range& level, const QString& text, qsizetype* at, QString* typed) const {
    for (int p = level.first; p < level.second; ++p) {
        const MaskSlot& slot = m_edit.positions[size_t(p)];
        // A blank is an untyped position, never part of a code.
        const QChar c = *at < text.size() ? text[*at] : QChar();
        if (c.isNull() || c == u' ' || c == m_edit.blank || !m_edit.accepts(slot, c)) return false;
        *typed += host::applyCase(slot, text[*at]);
        ++*at;
    }
    return true;
}

// "01.02.003": the literals stand where the picture has them.
std::optional<QString> CodePicture::readWithLiterals(const QString& text, int* levels) const {
    const auto& positions = m_edit.positions;
    qsizetype at = 0;
    int position = 0;
    int filled = 0;
    QString typed;
    for (const Range& level : m_levels) {
        if (at == text.size()) break;
        for (; position < level.first; ++position, ++at)
            if (at >= text.size() || text[at] != positions[size_t(position)].literal) return std::nullopt;
        if (!readLevel(level, text, &at, &typed)) return std::nullopt;
        ++filled;
        position = level.second;
    }
    if (filled == levelCount())  // a complete code may carry the picture's closing literals
        for (; position < int(positions.size()) && at < text.size(); ++position, ++at)
            if (text[at] != positions[size_t(position)].literal) return std::nullopt;
    if (at != text.size()) return std::nullopt;
    *levels = filled;
    return typed;
}

// "0102003": only the typed characters.
std::optional<QString> CodePicture::readInputOnly(const QString& text, int* levels) const {
    qsizetype at = 0;
    int filled = 0;
    QString typed;
    for (const Range& level : m_levels) {
        if (at == text.size()) break;
        if (!readLevel(level, text, &at, &typed)) return std::nullopt;
        ++filled;
    }
    if (at != text.size()) return std::nullopt;
    *levels = filled;
    return typed;
}

QString CodePicture::stored(const QString& typed, int levels) const {
    if (!m_edit.saveLiterals || levels == 0) return typed;
    const auto& positions = m_edit.positions;
    const int end = levels == levelCount() ? int(positions.size()) : m_levels[size_t(levels - 1)].second;
    QString out;
    qsizetype next = 0;
    for (int p = 0; p < end; ++p) {
        const MaskSlot& slot = positions[size_t(p)];
        out += slot.kind == MaskSlot::Literal ? slot.literal : typed[next++];
    }
    return out;
}

std::optional<CodePicture::Code> CodePicture::parse(const QString& text) const {
    const QString code = trimmed(text);
    if (code.isEmpty()) return Code{};
    if (m_levels.empty()) return Code{code, 1};  // no picture: any text is its own code
    int levels = 0;
    std::optional<QString> typed = readWithLiterals(code, &levels);
    if (!typed) typed = readInputOnly(code, &levels);
    if (!typed) return std::nullopt;
    return Code{stored(*typed, levels), levels};
}

QString CodePicture::pattern() const {
    QString out;
    for (const MaskSlot& slot : m_edit.positions) out += patternChar(slot);
    return out;
}

QString CodePicture::display(const QString& stored) const { return host::formatMaskText(m_mask, stored); }

}  // namespace platform::library
