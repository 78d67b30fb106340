#pragma once
// Where the AF workspace's packet layouts used to live; the workspace's model
// tests still include this path. Remove once they include the new one.
#include "platform/server/modules/lanca_autof/lanca_autof_fields.h"
