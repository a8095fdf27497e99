#pragma once

#include "design_search.h"

// The window's sample spring asked for by its own loads: F1 92.128 N at
// 40 mm, F2 184.257 N at 36 mm, F3 368.513 N at 28 mm, G 79000, [tau] 660,
// n1 = n + 1.5. Only d 4, D 28, n 5 is in the space; widen it per test.
inline SearchRequest SampleRequest() {
    SearchRequest r;
    r.material = "70-C";
    r.shearModulus = 79000.0;
    r.first = {92.128, 40.0};
    r.second = {184.257, 36.0};
    r.third = WorkingPointRequirement{368.513, 28.0};
    r.wires = {{4.0, 660.0}};
    r.density = 7.85;
    r.minIndex = r.maxIndex = 7.0;
    r.minActiveCoils = r.maxActiveCoils = 5.0;
    r.endCoils = 1.5;
    return r;
}

// The sample as a close-wound extension spring: H0 = 2(28 - 4) + 6 x 4 = 72,
// k = 23.032, F0 = 100 - 2k = 53.9 from F1 100 N at 74 mm; the run then gives
// 192.1 N at 78 mm and 284.2 N at 82 mm.
inline SearchRequest SampleExtensionRequest() {
    SearchRequest r = SampleRequest();
    r.typeSign = kExtensionSpring;
    r.first = {100.0, 74.0};
    r.second = {192.1, 78.0};
    r.third = WorkingPointRequirement{284.2, 82.0};
    return r;
}

inline SearchOptions Quiet(unsigned threads = 2) {
    SearchOptions o;
    o.threads = threads;
    return o;
}
