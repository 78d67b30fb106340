#include "fields.h"

#include <stdexcept>

namespace platform::server::modules {

int fieldIndex(const Fields& fields, const QString& name) {
    for (int i = 0; i < int(fields.size()); ++i)
        if (fields[size_t(i)].name == name) return i;
    throw std::logic_error("no packet field " + name.toStdString());
}

}  // namespace platform::server::modules
