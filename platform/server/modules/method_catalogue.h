#pragma once
// The catalogue of a registry's modules and methods, written from their own
// declarations (arguments, result, session, what a write asks of its caller)
// as the Markdown of docs/method-catalogue.md; a test keeps that file current.
#include "platform/server/module_registry.h"

#include <QtCore/QString>

namespace platform::server::modules {

QString methodCatalogue(const ModuleRegistry& registry);

}  // namespace platform::server::modules
