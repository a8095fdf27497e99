#pragma once

#include <string>
#include <vector>

// A working drawing as plain geometry, independent of the file format: lines,
// arcs, circles, hatched sections, texts and dimensions in model millimetres,
// y up. The part is drawn true to size; the sheet, its frame and every text
// are drawn at 1/scale, so that a plot at the sheet's scale gives paper sizes.

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// The layers of the drawing, one per kind of line.
enum class Layer { Thick, Thin, Centre, Dimension, Hatch, Text };

// Which part of the sheet an element belongs to, so that a picture of one
// part (the report shows the view alone) can be cut out of the whole.
enum class Part { View, Characteristic, Requirements, TitleBlock, Frame };

struct Line {
    Point from;
    Point to;
    Layer layer = Layer::Thick;
    Part part = Part::View;
};

// Counter-clockwise from startDegrees to endDegrees.
struct Arc {
    Point centre;
    double radius = 0.0;
    double startDegrees = 0.0;
    double endDegrees = 360.0;
    Layer layer = Layer::Thick;
    Part part = Part::View;
};

struct Circle {
    Point centre;
    double radius = 0.0;
    Layer layer = Layer::Thick;
    Part part = Part::View;
};

// A cut wire: a circle filled with 45 degree lines, or solid where the
// section is too small on paper for hatching to show.
struct Hatch {
    Point centre;
    double radius = 0.0;
    bool solid = false;
    double spacing = 1.0; // between hatch lines, model units
    Part part = Part::View;
};

enum class TextAlign { Left, Centre, Right };

// One line of text on its baseline. Unicode (UTF-8); "⌀" is the diameter sign.
struct Text {
    Point at;
    std::string content;
    double height = 3.5; // model units
    TextAlign align = TextAlign::Left;
    double degrees = 0.0;
    Layer layer = Layer::Text;
    Part part = Part::View;
};

// A dimension as CAD programs keep it: its definition points and the text.
// Linear: the distance between from and to measured along the direction
// degrees (0 horizontal, 90 vertical), the dimension line through lineAt.
// Diameter: from and to are opposite points of the circle, the text placed
// on the leader beyond to.
struct Dimension {
    enum class Kind { Linear, Diameter };
    Kind kind = Kind::Linear;
    Point from;
    Point to;
    Point lineAt;
    double degrees = 0.0;
    std::string text; // as shown, e.g. "⌀28" or "44"
    double value = 0.0;
    Part part = Part::View;
    // Linear only: more than 0 puts the text past the `to` end, the dimension
    // line running on this far (model units) and then under the text, where
    // the space between the arrows is taken.
    double textBeyond = 0.0;
};

struct SheetFormat {
    std::string name;   // "A4", "A3"
    double width = 0.0; // paper mm
    double height = 0.0;
};

struct Drawing {
    SheetFormat sheet;
    double scale = 1.0;      // paper mm per model mm (2 for 2:1)
    std::string scaleText;   // "2:1"
    Point sheetOrigin;       // the sheet's lower-left corner in model units
    double textHeight = 3.5; // paper mm of the dimension texts
    double arrowSize = 3.0;  // paper mm
    std::vector<Line> lines;
    std::vector<Arc> arcs;
    std::vector<Circle> circles;
    std::vector<Hatch> hatches;
    std::vector<Text> texts;
    std::vector<Dimension> dimensions;
};

// The sheet's lower-left and upper-right corners in model units.
Point SheetLowerLeft(const Drawing &drawing);
Point SheetUpperRight(const Drawing &drawing);
