#include "afdesk/core/header/header_messages.h"

namespace afdesk {

QStringList headerMessageLines() {
    return {};
}

}  // namespace afdesk
