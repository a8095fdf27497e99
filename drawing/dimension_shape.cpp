#include "dimension_shape.h"

#include "text_measure.h"

#include <cmath>
#include <numbers>

namespace {

Point Plus(Point a, Point b, double k = 1.0) {
    return {a.x + b.x * k, a.y + b.y * k};
}
double Dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
Point Minus(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}

// An arrowhead with its tip at tip, pointing along direction (unit).
std::array<Point, 3> Arrow(Point tip, Point direction, double length) {
    const Point back = Plus(tip, direction, -length);
    const Point side{-direction.y * length / 6.0, direction.x * length / 6.0};
    return {tip, Plus(back, side), Plus(back, side, -1.0)};
}

} // namespace

double MeasuredLength(const Dimension &dimension) {
    const Point span = Minus(dimension.to, dimension.from);
    if (dimension.kind == Dimension::Kind::Diameter) {
        return std::hypot(span.x, span.y);
    }
    const double radians = dimension.degrees * std::numbers::pi / 180.0;
    return std::fabs(Dot(span, {std::cos(radians), std::sin(radians)}));
}

DimensionShape ShapeOf(const Dimension &dimension, const Drawing &drawing) {
    const double unit = 1.0 / drawing.scale; // one paper mm in model units
    const double arrow = drawing.arrowSize * unit;
    const double height = drawing.textHeight * unit;
    DimensionShape shape;
    shape.text.height = height;
    shape.text.content = dimension.text;
    shape.text.layer = Layer::Dimension;
    shape.text.part = dimension.part;
    const auto add = [&](Point a, Point b) {
        shape.lines.push_back({a, b, Layer::Dimension, dimension.part});
    };

    if (dimension.kind == Dimension::Kind::Diameter) {
        // Across the circle, arrows on it, then on to a shoulder under the text.
        const Point span = Minus(dimension.to, dimension.from);
        const double length = std::hypot(span.x, span.y);
        if (length == 0.0) {
            return shape;
        }
        const Point u{span.x / length, span.y / length};
        const Point knee = Plus(dimension.to, u, 6.0 * unit);
        const double side = u.x >= 0.0 ? 1.0 : -1.0;
        const double width = TextWidth(dimension.text, height) + 2.0 * unit;
        const Point shoulder{knee.x + side * width, knee.y};
        add(dimension.from, knee);
        add(knee, shoulder);
        shape.arrows.push_back(Arrow(dimension.from, {-u.x, -u.y}, arrow));
        shape.arrows.push_back(Arrow(dimension.to, u, arrow));
        shape.text.at = {(knee.x + shoulder.x) / 2.0, knee.y + unit};
        shape.text.align = TextAlign::Centre;
        return shape;
    }

    const double radians = dimension.degrees * std::numbers::pi / 180.0;
    const Point u{std::cos(radians), std::sin(radians)};
    const Point n{-u.y, u.x};
    const auto onLine = [&](Point p) { return Plus(p, n, Dot(Minus(dimension.lineAt, p), n)); };
    const Point a = onLine(dimension.from);
    const Point b = onLine(dimension.to);
    for (const auto &[origin, foot] : {std::pair{dimension.from, a}, std::pair{dimension.to, b}}) {
        const Point out = Minus(foot, origin);
        const double reach = std::hypot(out.x, out.y);
        if (reach > 0.0) {
            add(origin, Plus(foot, out, 2.0 * unit / reach)); // 2 mm beyond the dimension line
        }
    }
    add(a, b);
    const Point along = Minus(b, a);
    const double length = std::hypot(along.x, along.y);
    if (length > 0.0) {
        const Point v{along.x / length, along.y / length};
        shape.arrows.push_back(Arrow(a, {-v.x, -v.y}, arrow));
        shape.arrows.push_back(Arrow(b, v, arrow));
    }
    // The text above a horizontal dimension line, left of a vertical one,
    // reading from the bottom; moved out, on the dimension line run on.
    shape.text.at = Plus({(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}, n, unit);
    if (dimension.textBeyond > 0.0 && length > 0.0) {
        const Point v{along.x / length, along.y / length};
        const double width = TextWidth(dimension.text, height);
        add(b, Plus(b, v, dimension.textBeyond + width + unit));
        shape.text.at = Plus(Plus(b, v, dimension.textBeyond + width / 2.0), n, unit);
    }
    shape.text.align = TextAlign::Centre;
    shape.text.degrees = dimension.degrees;
    return shape;
}
