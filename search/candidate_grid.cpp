#include "candidate_grid.h"

#include "checked_math.h"

#include <algorithm>
#include <cmath>

namespace {

// Products of decimals such as 4 x 0.35 x 10 land a hair off the integer in
// binary. Inputs of up to five decimal places put a true non-integer at least
// 1e-5 from the nearest integer, and the binary error stays far below 1e-7
// for any space the request validation lets through, so 1e-7 decides both
// ways correctly.
constexpr double kDecimalSlack = 1e-7;

IntegerRange MultiplesWithin(double low, double high, double steps) {
    IntegerRange range;
    range.first = static_cast<std::int64_t>(std::ceil(low * steps - kDecimalSlack));
    range.last = static_cast<std::int64_t>(std::floor(high * steps + kDecimalSlack));
    range.first = std::max<std::int64_t>(range.first, 1);
    return range;
}

} // namespace

IntegerRange MeanDiameterTenths(double wireDiameter, double minIndex, double maxIndex) {
    return MultiplesWithin(minIndex * wireDiameter, maxIndex * wireDiameter, 10.0);
}

IntegerRange ActiveCoilQuarters(double min, double max) {
    return MultiplesWithin(min, max, 4.0);
}

float MeanDiameterOf(std::int64_t tenths) {
    return checked::Store(static_cast<double>(tenths) / 10.0);
}

float ActiveCoilsOf(std::int64_t quarters) {
    return checked::Store(static_cast<double>(quarters) / 4.0);
}

CandidateGrid::CandidateGrid(const SearchRequest &request)
    : quarters_(ActiveCoilQuarters(request.minActiveCoils, request.maxActiveCoils)) {
    pairOffsets_.push_back(0);
    for (const WireChoice &wire : request.wires) {
        tenths_.push_back(MeanDiameterTenths(wire.diameter, request.minIndex, request.maxIndex));
        pairOffsets_.push_back(pairOffsets_.back() +
                               static_cast<std::size_t>(tenths_.back().count()));
    }
}

std::uint64_t CandidateGrid::candidateCount() const {
    return static_cast<std::uint64_t>(pairCount()) * static_cast<std::uint64_t>(quarters_.count());
}

CandidateGrid::Pair CandidateGrid::pair(std::size_t index) const {
    const auto next = std::upper_bound(pairOffsets_.begin(), pairOffsets_.end(), index);
    const auto wire = static_cast<std::size_t>(next - pairOffsets_.begin() - 1);
    return {wire, tenths_[wire].first + static_cast<std::int64_t>(index - pairOffsets_[wire])};
}
