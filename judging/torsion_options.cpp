#include "torsion_options.h"

#include "design_options.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

using Text = std::optional<std::string> TorsionRequest::*;
using Points = std::array<std::optional<std::string>, 3> TorsionRequest::*;

RequestOption TextOption(const char *name, const char *valueName, const char *help, Text member) {
    return {name, valueName, help,
            [member](DesignRequest &request, std::string_view text) {
                request.torsion.*member = std::string(text);
                return std::optional<std::string>();
            },
            [member](const DesignRequest &request) { return request.torsion.*member; }};
}

// A working torque or angle, by its point (0..2).
RequestOption PointOption(const char *name, const char *valueName, const char *help, Points member,
                          std::size_t point) {
    return {
        name, valueName, help,
        [member, point](DesignRequest &request, std::string_view text) {
            (request.torsion.*member)[point] = std::string(text);
            return std::optional<std::string>();
        },
        [member, point](const DesignRequest &request) { return (request.torsion.*member)[point]; }};
}

RequestOption Flag(const char *name, const char *help, bool TorsionRequest::*member) {
    // Written to a design file only when set, so that the files of the other
    // kinds stay as they are.
    return {name, "", help,
            [member](DesignRequest &request, std::string_view text) {
                request.torsion.*member = !text.empty();
                return std::optional<std::string>();
            },
            [member](const DesignRequest &request) {
                return request.torsion.*member ? std::optional<std::string>("1") : std::nullopt;
            }};
}

RequestOptionGroup MakeGroup() {
    RequestOptionGroup group;
    group.push_back(Flag("torsion", "扭转弹簧 (默认: 压缩弹簧)", &TorsionRequest::torsion));
    group.push_back(
        TextOption("leg-length1", "MM", "扭转弹簧臂长 l1, mm (0)", &TorsionRequest::legLength1));
    group.push_back(
        TextOption("leg-length2", "MM", "扭转弹簧臂长 l2, mm (0)", &TorsionRequest::legLength2));
    constexpr std::array<const char *, 3> kTorques = {"working-torque1", "working-torque2",
                                                      "working-torque3"};
    constexpr std::array<const char *, 3> kTorqueHelp = {
        "工作扭矩 T1, N·mm (已知工作扭矩时)", "工作扭矩 T2, N·mm", "最大工作扭矩 T3, N·mm"};
    constexpr std::array<const char *, 3> kAngles = {"working-angle1", "working-angle2",
                                                     "working-angle3"};
    constexpr std::array<const char *, 3> kAngleHelp = {"工作扭转角 φ1, ° (已知扭转角时)",
                                                        "工作扭转角 φ2, °", "最大工作扭转角 φ3, °"};
    for (std::size_t i = 0; i < 3; ++i) {
        group.push_back(
            PointOption(kTorques[i], "N_MM", kTorqueHelp[i], &TorsionRequest::workingTorques, i));
    }
    for (std::size_t i = 0; i < 3; ++i) {
        group.push_back(
            PointOption(kAngles[i], "DEG", kAngleHelp[i], &TorsionRequest::workingAngles, i));
    }
    group.push_back(Flag("known-torques", "扭转弹簧已知工作扭矩 (默认: 已知扭转角)",
                         &TorsionRequest::knownTorques));
    group.push_back(
        {"load-direction", "wind|unwind", "扭转弹簧加载方向: wind 卷紧, unwind 松开 (wind)",
         [](DesignRequest &request, std::string_view text) -> std::optional<std::string> {
             if (text != "wind" && text != "unwind") {
                 return "只能是 wind 或 unwind";
             }
             request.torsion.loadDirection = text;
             return std::nullopt;
         },
         [](const DesignRequest &request) {
             return request.torsion.torsion || request.torsion.loadDirection != "wind"
                        ? std::optional<std::string>(request.torsion.loadDirection)
                        : std::nullopt;
         }});
    group.push_back(TextOption("coil-spacing", "MM", "扭转弹簧圈间距 δ, mm (0: 密卷)",
                               &TorsionRequest::coilSpacing));
    group.push_back(TextOption("arbor-diameter", "MM", "扭转弹簧芯轴直径, mm (不给: 不校核)",
                               &TorsionRequest::arborDiameter));
    return group;
}

// The torsion option that holds a value, by the group's order.
std::optional<std::string> GivenTorsionOption(const DesignRequest &request) {
    for (const RequestOption &option : TorsionOptionGroup()) {
        if (option.name != "torsion" && option.text(request)) {
            return option.name;
        }
    }
    return std::nullopt;
}

// The option of the other kinds that holds a value a torsion spring cannot take.
std::optional<std::string> GivenOtherKindOption(const DesignRequest &request) {
    static const std::array<std::string_view, 3> kShared = {"ActiveCoils", "MeanDiameter",
                                                            "WireDiameter"};
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        const bool shared = std::find(kShared.begin(), kShared.end(),
                                      kNumericFields[i].designField) != kShared.end();
        if (request.numericGiven[i] && !shared) {
            return NumericOptionName(i);
        }
    }
    if (request.extension) {
        return "extension";
    }
    if (request.knownLoads) {
        return "known-loads";
    }
    if (request.materials.fromMaterial) {
        return "from-material";
    }
    if (request.checks.endCondition != "fixed-fixed") {
        return "end-condition";
    }
    if (request.checks.workingFrequency) {
        return "working-frequency";
    }
    if (request.checks.hookBendRadius) {
        return "hook-bend-radius";
    }
    return std::nullopt;
}

} // namespace

const RequestOptionGroup &TorsionOptionGroup() {
    static const RequestOptionGroup group = MakeGroup();
    return group;
}

std::optional<std::string> MixedKindProblem(const DesignRequest &request) {
    if (request.torsion.torsion) {
        if (auto other = GivenOtherKindOption(request)) {
            return "--" + *other + ": 只用于压缩弹簧或拉伸弹簧, 扭转弹簧 (--torsion) 不用这个选项";
        }
        return std::nullopt;
    }
    if (auto torsion = GivenTorsionOption(request)) {
        return "--" + *torsion + ": 只用于扭转弹簧, 请同时给出 --torsion";
    }
    return std::nullopt;
}
