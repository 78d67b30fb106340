#pragma once
// `Tabvalid.ValidEx`: a typed code checked against the session's picture of its
// type, rewritten to its stored form, and optionally looked up in a dataset.
#include "host/library/business_library.h"

namespace platform::library {

// See BusinessLibrary::ValidEx. Messages name the code as users see it.
void validateCode(host::Dataset* lookup, int pictureType, QString& text, const host::ValidExOptions& options);

}  // namespace platform::library
