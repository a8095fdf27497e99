#pragma once

#include "drawing_model.h"
#include "spring_design.h"

// The front view of the spring in section after GB/T 4459.4, true to size:
// the axis on y = 0, the free height (an extension spring's free length
// inside its hooks) from x = 0 to x = H0. The wire is cut at the top and the
// bottom of the coils; straight lines join the sections as the far side's
// coils run, rising to the right for a right-hand spring and falling for a
// left-hand one; with more than four active coils only the two end coils of
// each row are drawn and the left-out ones are joined by centre lines.
// Dimensions: d at a section, the mean diameter, the outer diameter and H0.

// How far the view reaches, in model units.
struct ViewExtent {
    double left = 0.0;
    double right = 0.0;
    double radius = 0.0; // of the outer diameter
};
ViewExtent SpringViewExtent(const SpringDesign &design, SpringTypeSign typeSign);

// Adds the view to drawing, whose scale is already chosen.
void AddSpringView(Drawing &drawing, const SpringDesign &design, SpringTypeSign typeSign,
                   bool leftHand);
