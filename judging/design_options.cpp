#include "design_options.h"

#include "user_text.h"

#include <array>

namespace {

// Parallel to kNumericFields: the option, its value's unit and what it means.
struct NumericOptionText {
    const char *name;
    const char *unit;
    const char *meaning;
};
constexpr std::array<NumericOptionText, kNumericFields.size()> kNumericOptions = {{
    {"shear-modulus", "MPA", "切变模量 G, MPa"},
    {"allowable-shear-stress", "MPA", "许用切应力 [τ], MPa"},
    {"active-coils", "N", "有效圈数 n"},
    {"total-coils", "N", "总圈数 n1 (压缩弹簧)"},
    {"mean-diameter", "MM", "弹簧中径 D, mm"},
    {"wire-diameter", "MM", "材料直径 d, mm"},
    {"working-height1", "MM", "工作高度 H1, mm (已知工作高度时)"},
    {"working-height2", "MM", "工作高度 H2, mm"},
    {"working-height3", "MM", "工作高度 H3, mm"},
    {"working-load1", "N", "工作载荷 F1, N (已知工作载荷时)"},
    {"working-load2", "N", "工作载荷 F2, N"},
    {"working-load3", "N", "最大工作载荷 F3, N"},
    {"pitch", "MM", "节距 t, mm (拉伸弹簧)"},
    {"initial-tension", "N", "初拉力 F0, N (拉伸弹簧)"},
    {"free-height", "MM", "自由高度 H0, mm (压缩弹簧)"},
}};

RequestOption Flag(const char *name, const char *help, bool DesignRequest::*member) {
    return {name, "", help,
            [member](DesignRequest &request, std::string_view text) {
                request.*member = !text.empty();
                return std::optional<std::string>();
            },
            [member](const DesignRequest &request) {
                return std::optional<std::string>(request.*member ? "1" : "");
            }};
}

RequestOptionGroup MakeGroup() {
    RequestOptionGroup group;
    group.push_back(
        {"material", "TEXT", std::string("弹簧材料 (") + kDesignedMaterial + ")",
         [](DesignRequest &request, std::string_view text) -> std::optional<std::string> {
             // One line of the report, the drawing and the terminal holds the
             // material as typed: UTF-8, no control characters.
             if (auto problem = OneLineTextProblem(text)) {
                 return "弹簧材料" + *problem + ": " + QuotedForMessage(text);
             }
             request.material = text;
             return std::nullopt;
         },
         [](const DesignRequest &request) {
             return std::optional<std::string>(request.material);
         }});
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        group.push_back(
            {kNumericOptions[i].name, kNumericOptions[i].unit,
             std::string(kNumericOptions[i].meaning) + " (" + kNumericFields[i].defaultText + ")",
             [i](DesignRequest &request, std::string_view text) {
                 request.numericTexts[i] = text;
                 request.numericGiven[i] = true;
                 return std::optional<std::string>();
             },
             [i](const DesignRequest &request) {
                 return request.numericGiven[i]
                            ? std::optional<std::string>(request.numericTexts[i])
                            : std::nullopt;
             }});
    }
    group.push_back(Flag("extension", "拉伸弹簧 (默认: 压缩弹簧)", &DesignRequest::extension));
    group.push_back(
        Flag("known-loads", "已知工作载荷 (默认: 已知工作高度)", &DesignRequest::knownLoads));
    return group;
}

} // namespace

const RequestOptionGroup &DesignOptionGroup() {
    static const RequestOptionGroup group = MakeGroup();
    return group;
}

const char *NumericOptionName(std::size_t field) {
    return kNumericOptions.at(field).name;
}
