#include "drawing_file.h"

#include "drawing_svg.h"
#include "dxf_writer.h"
#include "spring_drawing.h"

std::string SpringDrawingBytes(const DrawingInput &input, bool dxf) {
    const Drawing drawing = BuildSpringDrawing(input);
    if (!dxf) {
        return DrawingSvg(drawing);
    }
    if (input.details.dxfVersion == DxfVersion::R2000) {
        return DxfCodePage936(DrawingDxf(drawing, DxfVersion::R2000));
    }
    return DrawingDxf(drawing, DxfVersion::R2007);
}
