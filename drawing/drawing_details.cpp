#include "drawing_input.h"

#include "user_text.h"

#include <array>
#include <tuple>

namespace {

struct TextField {
    const char *chinese;
    const char *english;
    std::string TitleBlockFields::*member;
};

const std::array<TextField, 9> kTextFields = {{
    {"图号", "number", &TitleBlockFields::drawingNumber},
    {"零件名称", "name", &TitleBlockFields::partName},
    {"数量", "quantity", &TitleBlockFields::quantity},
    {"单位", "company", &TitleBlockFields::company},
    {"设计", "designer", &TitleBlockFields::designer},
    {"校对", "checker", &TitleBlockFields::checker},
    {"审核", "approver", &TitleBlockFields::approver},
    {"标准化", "standardizer", &TitleBlockFields::standardizer},
    {"阶段标记", "stage", &TitleBlockFields::stage},
}};

// A title block cell and a line of the requirements hold this much.
constexpr std::size_t kLongestValue = 60;

std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

std::optional<bool> YesNo(std::string_view text) {
    if (text == "是" || text == "yes") {
        return true;
    }
    if (text == "否" || text == "no") {
        return false;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> StoreTitleBlockField(DrawingDetails &details,
                                                std::string_view keyValue) {
    const std::size_t equals = keyValue.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return "应写成 键=值, 例如 图号=TH-001";
    }
    const std::string_view key = keyValue.substr(0, equals);
    const std::string_view value = keyValue.substr(equals + 1);
    if (Characters(value) > kLongestValue) {
        return "值过长 (最多 " + std::to_string(kLongestValue) + " 个字符)";
    }
    if (auto problem = OneLineTextProblem(value)) {
        return "值" + *problem;
    }
    for (const TextField &field : kTextFields) {
        if (key == field.chinese || key == field.english) {
            details.title.*field.member = std::string(value);
            return std::nullopt;
        }
    }
    if (key == "旋向" || key == "winding") {
        if (value == "右" || value == "右旋" || value == "right") {
            details.leftHand = false;
        } else if (value == "左" || value == "左旋" || value == "left") {
            details.leftHand = true;
        } else {
            return "旋向只能是 右 或 左 (right 或 left)";
        }
        return std::nullopt;
    }
    if (key == "钩环位置" || key == "hook-position") {
        details.hookPosition = std::string(value);
        return std::nullopt;
    }
    if (key == "钩环开口" || key == "hook-opening") {
        details.hookOpening = std::string(value);
        return std::nullopt;
    }
    if (key == "调整值" || key == "adjusted") {
        if (value == "H0" || value == "自由高度" || value == "free-height") {
            details.adjusted = AdjustedValue::FreeHeight;
        } else if (value == "载荷" || value == "loads") {
            details.adjusted = AdjustedValue::Loads;
        } else {
            return "调整值只能是 H0 或 载荷 (free-height 或 loads)";
        }
        return std::nullopt;
    }
    if (key == "表面处理" || key == "surface") {
        details.surfaceTreatment = std::string(value);
        return std::nullopt;
    }
    for (const auto &[chinese, english, member] :
         {std::tuple{"强压", "presetting", &DrawingDetails::presetting},
          std::tuple{"喷丸", "shot-peening", &DrawingDetails::shotPeening},
          std::tuple{"更改区", "revisions", &DrawingDetails::revisionArea}}) {
        if (key == chinese || key == english) {
            const std::optional<bool> yes = YesNo(value);
            if (!yes) {
                return std::string(chinese) + "只能是 是 或 否 (yes 或 no)";
            }
            details.*member = *yes;
            return std::nullopt;
        }
    }
    return "未知的项; 可用: 图号 零件名称 数量 单位 设计 校对 审核 标准化 阶段标记 旋向 表面处理 "
           "强压 喷丸 调整值 更改区 钩环位置 钩环开口";
}

std::optional<std::string> StorePrecisionGrade(DrawingDetails &details, std::string_view text) {
    if (text == "1" || text == "2" || text == "3") {
        details.precisionGrade = text[0] - '0';
        return std::nullopt;
    }
    return "精度等级只能是 1、2 或 3";
}

std::optional<std::string> StoreDxfVersion(DrawingDetails &details, std::string_view text) {
    if (text == "2000") {
        details.dxfVersion = DxfVersion::R2000;
    } else if (text == "2007") {
        details.dxfVersion = DxfVersion::R2007;
    } else {
        return "DXF 版本只能是 2000 或 2007";
    }
    return std::nullopt;
}
