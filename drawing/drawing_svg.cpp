#include "drawing_svg.h"

#include "dimension_shape.h"
#include "drawing_layers.h"
#include "text_measure.h"
#include "xml_text.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

std::string Num(double value) {
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    // {fmt} rounds exactly, as to_chars does; the page's library has no
    // floating-point to_chars.
    std::string text = fmt::format("{:.3f}", value);
    return text == "-0.000" ? "0.000" : text;
}

// What XML cannot hold never reaches the file: the HTML report's escaping.
std::string Escaped(std::string_view text) {
    return EscapeXml(text);
}

struct Box {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    void add(Point p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    void add(Point c, double r) {
        add({c.x - r, c.y - r});
        add({c.x + r, c.y + r});
    }
    bool empty() const { return minX > maxX; }
};

// The corners of a text's box, for the extent of a picture.
void AddText(Box &box, const Text &text) {
    const double width = TextWidth(text.content, text.height);
    const double start = text.align == TextAlign::Left     ? 0.0
                         : text.align == TextAlign::Centre ? -width / 2.0
                                                           : -width;
    const double radians = text.degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    for (const double along : {start, start + width}) {
        for (const double up : {-0.2 * text.height, 1.1 * text.height}) {
            box.add({text.at.x + along * c - up * s, text.at.y + along * s + up * c});
        }
    }
}

class SvgPicture {
  public:
    SvgPicture(const Drawing &drawing, std::vector<Part> parts)
        : drawing_(drawing), parts_(std::move(parts)) {}

    bool wanted(Part part) const {
        return std::find(parts_.begin(), parts_.end(), part) != parts_.end();
    }

    Box extent() const {
        Box box;
        for (const Line &l : drawing_.lines) {
            if (wanted(l.part)) {
                box.add(l.from);
                box.add(l.to);
            }
        }
        for (const Circle &c : drawing_.circles) {
            if (wanted(c.part)) {
                box.add(c.centre, c.radius);
            }
        }
        for (const Arc &a : drawing_.arcs) {
            if (wanted(a.part)) {
                box.add(a.centre, a.radius);
            }
        }
        for (const Text &t : drawing_.texts) {
            if (wanted(t.part)) {
                AddText(box, t);
            }
        }
        for (const Dimension &d : drawing_.dimensions) {
            if (wanted(d.part)) {
                const DimensionShape shape = ShapeOf(d, drawing_);
                for (const Line &l : shape.lines) {
                    box.add(l.from);
                    box.add(l.to);
                }
                AddText(box, shape.text);
            }
        }
        return box;
    }

    // Elements in SVG user units: model units with y downwards from top.
    std::string body(double left, double top) {
        left_ = left;
        top_ = top;
        std::string out;
        for (const LayerStyle &style : LayerStyles()) {
            std::string group;
            for (const Line &l : drawing_.lines) {
                if (l.layer == style.layer && wanted(l.part)) {
                    group += "<line x1=\"" + X(l.from) + "\" y1=\"" + Y(l.from) + "\" x2=\"" +
                             X(l.to) + "\" y2=\"" + Y(l.to) + "\"/>\n";
                }
            }
            for (const Circle &c : drawing_.circles) {
                if (c.layer == style.layer && wanted(c.part)) {
                    group += "<circle cx=\"" + X(c.centre) + "\" cy=\"" + Y(c.centre) + "\" r=\"" +
                             Num(c.radius) + "\" fill=\"none\"/>\n";
                }
            }
            for (const Arc &a : drawing_.arcs) {
                if (a.layer == style.layer && wanted(a.part)) {
                    group += ArcPath(a);
                }
            }
            if (style.layer == Layer::Hatch) {
                for (const Hatch &h : drawing_.hatches) {
                    if (wanted(h.part)) {
                        group += HatchLines(h);
                    }
                }
            }
            if (style.layer == Layer::Dimension) {
                for (const Dimension &d : drawing_.dimensions) {
                    if (wanted(d.part)) {
                        group += DimensionElements(ShapeOf(d, drawing_));
                    }
                }
            }
            if (group.empty()) {
                continue;
            }
            out += "<g stroke=\"#000\" stroke-width=\"" + Num(style.paperWidth / drawing_.scale) +
                   "\" stroke-linecap=\"round\"";
            if (style.layer == Layer::Centre) {
                out += " stroke-dasharray=\"" + Dashes(style.linetype) + "\"";
            }
            out += ">\n" + group + "</g>\n";
        }
        std::string texts;
        for (const Text &t : drawing_.texts) {
            if (wanted(t.part)) {
                texts += TextElement(t);
            }
        }
        for (const Dimension &d : drawing_.dimensions) {
            if (wanted(d.part)) {
                texts += TextElement(ShapeOf(d, drawing_).text);
            }
        }
        if (!texts.empty()) {
            out += "<g fill=\"#000\" stroke=\"none\" font-family=\"" + FontFamily() + "\">\n" +
                   texts + "</g>\n";
        }
        return out;
    }

  private:
    std::string X(Point p) const { return Num(p.x - left_); }
    std::string Y(Point p) const { return Num(top_ - p.y); }

    static std::string FontFamily() {
        return "'SimSun', '宋体', 'Noto Sans CJK SC', 'Noto Serif CJK SC', sans-serif";
    }

