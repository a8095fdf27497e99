#pragma once

#include "drawing_model.h"
#include "torsion_spring.h"

// The torque–angle characteristic as the drawing carries it above the
// views: a straight line from the origin, the working torques T1..T3 marked
// at their angles φ1..φ3; the values stand in the technical requirements.
// Its box in paper mm, axis captions included.
inline constexpr double kTorsionCharacteristicWidth = 80.0;
inline constexpr double kTorsionCharacteristicHeight = 42.0;

// Adds it with its box's lower-left corner at (left, bottom), paper mm on
// the drawing's sheet (whose scale and origin are set).
void AddTorsionCharacteristic(Drawing &drawing, const TorsionSpring &spring, double left,
                              double bottom);
