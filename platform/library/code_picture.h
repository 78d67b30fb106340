#pragma once
// Codes typed through a code picture (`DBPict`): which texts are codes of the
// picture and how each is stored.
//
// A code is made of the picture's levels, its groups of input positions, filled
// from the first: with "!99.99.999;0;_" the codes are "01", "01.02" and
// "01.02.003" (a tree level, a deeper level, a product), typed with or without
// the literals; every position of a typed level must be filled, whether the
// mask marks it required or optional. The stored form follows the picture's
// save-literals section: "0102003" here, "01.02.003" when literals are saved.
#include "host/services/edit_mask.h"

#include <QtCore/QString>
#include <optional>
#include <utility>
#include <vector>

namespace platform::library {

class CodePicture {
public:
    explicit CodePicture(QString mask);

    struct Code {
        QString stored;  // the form kept in the database
        int levels = 0;  // levels typed, 1..levelCount()
    };

    // nullopt when the text is not a code of the picture. Blanks before the
    // code, and blanks, blank characters and literals after it, are ignored;
    // nothing left is an empty code (levels 0).
    std::optional<Code> parse(const QString& text) const;

    int levelCount() const { return int(m_levels.size()); }
    // The picture as users read it: "99.99.999".
    QString pattern() const;
    // A stored code as it is shown: "01.02.003".
    QString display(const QString& stored) const;

private:
    using Range = std::pair<int, int>;  // [first, last) positions of one level
    QString trimmed(const QString& text) const;
    std::optional<QString> readWithLiterals(const QString& text, int* levels) const;
    std::optional<QString> readInputOnly(const QString& text, int* levels) const;
    bool readLevel(const Range& level, const QString& text, qsizetype* at, QString* typed) const;
    QString stored(const QString& typed, int levels) const;

    QString m_mask;
    host::EditMask m_edit;
    std::vector<Range> m_levels;
};

}  // namespace platform::library
