#pragma once

#include "torsion_search.h"

// One candidate of a torsion search: d, D and n with the search's fixed
// options, judged by the single design's call, and what it misses.

// Judged, with rateDeviationPercent, misses and missDistance set; a
// candidate that did not complete has no misses (it has no values to hold).
TorsionCandidate JudgeTorsionCandidate(const TorsionSearchRequest &request, double wireDiameter,
                                       double meanDiameter, double activeCoils);

// How far a rate misses the tolerance, as a share of the required rate; 0
// within it.
double RateExcess(const TorsionSearchRequest &request, double rate);

// The part of a candidate's misses that d and D alone decide, the same for
// every n: the outer diameter, and the bending stress (the torques are
// given: σ = K1·32T/(πd³), against the permissible of the wire's Rm).
double MissOfDiameters(const TorsionCandidate &candidate);
