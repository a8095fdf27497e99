#pragma once

#include "drawing_input.h"
#include "drawing_model.h"

#include <string>
#include <vector>

// Where things sit on a sheet, in paper mm from its lower-left corner.
struct SheetBox {
    double left = 0.0;
    double bottom = 0.0;
    double width = 0.0;
    double height = 0.0;
    double right() const { return left + width; }
    double top() const { return bottom + height; }
};

// The sheet formats used and the drawing frame with a filing margin after
// GB/T 14689 (table 1, the frame with a filing margin): A4 upright, A3
// across; a = 25 mm on the left, c = 5 mm on the other sides.
SheetFormat SheetA4();
SheetFormat SheetA3();
SheetBox InnerFrame(const SheetFormat &sheet);

// Where the title block (title_block.h) stands: its 180 mm x 56 mm in the
// frame's lower right corner (GB/T 10609.1).
SheetBox TitleBlockBox(const SheetFormat &sheet);

// The technical requirements: the heading "技术要求" and the numbered lines,
// wrapped to the block's width, above the title block.
// The preferred scales of GB/T 14690, largest first.
struct Scale {
    double factor;
    const char *text;
};
inline constexpr Scale kScales[] = {{10.0, "10:1"}, {5.0, "5:1"},   {2.0, "2:1"},  {1.0, "1:1"},
                                    {0.5, "1:2"},   {0.2, "1:5"},   {0.1, "1:10"}, {0.05, "1:20"},
                                    {0.02, "1:50"}, {0.01, "1:100"}};

inline constexpr double kRequirementTextHeight = 3.5;
inline constexpr double kRequirementLineStep = 5.5;
struct RequirementLine {
    std::string text;
    double indent = 0.0; // paper mm: a continuation line starts under its item's text
};
std::vector<RequirementLine> RequirementLines(const std::vector<std::string> &items, double width);
double RequirementsHeight(std::size_t lineCount);
// raised: paper mm taken above the title block first (the revision area).
SheetBox RequirementsBox(const SheetFormat &sheet, std::size_t lineCount, double raised);

// Paper mm to model units for a drawing whose sheetOrigin and scale are set.
Point OnSheet(const Drawing &drawing, double x, double y);

void AddFrame(Drawing &drawing);
void AddRequirements(Drawing &drawing, const std::vector<RequirementLine> &lines, double raised);
