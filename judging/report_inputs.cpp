#include "report_inputs.h"

#include "check_options.h"
#include "material_catalog.h"
#include "shared_materials.h"

namespace {

const MaterialEntry *DesignMaterial(const DesignRequest &request) {
    return FindMaterial(SharedMaterials(request.materials.materialsFile).catalog, request.material);
}

// What the checks took, as the engineering report lists it in its first section.
void AddCheckConditions(EngineeringReportInput &report, const DesignRequest &request,
                        const DesignOutcome &outcome) {
    const PreparedCheckInputs prepared =
        PrepareCheckInputs(request.checks, DesignMaterial(request), outcome.design, outcome.sign,
                           request.materials.loadType);
    report.checkInputs = prepared.inputs;
    if (const MaterialEntry *entry = DesignMaterial(request)) {
        report.materialDataSource = entry->source;
    }
    if (request.checks.tensileStrength) {
        report.checkSources.push_back("Rm 为设计者给出的抗拉强度 (钢丝质保书)");
    }
    for (const std::string &note : outcome.checkNotes) {
        report.checkSources.push_back(note.rfind("校核: ", 0) == 0 ? note.substr(8) : note);
    }
}

} // namespace

DrawingInput DrawingInputFor(const DesignRequest &request, const DesignOutcome &outcome,
                             const DrawingDetails &details, const std::string &date) {
    DrawingInput input;
    input.design = outcome.design;
    input.typeSign = outcome.sign;
    if (request.checks.check) {
        input.checks = outcome.checks;
    }
    input.date = date;
    input.details = details;
    if (const MaterialEntry *entry = DesignMaterial(request)) {
        input.materialStandard = entry->standard;
        input.details.heatTreatment = HeatTreatmentFor(*entry);
    }
    return input;
}

EngineeringReportInput EngineeringReportInputFor(const DesignRequest &request,
                                                 const DesignOutcome &outcome,
                                                 const DrawingDetails &details,
                                                 const std::string &date) {
    EngineeringReportInput report;
    report.design = outcome.design;
    report.typeSign = outcome.sign;
    report.date = date;
    report.programVersion = EngineeringReportProgramVersion();
    report.warnings = outcome.warnings;
    if (request.checks.check) {
        report.checks = outcome.checks;
    }
    report.fatigue = outcome.fatigue;
    const DrawingInput drawing = DrawingInputFor(request, outcome, details, date);
    report.drawingDetails = drawing.details;
    report.materialStandard = drawing.materialStandard;
    if (request.checks.check) {
        AddCheckConditions(report, request, outcome);
    }
    return report;
}
