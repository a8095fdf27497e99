#pragma once

#include "drawing_model.h"
#include "torsion_spring.h"

// The two views of a torsion spring after GB/T 4459.4, true to size, with
// straight tangential legs lying across the axis.
//
// Front view: the axis on y = 0, the body from x = 0 to its free length; the
// wire cut at the top and the bottom of the coils as for the other kinds
// (more than four coils: the end coils drawn, the middle ones left out on
// centre lines), leg 1 leaving the first coil, leg 2 the last.
//
// End view (along the axis), centred on (centreX, 0): the outer and inner
// circles, the mean circle as a centre line, both legs leaving tangentially;
// leg 2 stands turned about the axis from leg 1 by the fraction of a coil
// beyond the whole ones, 360°·(n − ⌊n⌋), an arc between them says so.

// How far each view reaches from its own origin, model units.
struct TorsionViewBox {
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};
TorsionViewBox TorsionFrontBox(const TorsionInputs &in, const TorsionSpring &spring, bool leftHand);
TorsionViewBox TorsionEndBox(const TorsionInputs &in, bool leftHand);

// The angle about the axis from leg 1 to leg 2, degrees in [0, 360).
double LegTurnDegrees(double activeCoils);

void AddTorsionFrontView(Drawing &drawing, const TorsionInputs &in, const TorsionSpring &spring,
                         bool leftHand);
void AddTorsionEndView(Drawing &drawing, const TorsionInputs &in, const TorsionSpring &spring,
                       double centreX, bool leftHand);
