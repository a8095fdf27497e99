#pragma once

#include "check_result.h"
#include "heat_treatment.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <string_view>

// The title block's fields that the designer fills in; empty ones are left
// blank on the sheet, to be filled in by hand.
struct TitleBlockFields {
    std::string drawingNumber; // 图号
    std::string partName;      // 零件名称; empty: the spring's kind
    std::string quantity;      // 数量
    std::string company;       // 单位名称
    std::string designer;      // 设计
    std::string checker;       // 校对
    std::string approver;      // 审核
    std::string standardizer;  // 标准化
    std::string stage;         // 阶段标记, e.g. "S" (trial) or "A", "B" (production)
};

enum class DxfVersion {
    R2000, // AC1015: AutoCAD 2000 and later; texts in the drawing's code page (GBK)
    R2007, // AC1021: AutoCAD 2007 and later; texts in UTF-8
};

// Which of the free height and the working loads the maker adjusts to meet
// the other (GB/T 1239.2, GB/T 1239.1): the adjusted one is not toleranced.
enum class AdjustedValue {
    FreeHeight, // H0 is adjusted so that the loads at H1..H3 are met (the makers' usual way)
    Loads,      // H0 is toleranced; the loads follow from it and are for reference
};

// What the drawing says beyond the design: the title block and the
// manufacturing requirements the designer chose.
struct DrawingDetails {
    TitleBlockFields title;
    int precisionGrade = 2;                             // 1, 2 or 3, after GB/T 1239.1 / 1239.2
    bool leftHand = false;                              // 旋向: right-hand unless given
    bool presetting = false;                            // 强压处理
    bool shotPeening = false;                           // 喷丸处理
    AdjustedValue adjusted = AdjustedValue::FreeHeight; // 调整值
    bool revisionArea = false;                          // 更改区 above the title block
    std::string hookPosition = "0°"; // 钩环位置: the hooks' relative angle (extension springs)
    std::string hookOpening;         // 钩环开口, empty when the designer gives none
    std::string surfaceTreatment;    // 表面处理, empty when none is asked
    // The material's heat treatment after coiling, from the materials table;
    // none when the material is not known to it.
    std::optional<HeatTreatment> heatTreatment;
    DxfVersion dxfVersion = DxfVersion::R2007; // how a DXF file is written
};

// Stores one "key=value" of --title-block. The keys are the title block's
// Chinese captions (图号, 零件名称, 数量, 单位, 设计, 校对, 审核) or their English
// names (number, name, quantity, company, designer, checker, approver), and
// 旋向/winding (右/左, right/left), 表面处理/surface, 强压/presetting and
// 喷丸/shot-peening (是/否, yes/no), 调整值/adjusted (H0 or 载荷, free-height
// or loads), 更改区/revisions (是/否: a revision area above the title block),
// 钩环位置/hook-position and 钩环开口/hook-opening (extension springs),
// 标准化/standardizer and 阶段标记/stage. A value holds at most 60 characters of
// UTF-8 and no control character (a line break, a tab). Returns a Chinese
// message when the text is refused.
std::optional<std::string> StoreTitleBlockField(DrawingDetails &details, std::string_view keyValue);

// "1", "2" or "3"; else a Chinese message.
std::optional<std::string> StorePrecisionGrade(DrawingDetails &details, std::string_view text);

// "2000" or "2007"; else a Chinese message.
std::optional<std::string> StoreDxfVersion(DrawingDetails &details, std::string_view text);

struct DrawingInput {
    SpringDesign design;
    SpringTypeSign typeSign = kCompressionSpring;
    std::optional<CheckResults> checks;
    // g; a kind whose calculation gives the mass itself (torsion), else the
    // checks' mass is shown
    std::optional<double> mass;
    std::string materialStandard; // the material's standard, when the grade is known
    std::string date;             // as the title block shows it
    DrawingDetails details;
};
