#pragma once

#include "drawing_model.h"
#include "spring_design.h"

// The spring's characteristic line as Chinese spring drawings carry it above
// the view: the load over the length, drawn to the view's length scale from
// the same left end, with the working loads F1..F3 marked at their heights
// H1..H3 (and the solid height Hb of a compression spring, the initial
// tension F0 of an extension spring). The heights are dimensioned from the
// left end, stacked below the base line; the loads' values stand in the
// technical requirements.

// Paper mm the characteristic line takes above its base line, and below it.
inline constexpr double kCharacteristicRise = 30.0;
inline constexpr double kCharacteristicLabels = 5.0; // the load labels
inline constexpr double kHeightDimensionStep = 7.0;
int HeightDimensionCount(SpringTypeSign typeSign);
// The largest length the line reaches, model units.
double CharacteristicRight(const SpringDesign &design, SpringTypeSign typeSign);

// Adds it with its base line at y = baseY (model units).
void AddCharacteristicLine(Drawing &drawing, const SpringDesign &design, SpringTypeSign typeSign,
                           double baseY);
