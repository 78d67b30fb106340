#pragma once
// The key of an AF and the tests built on it: which AF a dataset shows and the
// text under which the loaded AF is cached.
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace host {
class Dataset;
}

namespace afdesk {

struct AfKey {
    QString cdFilDest;   // destination branch, 4
    QString cdFilLanc;   // launching branch, 4
    QString nrAutoForn;  // AF number, 10

    // The key of a dataset's current record (null fields read as empty).
    static AfKey of(const host::Dataset& ds);

    // The three values in the order every AF load passes them to the server.
    QStringList arguments() const { return {cdFilDest, cdFilLanc, nrAutoForn}; }
    // CDFILDEST + CDFILLANC + NRAUTOFORN: the key of the cached AF.
    QString cacheKey() const { return cdFilDest + cdFilLanc + nrAutoForn; }

    bool operator==(const AfKey&) const = default;
};

// Whether `dependent` shows another AF than the list's current row: CDFILLANC +
// NRAUTOFORN of both current records compared (the destination branch is not).
// A dataset without a NRAUTOFORN field never counts as different.
bool isDifferentAF(const host::Dataset& list, const host::Dataset& dependent);

// The messages dataset keeps the launching branch and the AF number of the
// messages it holds as two integers.
struct MessagesAf {
    qint64 cdFilLanc = 0;
    qint64 nrAutoForn = 0;

    // The number of the list's current row, taken just before the messages are fetched.
    void takeNumberFrom(const host::Dataset& list);
    // Whether the list's current row is another AF, the integers brought to
    // 4 and 10 characters by the code convention before they are compared.
    bool isDifferentFrom(const host::Dataset& list) const;
};

}  // namespace afdesk
