#include "dxf_writer.h"

#include "dimension_shape.h"
#include "drawing_layers.h"
#include "user_text.h"
#include "utf8_text.h"

#include <fmt/format.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

std::string Hex(unsigned handle) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", handle);
    return text;
}

std::string Number(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 1e-12) {
        value = 0.0;
    }
    // The shortest text that reads back as the same double, by {fmt}: the
    // page's C++ library has no floating-point to_chars.
    std::string text = fmt::format("{}", value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

// Group codes and values, one per line as DXF writes them.
class DxfOut {
  public:
    void code(int group, std::string_view value) {
        char code[8];
        std::snprintf(code, sizeof code, "%3d", group);
        out_ += code;
        out_ += '\n';
        out_ += value;
        out_ += '\n';
    }
    void code(int group, const char *value) { code(group, std::string_view(value)); }
    void code(int group, const std::string &value) { code(group, std::string_view(value)); }
    void integer(int group, long value) { code(group, std::to_string(value)); }
    void real(int group, double value) { code(group, Number(value)); }
    void point(int group, Point p) {
        real(group, p.x);
        real(group + 10, p.y);
        real(group + 20, 0.0);
    }
    std::string &text() { return out_; }

  private:
    std::string out_;
};

// Handles of the objects that others point to.
struct Handles {
    unsigned next = 0x20;
    unsigned take() { return next++; }

    unsigned vportTable = 1, ltypeTable = 2, layerTable = 3, styleTable = 4, viewTable = 5,
             ucsTable = 6, appidTable = 7, dimstyleTable = 8, blockRecordTable = 9;
    unsigned rootDictionary = 0xA, groupDictionary = 0xB, layoutDictionary = 0xC,
             plotStyleDictionary = 0xD, normalPlotStyle = 0xE;
    unsigned modelRecord = 0x10, paperRecord = 0x11, modelLayout = 0x12, paperLayout = 0x13;
    unsigned gbStyle = 0x14;
};

void TableHead(DxfOut &out, const char *name, unsigned handle, int count) {
    out.code(0, "TABLE");
    out.code(2, name);
    out.code(5, Hex(handle));
    out.code(330, "0");
    out.code(100, "AcDbSymbolTable");
    out.integer(70, count);
}

void RecordHead(DxfOut &out, const char *type, unsigned handle, unsigned owner,
                const char *subclass, int handleCode = 5) {
    out.code(0, type);
    out.code(handleCode, Hex(handle));
    out.code(330, Hex(owner));
    out.code(100, "AcDbSymbolTableRecord");
    out.code(100, subclass);
}

void EntityHead(DxfOut &out, const char *type, unsigned handle, unsigned owner,
                const std::string &layer) {
    out.code(0, type);
    out.code(5, Hex(handle));
    out.code(330, Hex(owner));
    out.code(100, "AcDbEntity");
    out.code(8, layer);
}

class Writer {
  public:
    Writer(const Drawing &drawing, DxfVersion version) : drawing_(drawing), version_(version) {}

    std::string run() {
        DxfOut entities;
        DxfOut blocks;
        std::vector<std::pair<std::string, unsigned>> dimensionRecords;
        int index = 1;
        for (const Dimension &dimension : drawing_.dimensions) {
            const std::string name = "*D" + std::to_string(index++);
            const unsigned record = h_.take();
            dimensionRecords.emplace_back(name, record);
            writeDimensionBlock(blocks, dimension, name, record);
            writeDimension(entities, dimension, name);
        }
        for (const Line &line : drawing_.lines) {
            writeLine(entities, line, h_.modelRecord);
        }
        for (const Circle &circle : drawing_.circles) {
            EntityHead(entities, "CIRCLE", h_.take(), h_.modelRecord, StyleOf(circle.layer).name);
            entities.code(100, "AcDbCircle");
            entities.point(10, circle.centre);
            entities.real(40, circle.radius);
        }
        for (const Arc &arc : drawing_.arcs) {
            EntityHead(entities, "ARC", h_.take(), h_.modelRecord, StyleOf(arc.layer).name);
            entities.code(100, "AcDbCircle");
            entities.point(10, arc.centre);
            entities.real(40, arc.radius);
            entities.code(100, "AcDbArc");
            entities.real(50, arc.startDegrees);
            entities.real(51, arc.endDegrees);
        }
        for (const Hatch &hatch : drawing_.hatches) {
            writeHatch(entities, hatch);
        }
        for (const Text &text : drawing_.texts) {
            writeText(entities, text, h_.modelRecord);
        }

        DxfOut tables;
        writeTables(tables, dimensionRecords);
        DxfOut objects;
        writeObjects(objects);

        DxfOut spaces;
        writeBlock(spaces, "*Model_Space", h_.modelRecord, 0, "");
        writeBlock(spaces, "*Paper_Space", h_.paperRecord, 0, "");

        DxfOut file;
        writeHeader(file);
        writeClasses(file);
        file.code(0, "SECTION");
        file.code(2, "TABLES");
        file.text() += tables.text();
        file.code(0, "ENDSEC");
        file.code(0, "SECTION");
        file.code(2, "BLOCKS");
        file.text() += spaces.text();
        file.text() += blocks.text();
        file.code(0, "ENDSEC");
        file.code(0, "SECTION");
        file.code(2, "ENTITIES");
        file.text() += entities.text();
        file.code(0, "ENDSEC");
        file.code(0, "SECTION");
        file.code(2, "OBJECTS");
        file.text() += objects.text();
        file.code(0, "ENDSEC");
        file.code(0, "EOF");
        return file.text();
    }

  private:
    void writeHeader(DxfOut &out) {
        const double unit = 1.0 / drawing_.scale;
        const Point low = SheetLowerLeft(drawing_);
        const Point high = SheetUpperRight(drawing_);
        out.code(0, "SECTION");
        out.code(2, "HEADER");
        const auto var = [&](const char *name) { out.code(9, name); };
        var("$ACADVER");
        out.code(1, version_ == DxfVersion::R2000 ? "AC1015" : "AC1021");
        var("$DWGCODEPAGE");
        out.code(3, "ANSI_936");
        var("$INSBASE");
        out.point(10, {});
        var("$EXTMIN");
        out.point(10, low);
        var("$EXTMAX");
        out.point(10, high);
        var("$LIMMIN");
        out.real(10, low.x);
        out.real(20, low.y);
        var("$LIMMAX");
        out.real(10, high.x);
        out.real(20, high.y);
        var("$LTSCALE");
        out.real(40, unit);
        var("$TEXTSTYLE");
        out.code(7, kTextStyleName);
        var("$CLAYER");
        out.code(8, "0");
        var("$DIMSTYLE");
        out.code(2, "GB");
        var("$DIMSCALE");
        out.real(40, unit);
        var("$DIMTXSTY");
        out.code(7, kTextStyleName);
        var("$LUNITS");
        out.integer(70, 2);
        var("$INSUNITS");
        out.integer(70, 4); // millimetres
        var("$MEASUREMENT");
        out.integer(70, 1); // metric
        var("$LWDISPLAY");
        out.integer(290, 1);
        var("$HANDSEED");
        out.code(5, Hex(h_.next + 1));
        out.code(0, "ENDSEC");
    }

    static void writeClasses(DxfOut &out) {
        out.code(0, "SECTION");
        out.code(2, "CLASSES");
        const std::array<std::array<const char *, 2>, 3> classes = {{
            {"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault"},
            {"ACDBPLACEHOLDER", "AcDbPlaceHolder"},
            {"LAYOUT", "AcDbLayout"},
        }};
        for (const auto &[name, cppName] : classes) {
            out.code(0, "CLASS");
            out.code(1, name);
            out.code(2, cppName);
            out.code(3, "ObjectDBX Classes");
            out.integer(90, 0);
            out.integer(91, 0);
            out.integer(280, 0);
            out.integer(281, 0);
        }
        out.code(0, "ENDSEC");
    }

    void writeTables(DxfOut &out,
                     const std::vector<std::pair<std::string, unsigned>> &dimensionRecords) {
        const Point low = SheetLowerLeft(drawing_);
        const Point high = SheetUpperRight(drawing_);
        TableHead(out, "VPORT", h_.vportTable, 1);
        RecordHead(out, "VPORT", h_.take(), h_.vportTable, "AcDbViewportTableRecord");
        out.code(2, "*Active");
        out.integer(70, 0);
        out.real(10, 0.0);
        out.real(20, 0.0);
        out.real(11, 1.0);
        out.real(21, 1.0);
        out.real(12, (low.x + high.x) / 2.0);
        out.real(22, (low.y + high.y) / 2.0);
        out.real(13, 0.0);
        out.real(23, 0.0);
        out.real(14, 10.0 / drawing_.scale); // snap and grid spacing
        out.real(24, 10.0 / drawing_.scale);
        out.real(15, 10.0 / drawing_.scale);
        out.real(25, 10.0 / drawing_.scale);
        out.real(16, 0.0); // looking down the z axis
        out.real(26, 0.0);
        out.real(36, 1.0);
        out.real(17, 0.0);
        out.real(27, 0.0);
        out.real(37, 0.0);
        out.real(40, (high.y - low.y) * 1.05);
        out.real(41, (high.x - low.x) / (high.y - low.y));
        out.real(42, 50.0);
        out.real(43, 0.0);
        out.real(44, 0.0);
        out.real(50, 0.0);
        out.real(51, 0.0);
        for (const auto &[group, value] : std::initializer_list<std::pair<int, int>>{
                 {71, 0}, {72, 1000}, {73, 1}, {74, 3}, {75, 0}, {76, 0}, {77, 0}, {78, 0}}) {
            out.integer(group, value);
        }
        out.code(0, "ENDTAB");

        TableHead(out, "LTYPE", h_.ltypeTable, 3 + static_cast<int>(LinetypeStyles().size()));
        for (const char *name : {"ByBlock", "ByLayer", "Continuous"}) {
            RecordHead(out, "LTYPE", h_.take(), h_.ltypeTable, "AcDbLinetypeTableRecord");
            out.code(2, name);
            out.integer(70, 0);
            out.code(3, std::string_view(name) == "Continuous" ? "Solid line" : "");
            out.integer(72, 65);
            out.integer(73, 0);
            out.real(40, 0.0);
        }
        for (const LinetypeStyle &type : LinetypeStyles()) {
            RecordHead(out, "LTYPE", h_.take(), h_.ltypeTable, "AcDbLinetypeTableRecord");
            out.code(2, type.name);
            out.integer(70, 0);
            out.code(3, type.description);
            out.integer(72, 65);
            out.integer(73, static_cast<long>(type.pattern.size()));
            double total = 0.0;
            for (const double element : type.pattern) {
                total += std::fabs(element);
            }
            out.real(40, total);
            for (const double element : type.pattern) {
                out.real(49, element);
                out.integer(74, 0);
            }
        }
        out.code(0, "ENDTAB");

        TableHead(out, "LAYER", h_.layerTable, 2 + static_cast<int>(LayerStyles().size()));
        const auto layer = [&](const char *name, int colour, const char *linetype, int weight,
                               bool plot) {
            RecordHead(out, "LAYER", h_.take(), h_.layerTable, "AcDbLayerTableRecord");
            out.code(2, name);
            out.integer(70, 0);
            out.integer(62, colour);
            out.code(6, linetype);
            if (!plot) {
                out.integer(290, 0);
            }
            out.integer(370, weight);
            out.code(390, Hex(h_.normalPlotStyle));
        };
        layer("0", 7, "Continuous", -3, true);
        layer("Defpoints", 7, "Continuous", -3, false);
        for (const LayerStyle &style : LayerStyles()) {
            layer(style.name, style.colour, style.linetype, style.lineweight, true);
        }
        out.code(0, "ENDTAB");

        TableHead(out, "STYLE", h_.styleTable, 3);
        const auto style = [&](unsigned handle, const char *name, const char *font,
                               const char *bigFont, double widthFactor) {
            RecordHead(out, "STYLE", handle, h_.styleTable, "AcDbTextStyleTableRecord");
            out.code(2, name);
            out.integer(70, 0);
            out.real(40, 0.0);
            out.real(41, widthFactor);
            out.real(50, 0.0);
            out.integer(71, 0);
            out.real(42, 3.5);
            out.code(3, font);
            out.code(4, bigFont);
        };
        style(h_.take(), "Standard", "txt", "", 1.0);
        style(h_.gbStyle, kTextStyleName, kTextFont, kTextBigFont, 1.0);
        // The TrueType style names its family as AutoCAD keeps it.
        style(h_.take(), kFallbackStyleName, kFallbackFontFile, "", kFallbackWidthFactor);
        out.code(1001, "ACAD");
        out.code(1000, kFallbackFontFamily);
        out.integer(1071, 0);
        out.code(0, "ENDTAB");

        TableHead(out, "VIEW", h_.viewTable, 0);
        out.code(0, "ENDTAB");
        TableHead(out, "UCS", h_.ucsTable, 0);
        out.code(0, "ENDTAB");
        TableHead(out, "APPID", h_.appidTable, 1);
        RecordHead(out, "APPID", h_.take(), h_.appidTable, "AcDbRegAppTableRecord");
        out.code(2, "ACAD");
        out.integer(70, 0);
        out.code(0, "ENDTAB");

        TableHead(out, "DIMSTYLE", h_.dimstyleTable, 2);
        out.code(100, "AcDbDimStyleTable");
        for (const bool gb : {false, true}) {
            RecordHead(out, "DIMSTYLE", h_.take(), h_.dimstyleTable, "AcDbDimStyleTableRecord",
                       105);
            out.code(2, gb ? "GB" : "Standard");
            out.integer(70, 0);
            if (gb) {
                // GB/T 4458.4: extension lines from the outline itself, 2 mm
                // beyond the dimension line; the text above the line, aligned with it.
                out.real(40, 1.0 / drawing_.scale); // DIMSCALE
                out.real(41, drawing_.arrowSize);   // DIMASZ
                out.real(42, 0.0);                  // DIMEXO
                out.real(44, 2.0);                  // DIMEXE
                out.real(140, drawing_.textHeight); // DIMTXT
                out.real(147, 1.0);                 // DIMGAP
                out.integer(73, 0);                 // DIMTIH
                out.integer(74, 0);                 // DIMTOH
                out.integer(77, 1);                 // DIMTAD
                out.integer(271, 1);                // DIMDEC
                out.code(340, Hex(h_.gbStyle));     // DIMTXSTY
            }
        }
        out.code(0, "ENDTAB");

        TableHead(out, "BLOCK_RECORD", h_.blockRecordTable,
                  2 + static_cast<int>(dimensionRecords.size()));
        const auto record = [&](const std::string &name, unsigned handle, unsigned layout) {
            RecordHead(out, "BLOCK_RECORD", handle, h_.blockRecordTable, "AcDbBlockTableRecord");
            out.code(2, name);
            out.code(340, Hex(layout));
            if (version_ == DxfVersion::R2007) {
                out.integer(70, 0);
                out.integer(280, 1);
                out.integer(281, 0);
            }
        };
        record("*Model_Space", h_.modelRecord, h_.modelLayout);
        record("*Paper_Space", h_.paperRecord, h_.paperLayout);
        for (const auto &[name, handle] : dimensionRecords) {
            record(name, handle, 0);
        }
        out.code(0, "ENDTAB");
    }

    void writeBlock(DxfOut &out, const std::string &name, unsigned record, int flags,
                    const std::string &content) {
        EntityHead(out, "BLOCK", h_.take(), record, "0");
        out.code(100, "AcDbBlockBegin");
        out.code(2, name);
        out.integer(70, flags);
        out.point(10, {});
        out.code(3, name);
        out.code(1, "");
        out.text() += content;
        EntityHead(out, "ENDBLK", h_.take(), record, "0");
        out.code(100, "AcDbBlockEnd");
    }

    void writeLine(DxfOut &out, const Line &line, unsigned owner) {
        EntityHead(out, "LINE", h_.take(), owner, StyleOf(line.layer).name);
        out.code(100, "AcDbLine");
        out.point(10, line.from);
        out.point(11, line.to);
    }

    void writeText(DxfOut &out, const Text &text, unsigned owner, const char *layer = nullptr) {
        EntityHead(out, "TEXT", h_.take(), owner, layer ? layer : StyleOf(text.layer).name);
        out.code(100, "AcDbText");
        out.point(10, text.at);
        out.real(40, text.height);
        out.code(1, DxfText(text.content));
        if (text.degrees != 0.0) {
            out.real(50, text.degrees);
        }
        // A text keeps its own width; the style's is only the default for
        // texts drawn later in a CAD program.
        const bool chinese = HoldsChinese(text.content);
        if (chinese) {
            out.real(41, kFallbackWidthFactor);
        }
        out.code(7, chinese ? kFallbackStyleName : kTextStyleName);
        const int align = text.align == TextAlign::Left     ? 0
                          : text.align == TextAlign::Centre ? 1
                                                            : 2;
        if (align != 0) {
            out.integer(72, align);
            out.point(11, text.at);
        }
        out.code(100, "AcDbText");
    }

    void writeHatch(DxfOut &out, const Hatch &hatch) {
        EntityHead(out, "HATCH", h_.take(), h_.modelRecord, StyleOf(Layer::Hatch).name);
        out.code(100, "AcDbHatch");
        out.point(10, {});
        out.real(210, 0.0);
        out.real(220, 0.0);
        out.real(230, 1.0);
        out.code(2, hatch.solid ? "SOLID" : "ANSI31");
        out.integer(70, hatch.solid ? 1 : 0);
        out.integer(71, 0);
        out.integer(91, 1);
        out.integer(92, 1); // an outer boundary of edges
        out.integer(93, 1);
        out.integer(72, 2); // a circular arc
        out.real(10, hatch.centre.x);
        out.real(20, hatch.centre.y);
        out.real(40, hatch.radius);
        out.real(50, 0.0);
        out.real(51, 360.0);
        out.integer(73, 1);
        out.integer(97, 0);
        out.integer(75, 1);
        out.integer(76, 1);
        if (!hatch.solid) {
            // ANSI31: lines at 45 degrees, 3.175 apart at pattern scale 1.
            const double spacing = hatch.spacing;
            out.real(52, 0.0);
            out.real(41, spacing / 3.175);
            out.integer(77, 0);
            out.integer(78, 1);
            out.real(53, 45.0);
            out.real(43, 0.0);
            out.real(44, 0.0);
            out.real(45, -spacing * std::sqrt(0.5));
            out.real(46, spacing * std::sqrt(0.5));
            out.integer(79, 0);
        }
        out.integer(98, 1);
        out.real(10, hatch.centre.x);
        out.real(20, hatch.centre.y);
    }

    void writeDimensionBlock(DxfOut &out, const Dimension &dimension, const std::string &name,
                             unsigned record) {
        const DimensionShape shape = ShapeOf(dimension, drawing_);
        DxfOut content;
        for (const Line &line : shape.lines) {
            EntityHead(content, "LINE", h_.take(), record, "0");
            content.code(100, "AcDbLine");
            content.point(10, line.from);
            content.point(11, line.to);
        }
        for (const auto &arrow : shape.arrows) {
            EntityHead(content, "SOLID", h_.take(), record, "0");
            content.code(100, "AcDbTrace");
            content.point(10, arrow[0]);
            content.point(11, arrow[1]);
            content.point(12, arrow[2]);
            content.point(13, arrow[2]);
        }
        // The block's content lies on layer 0 so that it takes the dimension's layer.
        writeText(content, shape.text, record, "0");
        writeBlock(out, name, record, 1, content.text());
    }

    void writeDimension(DxfOut &out, const Dimension &dimension, const std::string &block) {
        const DimensionShape shape = ShapeOf(dimension, drawing_);
        const bool diameter = dimension.kind == Dimension::Kind::Diameter;
        EntityHead(out, "DIMENSION", h_.take(), h_.modelRecord, StyleOf(Layer::Dimension).name);
        out.code(100, "AcDbDimension");
        out.code(2, block);
        if (diameter) {
            out.point(10, dimension.from);
        } else {
            // The dimension line's end at the second extension line.
            const double radians = dimension.degrees * 3.14159265358979323846 / 180.0;
            const Point n{-std::sin(radians), std::cos(radians)};
            const double offset = (dimension.lineAt.x - dimension.to.x) * n.x +
                                  (dimension.lineAt.y - dimension.to.y) * n.y;
            out.point(10, {dimension.to.x + n.x * offset, dimension.to.y + n.y * offset});
        }
        out.point(11, shape.text.at);
        out.integer(70, (diameter ? 3 : 0) + 32); // the block belongs to this dimension only
        out.integer(71, 5);
        out.real(42, MeasuredLength(dimension));
        out.code(1, DxfText(dimension.text));
        out.code(3, "GB");
        if (diameter) {
            out.code(100, "AcDbDiametricDimension");
            out.point(15, dimension.to);
            out.real(40, 0.0);
        } else {
            out.code(100, "AcDbAlignedDimension");
            out.point(13, dimension.from);
            out.point(14, dimension.to);
            out.real(50, dimension.degrees);
            out.code(100, "AcDbRotatedDimension");
        }
    }

    void writeObjects(DxfOut &out) {
        const auto dictionary =
            [&](unsigned handle, unsigned owner,
                std::initializer_list<std::pair<const char *, unsigned>> items) {
                out.code(0, "DICTIONARY");
                out.code(5, Hex(handle));
                out.code(330, owner == 0 ? std::string("0") : Hex(owner));
                out.code(100, "AcDbDictionary");
                out.integer(281, 1);
                for (const auto &[name, item] : items) {
                    out.code(3, name);
                    out.code(350, Hex(item));
                }
            };
        dictionary(h_.rootDictionary, 0,
                   {{"ACAD_GROUP", h_.groupDictionary},
                    {"ACAD_LAYOUT", h_.layoutDictionary},
                    {"ACAD_PLOTSTYLENAME", h_.plotStyleDictionary}});
        dictionary(h_.groupDictionary, h_.rootDictionary, {});
        dictionary(h_.layoutDictionary, h_.rootDictionary,
                   {{"Model", h_.modelLayout}, {"Layout1", h_.paperLayout}});
        out.code(0, "ACDBDICTIONARYWDFLT");
        out.code(5, Hex(h_.plotStyleDictionary));
        out.code(330, Hex(h_.rootDictionary));
        out.code(100, "AcDbDictionary");
        out.integer(281, 1);
        out.code(3, "Normal");
        out.code(350, Hex(h_.normalPlotStyle));
        out.code(100, "AcDbDictionaryWithDefault");
        out.code(340, Hex(h_.normalPlotStyle));
        out.code(0, "ACDBPLACEHOLDER");
        out.code(5, Hex(h_.normalPlotStyle));
        out.code(330, Hex(h_.plotStyleDictionary));
        writeLayout(out, h_.modelLayout, "Model", 0, h_.modelRecord);
        writeLayout(out, h_.paperLayout, "Layout1", 1, h_.paperRecord);
    }

    void writeLayout(DxfOut &out, unsigned handle, const char *name, int order, unsigned record) {
        const bool model = order == 0;
        out.code(0, "LAYOUT");
        out.code(5, Hex(handle));
        out.code(330, Hex(h_.layoutDictionary));
        out.code(100, "AcDbPlotSettings");
        out.code(1, "");
        out.code(2, "none_device");
        out.code(4, drawing_.sheet.name == "A3" ? "ISO_A3_(420.00_x_297.00_MM)"
                                                : "ISO_A4_(210.00_x_297.00_MM)");
        out.code(6, "");
        for (const int group : {40, 41, 42, 43}) {
            out.real(group, 0.0);
        }
        out.real(44, drawing_.sheet.width);
        out.real(45, drawing_.sheet.height);
        for (const int group : {46, 47, 48, 49, 140, 141}) {
            out.real(group, 0.0);
        }
        out.real(142, drawing_.scale); // the plot scale: paper mm per model mm
        out.real(143, 1.0);
        out.integer(70, model ? 1024 : 0);
        out.integer(72, 1);
        out.integer(73, 0);
        out.integer(74, 5);
        out.code(7, "");
        out.integer(75, 0);
        out.integer(76, 0);
        out.integer(77, 2);
        out.integer(78, 300);
        out.real(147, drawing_.scale);
        out.real(148, 0.0);
        out.real(149, 0.0);
        out.code(100, "AcDbLayout");
        out.code(1, name);
        out.integer(70, 1);
        out.integer(71, order);
        out.real(10, 0.0);
        out.real(20, 0.0);
        out.real(11, drawing_.sheet.width);
        out.real(21, drawing_.sheet.height);
        out.point(12, {});
        out.point(14, {1e20, 1e20});
        out.point(15, {-1e20, -1e20});
        out.real(146, 0.0);
        out.point(13, {});
        out.point(16, {1.0, 0.0});
        out.point(17, {0.0, 1.0});
        out.integer(76, 1);
        out.code(330, Hex(record));
    }

    const Drawing &drawing_;
    DxfVersion version_;
    Handles h_;
};

} // namespace

std::string DxfText(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    // A byte that is not UTF-8 comes as U+FFFD, and is shown as such.
    ForEachCharacter(text, [&out](char32_t code, std::string_view bytes) {
        if (IsControlCharacter(code) || code == 0xFFFE || code == 0xFFFF) {
            return; // a group value is one line; no CAD program shows these
        }
        if (code == U'\u2300') {
            out += "%%c";
        } else if (code == '%') {
            out += "%%%";
        } else {
            out += bytes;
        }
    });
    return out;
}

std::string DrawingDxf(const Drawing &drawing, DxfVersion version) {
    return Writer(drawing, version).run();
}
