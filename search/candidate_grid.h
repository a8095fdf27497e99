#pragma once

#include "search_request.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The candidate space as integers: the mean diameter in tenths of a mm, the
// active coils in quarters. A candidate's decimal value is made from its
// integer once (tenths / 10, quarters / 4), so no step ever drifts.

struct IntegerRange {
    std::int64_t first = 0;
    std::int64_t last = -1; // empty when last < first
    bool empty() const { return last < first; }
    std::int64_t count() const { return empty() ? 0 : last - first + 1; }
};

// The multiples of 0.1 mm with minIndex <= D/d <= maxIndex.
IntegerRange MeanDiameterTenths(double wireDiameter, double minIndex, double maxIndex);
// The multiples of 0.25 from min to max.
IntegerRange ActiveCoilQuarters(double min, double max);

float MeanDiameterOf(std::int64_t tenths);
float ActiveCoilsOf(std::int64_t quarters);

// Every (wire diameter, mean diameter) pair of a request in one sequence, so
// that threads can share it out by number without holding a list.
class CandidateGrid {
  public:
    explicit CandidateGrid(const SearchRequest &request);

    std::size_t pairCount() const { return pairOffsets_.back(); }
    std::uint64_t candidateCount() const;
    const IntegerRange &quarters() const { return quarters_; }

    struct Pair {
        std::size_t wire; // index into the request's sorted wires
        std::int64_t tenths;
    };
    Pair pair(std::size_t index) const;

  private:
    std::vector<IntegerRange> tenths_;     // per wire
    std::vector<std::size_t> pairOffsets_; // running total of pairs, one more entry than wires
    IntegerRange quarters_;
};
