// The drawing with any bytes in every text a user gives it (the material,
// its standard, the title block's fields, the surface treatment): the SVG is
// UTF-8 that XML can hold with every text inside its element, and each DXF
// (AutoCAD 2007 in UTF-8, AutoCAD 2000 in GBK) is a sequence of group code
// and value lines whose values hold no control byte and no broken character.
#include "drawing_file.h"
#include "fuzz_check.h"
#include "judge_design.h"
#include "utf8_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool XmlCharacter(char32_t code) {
    if (code < 0x20) {
        return code == '\t' || code == '\n' || code == '\r';
    }
    return code != 0xFFFE && code != 0xFFFF;
}

void CheckSvg(const std::string &svg) {
    FUZZ_CHECK(IsUtf8(svg));
    for (std::size_t at = 0; at < svg.size();) {
        char32_t code = 0;
        at += Utf8SequenceAt(svg, at, code);
        FUZZ_CHECK(XmlCharacter(code));
    }
    // Every text's content between its tags holds no markup of its own.
    std::size_t opened = 0;
    for (std::size_t at = svg.find("<text "); at != std::string::npos;
         at = svg.find("<text ", at + 1)) {
        const std::size_t start = svg.find('>', at);
        const std::size_t end = svg.find("</text>", at);
        FUZZ_CHECK(start != std::string::npos && end != std::string::npos && start < end);
        const std::string_view content = std::string_view(svg).substr(start + 1, end - start - 1);
        FUZZ_CHECK(content.find('<') == std::string_view::npos);
        for (std::size_t amp = content.find('&'); amp != std::string_view::npos;
             amp = content.find('&', amp + 1)) {
            const std::string_view rest = content.substr(amp);
            FUZZ_CHECK(rest.starts_with("&amp;") || rest.starts_with("&lt;") ||
                       rest.starts_with("&gt;") || rest.starts_with("&quot;") ||
                       rest.starts_with("&#39;"));
        }
        ++opened;
    }
    FUZZ_CHECK(opened > 0);
}

// A GBK double-byte character: lead 0x81-0xFE, trail 0x40-0xFE but 0x7F.
bool GbkValue(std::string_view value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto lead = static_cast<unsigned char>(value[i]);
        if (lead < 0x80) {
            continue;
        }
        if (lead < 0x81 || lead > 0xFE || i + 1 >= value.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(value[++i]);
        if (trail < 0x40 || trail > 0xFE || trail == 0x7F) {
            return false;
        }
    }
    return true;
}

void CheckDxf(const std::string &dxf, bool gbk) {
    FUZZ_CHECK(gbk || IsUtf8(dxf));
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < dxf.size();) {
        const std::size_t end = dxf.find('\n', at);
        FUZZ_CHECK(end != std::string::npos); // the file ends with a line break
        lines.push_back(std::string_view(dxf).substr(at, end - at));
        at = end + 1;
    }
    FUZZ_CHECK(lines.size() % 2 == 0 && lines.size() >= 2);
    FUZZ_CHECK(lines[lines.size() - 1] == "EOF");
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        const std::string_view code = lines[i];
        FUZZ_CHECK(!code.empty() && code.find_first_not_of(" -0123456789") == std::string::npos);
        for (const char c : lines[i + 1]) {
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        }
        FUZZ_CHECK(!gbk || GbkValue(lines[i + 1]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const DesignOutcome sample = JudgeDesign(DesignRequest());
    FUZZ_CHECK(sample.status == DesignStatus::Completed);
    // The texts, one after another, each after a byte that gives its length.
    std::vector<std::string> texts;
    for (std::size_t at = 0; at < size && texts.size() < 10;) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        texts.emplace_back(reinterpret_cast<const char *>(data + at + 1), length);
        at += 1 + length;
    }
    texts.resize(10);
    DrawingInput input;
    input.design = sample.design;
    input.typeSign = sample.sign;
    input.date = "2005年06月01日";
    input.design.Material = texts[0];
    input.materialStandard = texts[1];
    TitleBlockFields &title = input.details.title;
    std::string *fields[] = {
        &title.drawingNumber, &title.partName, &title.quantity, &title.company,
        &title.designer,      &title.checker,  &title.approver, &input.details.surfaceTreatment};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        *fields[i] = texts[i + 2];
    }
    CheckSvg(SpringDrawingBytes(input, false));
    input.details.dxfVersion = DxfVersion::R2007;
    CheckDxf(SpringDrawingBytes(input, true), false);
    input.details.dxfVersion = DxfVersion::R2000;
    CheckDxf(SpringDrawingBytes(input, true), true);
    return 0;
}
