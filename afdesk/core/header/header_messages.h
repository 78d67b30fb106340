#pragma once
// The header entry's entries of the workspace's message table ("key|text").
#include <QtCore/QStringList>

namespace afdesk {

QStringList headerMessageLines();

}  // namespace afdesk
