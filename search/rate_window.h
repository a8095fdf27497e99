#pragma once

#include "candidate_grid.h"
#include "search_request.h"

#include <array>

// The spring rates that can meet every required load within the tolerance,
// and the active coils that give them for one wire and mean diameter.
class RateWindow {
  public:
    // heights: the required heights as the candidates store them (single precision).
    RateWindow(const SearchRequest &request, const std::array<float, 3> &heights);

    // Every quarter of n outside the returned range gives a candidate that
    // fails the load rule; the range may hold some that fail it too.
    IntegerRange Quarters(float shearModulus, float wireDiameter, float meanDiameter) const;

    bool empty() const { return !(lowest_ <= highest_); }

  private:
    double lowest_ = 0.0;  // N/mm; 0 when the loads set no lower bound
    double highest_ = 0.0; // N/mm; infinite when they set no upper bound
};
