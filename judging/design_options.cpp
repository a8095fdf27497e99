#include "design_options.h"

#include <array>

namespace {

// Parallel to kNumericFields.
constexpr std::array<const char *, kNumericFields.size()> kNumericOptionNames = {
    "shear-modulus",   "allowable-shear-stress", "active-coils",    "total-coils",
    "mean-diameter",   "wire-diameter",          "working-height1", "working-height2",
    "working-height3", "working-load1",          "working-load2",   "working-load3",
    "pitch",           "initial-tension",        "free-height",
};

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
             // One line of the report holds the material: no line breaks or tabs.
             if (text.find_first_of("\r\n\t") != std::string_view::npos) {
                 return "弹簧材料不能包含换行符或制表符";
             }
             request.material = text;
             return std::nullopt;
         },
         [](const DesignRequest &request) {
             return std::optional<std::string>(request.material);
         }});
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        group.push_back({kNumericOptionNames[i], "NUMBER",
                         std::string("(") + kNumericFields[i].defaultText + ")",
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
    return kNumericOptionNames.at(field);
}
