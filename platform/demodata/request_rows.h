#pragma once
// Purchase requests, written after the AFs because some point at one.
#include "af_generator.h"
#include "demo_world.h"
#include "row_buffer.h"

namespace afdemo {

void requestRows(const World& w, const std::vector<ImportedSample>& samples, RowBuffer& out);

}  // namespace afdemo
