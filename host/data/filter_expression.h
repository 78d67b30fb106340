#pragma once
// Record filters of the in-memory dataset, written by screens as text such as
//   [CDPRODUTO]= '0000012345' and ([VRTOTALAF] >= 1000,5 or not [IDCHECK] = 'C')
// The text is compiled once into a tree whose literals are already converted to
// the type of the field they are compared with, so evaluating a row allocates
// nothing and builds no strings.
#include "data_locale.h"
#include "field_def.h"
#include "value.h"

#include <QtCore/QString>
#include <functional>
#include <memory>
#include <optional>

namespace host {

struct FilterFieldInfo {
    int index;  // position of the field's value in a row
    FieldType type;
};

// Looks a field up by name (case-insensitively); nullopt when there is no such field.
using FilterFieldResolver = std::function<std::optional<FilterFieldInfo>(const QString& name)>;

// One compiled node; the concrete kinds live in the .cpp.
class FilterNode {
public:
    virtual ~FilterNode() = default;
    virtual bool eval(const Value* row) const = 0;
};

class FilterExpression {
public:
    FilterExpression() = default;  // empty: matches every row

    // Compiles a filter text. Throws UserError (message in Portuguese, with the
    // position of the problem) for bad syntax, unknown fields, literals that do not
    // fit their field's type and empty text. caseInsensitive affects string
    // comparisons only.
    static FilterExpression parse(const QString& text, const FilterFieldResolver& resolver,
                                  const DataLocale& loc, bool caseInsensitive);

    bool isEmpty() const { return !m_root; }

    // row[index] is the value of the field the resolver gave that index.
    bool matches(const Value* row) const { return !m_root || m_root->eval(row); }

private:
    explicit FilterExpression(std::shared_ptr<const FilterNode> root) : m_root(std::move(root)) {}

    std::shared_ptr<const FilterNode> m_root;  // shared: copies are cheap and the tree is immutable
};

}  // namespace host