    std::string Dashes(const char *linetype) const {
        std::string dashes;
        for (const LinetypeStyle &type : LinetypeStyles()) {
            if (std::string_view(type.name) == linetype) {
                for (const double element : type.pattern) {
                    dashes += (dashes.empty() ? "" : " ") +
                              Num(std::max(std::fabs(element), 0.1) / drawing_.scale);
                }
            }
        }
        return dashes;
    }

    std::string ArcPath(const Arc &a) const {
        const double start = a.startDegrees * std::numbers::pi / 180.0;
        const double end = a.endDegrees * std::numbers::pi / 180.0;
        const Point from{a.centre.x + a.radius * std::cos(start),
                         a.centre.y + a.radius * std::sin(start)};
        const Point to{a.centre.x + a.radius * std::cos(end),
                       a.centre.y + a.radius * std::sin(end)};
        double sweep = a.endDegrees - a.startDegrees;
        while (sweep < 0.0) {
            sweep += 360.0;
        }
        // Counter-clockwise in the model is clockwise on the y-down page.
        return "<path d=\"M " + X(from) + " " + Y(from) + " A " + Num(a.radius) + " " +
               Num(a.radius) + " 0 " + (sweep > 180.0 ? "1" : "0") + " 0 " + X(to) + " " + Y(to) +
               "\" fill=\"none\"/>\n";
    }

    // Chords at 45 degrees, spaced as the hatch asks; a solid section is filled.
    std::string HatchLines(const Hatch &h) const {
        if (h.solid || h.spacing <= 0.0) {
            return "<circle cx=\"" + X(h.centre) + "\" cy=\"" + Y(h.centre) + "\" r=\"" +
                   Num(h.radius) + "\" fill=\"#000\" stroke=\"none\"/>\n";
        }
        std::string out;
        const double s = std::sqrt(0.5);
        const int count = static_cast<int>(h.radius / h.spacing);
        for (int k = -count; k <= count; ++k) {
            const double offset = k * h.spacing;
            const double half = std::sqrt(std::max(0.0, h.radius * h.radius - offset * offset));
            if (half <= 0.0) {
                continue;
            }
            // The chord's middle lies off the centre across the 45 degree direction.
            const Point middle{h.centre.x - offset * s, h.centre.y + offset * s};
            const Point a{middle.x - half * s, middle.y - half * s};
            const Point b{middle.x + half * s, middle.y + half * s};
            out += "<line x1=\"" + X(a) + "\" y1=\"" + Y(a) + "\" x2=\"" + X(b) + "\" y2=\"" +
                   Y(b) + "\"/>\n";
        }
        return out;
    }

    std::string DimensionElements(const DimensionShape &shape) const {
        std::string out;
        for (const Line &l : shape.lines) {
            out += "<line x1=\"" + X(l.from) + "\" y1=\"" + Y(l.from) + "\" x2=\"" + X(l.to) +
                   "\" y2=\"" + Y(l.to) + "\"/>\n";
        }
        for (const auto &arrow : shape.arrows) {
            out += "<polygon points=\"";
            for (std::size_t i = 0; i < arrow.size(); ++i) {
                out += (i == 0 ? "" : " ") + X(arrow[i]) + "," + Y(arrow[i]);
            }
            out += "\" fill=\"#000\" stroke=\"none\"/>\n";
        }
        return out;
    }

    std::string TextElement(const Text &t) const {
        const char *anchor = t.align == TextAlign::Left     ? "start"
                             : t.align == TextAlign::Centre ? "middle"
                                                            : "end";
        std::string out = "<text x=\"" + X(t.at) + "\" y=\"" + Y(t.at) + "\" font-size=\"" +
                          Num(t.height * 1.1) + "\" text-anchor=\"" + anchor + "\"";
        if (t.degrees != 0.0) {
            out += " transform=\"rotate(" + Num(-t.degrees) + " " + X(t.at) + " " + Y(t.at) + ")\"";
        }
        return out + ">" + Escaped(t.content) + "</text>\n";
    }

    const Drawing &drawing_;
    std::vector<Part> parts_;
    double left_ = 0.0;
    double top_ = 0.0;
};

} // namespace

std::string DrawingSvg(const Drawing &drawing) {
    SvgPicture picture(drawing, {Part::View, Part::Characteristic, Part::Requirements,
                                 Part::TitleBlock, Part::Frame});
    const Point low = SheetLowerLeft(drawing);
    const Point high = SheetUpperRight(drawing);
    const double width = high.x - low.x;
    const double height = high.y - low.y;
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           Num(drawing.sheet.width) + "mm\" height=\"" + Num(drawing.sheet.height) +
           "mm\" viewBox=\"0 0 " + Num(width) + " " + Num(height) + "\">\n<rect width=\"" +
           Num(width) + "\" height=\"" + Num(height) + "\" fill=\"#fff\"/>\n" +
           picture.body(low.x, high.y) + "</svg>\n";
}

std::string DrawingPartsSvg(const Drawing &drawing, std::initializer_list<Part> parts,
                            std::string_view label) {
    SvgPicture picture(drawing, parts);
    Box box = picture.extent();
    if (box.empty()) {
        box = {0.0, 0.0, 1.0, 1.0};
    }
    const double margin = 2.0 / drawing.scale;
    const double width = box.maxX - box.minX + 2.0 * margin;
    const double height = box.maxY - box.minY + 2.0 * margin;
    return "<svg viewBox=\"0 0 " + Num(width) + " " + Num(height) +
           "\" role=\"img\" aria-label=\"" + Escaped(label) + "\">\n" +
           picture.body(box.minX - margin, box.maxY + margin) + "</svg>\n";
}
