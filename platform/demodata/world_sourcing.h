#pragma once
// The sourcing part of the demo world: price lists, quotations and price
// surveys of the purchasing centrals, drawn from the suppliers already built.
#include "demo_world.h"

namespace afdemo {

void buildPriceLists(World& w);
void buildQuotations(World& w);
void buildSurveys(World& w);

}  // namespace afdemo
