#include "window_design.h"

#include "numeric_fields.h"

#include <array>

namespace {

using K = ControlKind;
constexpr bool kDisabled = false;

// clang-format off
constexpr std::array kDesign = {
    // Title
    ControlDesign{K::Label, "Label1", nullptr, "Orsela", 1980, 120, 3150, 300},

    // Frames
    ControlDesign{K::Frame, "Frame1", nullptr, "弹簧类型", 240, 600, 5475, 675},
    ControlDesign{K::Frame, "Frame2", nullptr, "参数", 240, 1380, 5475, 4455},
    ControlDesign{K::Frame, "Frame3", "Frame2", "", 180, 180, 2715, 1755},
    ControlDesign{K::Frame, "Frame4", "Frame2", "", 3060, 180, 2235, 1755},
    ControlDesign{K::Frame, "Frame5", "Frame2", "", 180, 1980, 5115, 1815},
    ControlDesign{K::Frame, "Frame6", nullptr, "计算结果", 5880, 600, 2415, 3315},

    // Spring type
    ControlDesign{K::OptionButton, "Option1", "Frame1", "压缩弹簧(两端并紧磨平)", 120, 240, 2655, 315, true, true},
    ControlDesign{K::OptionButton, "Option2", "Frame1", "拉伸弹簧(圆钩环)", 2940, 240, 1995, 315},

    // Material block
    ControlDesign{K::Label, "Label2", "Frame3", "弹簧材料", 420, 360, 840, 210},
    ControlDesign{K::InputField, "Text1", "Frame3", kDesignedMaterial, 1320, 300, 1155, 315},
    ControlDesign{K::Label, "Label3", "Frame3", "切变模量", 420, 840, 840, 210},
    ControlDesign{K::InputField, "Text2", "Frame3", DesignedText("Text2"), 1320, 780, 735, 315},
    ControlDesign{K::UnitLabel, "Label4", "Frame3", "MPa", 2160, 840, 315, 210},
    ControlDesign{K::Label, "Label5", "Frame3", "许用切应力", 225, 1320, 1050, 210},
    ControlDesign{K::InputField, "Text3", "Frame3", DesignedText("Text3"), 1320, 1260, 735, 315},
    ControlDesign{K::UnitLabel, "Label6", "Frame3", "MPa", 2160, 1320, 315, 210},

    // Coil geometry block
    ControlDesign{K::Label, "Label9", "Frame4", "材料直径", 180, 300, 840, 210},
    ControlDesign{K::InputField, "Text6", "Frame4", DesignedText("Text6"), 1140, 240, 735, 315},
    ControlDesign{K::UnitLabel, "Label28", "Frame4", "mm", 1920, 300, 210, 210},
    ControlDesign{K::Label, "Label8", "Frame4", "弹簧中径", 180, 660, 840, 210},
    ControlDesign{K::InputField, "Text5", "Frame4", DesignedText("Text5"), 1140, 600, 735, 315},
    ControlDesign{K::UnitLabel, "Label29", "Frame4", "mm", 1920, 660, 210, 210},
    ControlDesign{K::Label, "Label7", "Frame4", "有效圈数", 240, 1020, 840, 210},
    ControlDesign{K::InputField, "Text4", "Frame4", DesignedText("Text4"), 1140, 960, 735, 315},
    ControlDesign{K::Label, "Label22", "Frame4", "总圈数", 420, 1380, 630, 210},
    ControlDesign{K::InputField, "Text19", "Frame4", DesignedText("Text19"), 1140, 1320, 735, 315},

    // Input mode and working points
    ControlDesign{K::OptionButton, "Option3", "Frame5", "已知工作高度(mm)", 240, 300, 2235, 255, true, true},
    ControlDesign{K::OptionButton, "Option4", "Frame5", "已知工作载荷(N)", 2760, 300, 2055, 255},
    ControlDesign{K::Label, "Label12", "Frame5", "工作高度H1", 210, 720, 1050, 210},
    ControlDesign{K::InputField, "Text9", "Frame5", DesignedText("Text9"), 1320, 660, 735, 315},
    ControlDesign{K::Label, "Label11", "Frame5", "工作高度H2", 210, 1080, 1050, 210},
    ControlDesign{K::InputField, "Text8", "Frame5", DesignedText("Text8"), 1320, 1020, 735, 315},
    ControlDesign{K::Label, "Label10", "Frame5", "工作高度H3", 210, 1440, 1050, 210},
    ControlDesign{K::InputField, "Text7", "Frame5", DesignedText("Text7"), 1320, 1380, 735, 315},
    ControlDesign{K::Label, "Label15", "Frame5", "工作载荷F1", 2760, 720, 1050, 210},
    ControlDesign{K::InputField, "Text12", "Frame5", DesignedText("Text12"), 3900, 660, 990, 315, kDisabled},
    ControlDesign{K::Label, "Label14", "Frame5", "工作载荷F2", 2760, 1080, 1050, 210},
    ControlDesign{K::InputField, "Text11", "Frame5", DesignedText("Text11"), 3900, 1020, 990, 315, kDisabled},
    ControlDesign{K::Label, "Label13", "Frame5", "最大工作载荷F3", 2355, 1440, 1470, 210},
    ControlDesign{K::InputField, "Text10", "Frame5", DesignedText("Text10"), 3900, 1380, 990, 315, kDisabled},

    // Free height, pitch and initial tension row
    ControlDesign{K::Label, "Label16", "Frame2", "自由高度", 120, 4020, 840, 210},
    ControlDesign{K::InputField, "Text13", "Frame2", DesignedText("Text13"), 1020, 3960, 690, 315},
    ControlDesign{K::Label, "Label21", "Frame2", "节距", 1800, 4020, 420, 210},
    ControlDesign{K::InputField, "Text18", "Frame2", DesignedText("Text18"), 2280, 3960, 690, 315, kDisabled},
    ControlDesign{K::Label, "Label27", "Frame2", "拉伸弹簧初拉力", 3120, 4020, 1470, 210},
    ControlDesign{K::InputField, "Text24", "Frame2", DesignedText("Text24"), 4620, 3960, 690, 315, kDisabled},

    // Results
    ControlDesign{K::Label, "Label19", "Frame6", "旋绕比", 600, 360, 630, 210},
    ControlDesign{K::ResultField, "Text16", "Frame6", "0", 1290, 300, 990, 315},
    ControlDesign{K::Label, "Label18", "Frame6", "曲度系数", 390, 720, 840, 210},
    ControlDesign{K::ResultField, "Text15", "Frame6", "0", 1290, 660, 990, 315},
    ControlDesign{K::Label, "Label17", "Frame6", "刚度", 810, 1080, 420, 210},
    ControlDesign{K::ResultField, "Text14", "Frame6", "0", 1290, 1020, 990, 315},
    ControlDesign{K::Label, "Label26", "Frame6", "螺旋角", 600, 1440, 630, 210},
    ControlDesign{K::ResultField, "Text23", "Frame6", "0", 1290, 1380, 990, 315},
    ControlDesign{K::Label, "Label25", "Frame6", "展开长度", 390, 1800, 840, 210},
    ControlDesign{K::ResultField, "Text22", "Frame6", "0", 1290, 1740, 990, 315},
    ControlDesign{K::Label, "Label24", "Frame6", "高径比", 600, 2160, 630, 210},
    ControlDesign{K::ResultField, "Text21", "Frame6", "0", 1290, 2100, 990, 315},
    ControlDesign{K::Label, "Label20", "Frame6", "压并高度", 390, 2520, 840, 210},
    ControlDesign{K::ResultField, "Text17", "Frame6", "0", 1290, 2460, 990, 315},
    ControlDesign{K::Label, "Label23", "Frame6", "最大切应力", 180, 2880, 1050, 210},
    ControlDesign{K::ResultField, "Text20", "Frame6", "0", 1290, 2820, 990, 315},

    // Commands
    ControlDesign{K::CommandButton, "Command1", nullptr, "计 算(&C)", 6660, 4020, 1365, 390},
    ControlDesign{K::CommandButton, "Command2", nullptr, "保 存(&S)", 6660, 4500, 1365, 390, kDisabled},
    ControlDesign{K::CommandButton, "Command3", nullptr, "退 出(&X)", 6660, 4980, 1365, 390},
    ControlDesign{K::CommandButton, "Command4", nullptr, "关于...", 6660, 5460, 1365, 390},
};

constexpr std::array kTabOrder = {
    "Option1", "Option2",
    "Text1", "Text2", "Text3",
    "Text6", "Text5", "Text4", "Text19",
    "Option3", "Option4",
    "Text9", "Text8", "Text7", "Text12", "Text11", "Text10",
    "Text13", "Text18", "Text24",
    "Command1", "Command2", "Command3",
    "Text16", "Text15", "Text14", "Text23", "Text22", "Text21", "Text17", "Text20",
    "Command4",
};
// clang-format on

} // namespace

std::span<const ControlDesign> WindowDesign() {
    return kDesign;
}

const char *FieldCaption(std::string_view textBox) {
    // Every label that names a field stands just before it in the design.
    for (std::size_t i = 1; i < kDesign.size(); ++i) {
        const ControlDesign &field = kDesign[i];
        const ControlDesign &before = kDesign[i - 1];
        if (std::string_view(field.name) != textBox) {
            continue;
        }
        const bool sameContainer =
            (before.container == nullptr) == (field.container == nullptr) &&
            (field.container == nullptr ||
             std::string_view(before.container) == std::string_view(field.container));
        return before.kind == ControlKind::Label && sameContainer ? before.text : field.name;
    }
    return "";
}

std::span<const char *const> TabOrder() {
    return kTabOrder;
}
