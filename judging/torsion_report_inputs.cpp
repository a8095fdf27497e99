#include "torsion_report_inputs.h"

#include "check_options.h"
#include "engineering_report.h"
#include "material_catalog.h"
#include "material_texts.h"
#include "number_format.h"
#include "shared_materials.h"
#include "torsion_checks.h"

namespace {

std::string General(double value, const char *unit) {
    return FormatGeneral(static_cast<float>(value)) + (*unit ? std::string(" ") + unit : "");
}

// The designer's own numbers first, as given.
std::vector<TorsionReportValue> InputValues(const TorsionOutcome &outcome) {
    const TorsionInputs &in = outcome.inputs;
    std::vector<TorsionReportValue> values = {
        {"材料直径 d", General(in.wireDiameter, "mm")},
        {"弹簧中径 D", General(in.meanDiameter, "mm")},
        {"有效圈数 n", General(in.activeCoils, "")},
        {"臂长 l1", General(in.legLength1, "mm")},
        {"臂长 l2", General(in.legLength2, "mm")},
        {"圈间距 δ", in.coilSpacing > 0.0 ? General(in.coilSpacing, "mm") : "0 (密绕)"},
    };
    if (outcome.arborDiameter) {
        values.push_back({"芯轴直径", General(*outcome.arborDiameter, "mm")});
    }
    return values;
}

// What the checks took, in one sentence.
std::string CheckConditions(const DesignRequest &request, const TorsionOutcome &outcome) {
    std::string text = std::string("校核输入: 载荷类型 ") +
                       LoadCaption(EffectiveLoadType(request)) + "；加载方向 " +
                       (request.torsion.loadDirection == "unwind" ? "扭松" : "扭紧");
    for (const CheckResult &check : outcome.checks) {
        if (check.id == "torsion-bending" && check.limit) {
            text += "；许用弯曲应力 " + FormatOneDecimal(static_cast<float>(*check.limit)) + " MPa";
        }
    }
    if (request.checks.tensileStrength) {
        text += "；Rm 为设计者给出的抗拉强度 (钢丝质保书)";
    }
    return text + "。";
}

} // namespace

TorsionDrawingInput TorsionDrawingInputFor(const DesignRequest &request,
                                           const TorsionOutcome &outcome,
                                           const DrawingDetails &details, const std::string &date) {
    TorsionDrawingInput input;
    input.inputs = outcome.inputs;
    input.spring = outcome.spring;
    input.direction =
        request.torsion.loadDirection == "unwind" ? LoadDirection::Unwind : LoadDirection::Wind;
    input.arborDiameter = outcome.arborDiameter;
    if (request.checks.check) {
        input.checks = outcome.checks;
    }
    input.material = request.material;
    input.date = date;
    input.details = details;
    const MaterialEntry *entry =
        FindMaterial(SharedMaterials(request.materials.materialsFile).catalog, request.material);
    if (entry) {
        input.materialStandard = entry->standard;
        input.details.heatTreatment = HeatTreatmentFor(*entry);
    }
    return input;
}

TorsionReportInput TorsionReportInputFor(const DesignRequest &request,
                                         const TorsionOutcome &outcome,
                                         const DrawingDetails &details, const std::string &date) {
    TorsionReportInput report;
    report.drawing = TorsionDrawingInputFor(request, outcome, details, date);
    report.programVersion = EngineeringReportProgramVersion();
    report.notes = outcome.notes;
    report.values = InputValues(outcome);
    for (const TorsionResultRow &row : TorsionResultRows(outcome)) {
        report.values.push_back({row.caption, row.text + (row.unit.empty() ? "" : " " + row.unit)});
    }
    if (request.checks.check) {
        report.checkConditions = CheckConditions(request, outcome);
    }
    const MaterialEntry *entry =
        FindMaterial(SharedMaterials(request.materials.materialsFile).catalog, request.material);
    if (entry) {
        report.materialDataSource = entry->source;
    }
    return report;
}
