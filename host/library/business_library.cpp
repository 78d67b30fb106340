#include "host/library/business_library.h"

#include "host/data/errors.h"

namespace host {
namespace {

std::shared_ptr<BusinessLibrary>& installed() {
    static std::shared_ptr<BusinessLibrary> library;
    return library;
}

}  // namespace

BusinessLibrary& businessLibrary() {
    BusinessLibrary* library = installed().get();
    if (!library) throw DataError(QStringLiteral("Nenhuma biblioteca de negócio do host instalada."));
    return *library;
}

void setBusinessLibrary(std::shared_ptr<BusinessLibrary> library) { installed() = std::move(library); }

}  // namespace host
