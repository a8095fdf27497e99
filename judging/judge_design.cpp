#include "judge_design.h"

#include "calculate_spring.h"
#include "calculation_error.h"
#include "check_options.h"
#include "design_from_material.h"
#include "design_options.h"
#include "field_check.h"
#include "run_checks.h"
#include "shared_materials.h"
#include "torsion_options.h"

namespace {

// Keeps the warnings; CR LF becomes a plain newline.
class CollectingListener : public CalculationListener {
  public:
    explicit CollectingListener(std::vector<std::string> &warnings) : warnings_(warnings) {}
    void warning(DesignWarning, const std::string &text) override {
        std::string shown;
        shown.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                continue;
            }
            shown.push_back(text[i]);
        }
        warnings_.push_back(std::move(shown));
    }
    void totalCoilsReplaced(float) override {}

  private:
    std::vector<std::string> &warnings_;
};

bool StoreInputs(const DesignRequest &request, DesignOutcome &outcome) {
    static const std::size_t initialTension = NumericFieldIndex("InitialTension");
    if (request.numericGiven[initialTension] && !request.extension) {
        outcome.message = "压缩弹簧没有初拉力: --initial-tension 只用于拉伸弹簧 (--extension)";
        return false;
    }
    outcome.design.Material = request.material;
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        const FieldCheck check = CheckFieldText(kNumericFields[i], request.numericTexts[i]);
        if (check.verdict != FieldVerdict::Accepted) {
            outcome.message = std::string("--") + NumericOptionName(i) + ": " + check.message;
            return false;
        }
        outcome.design.*kNumericFields[i].quantity = check.value;
    }
    return true;
}

// The checks that judge with the given Rm but would not without it.
std::vector<std::string> ApplicableWithGivenRm(const DesignRequest &request,
                                               const MaterialEntry *entry,
                                               const SpringDesign &design, SpringTypeSign sign,
                                               const CheckResults &withRm) {
    CheckRequest without = request.checks;
    without.tensileStrength.reset();
    const PreparedCheckInputs prepared =
        PrepareCheckInputs(without, entry, design, sign, request.materials.loadType);
    const CheckResults before = RunChecks(design, sign, prepared.inputs);
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < withRm.size() && i < before.size(); ++i) {
        const auto open = [](CheckVerdict v) {
            return v == CheckVerdict::NotApplicable || v == CheckVerdict::NotJudged;
        };
        if (open(before[i].verdict) && !open(withRm[i].verdict)) {
            ids.push_back(withRm[i].id);
        }
    }
    return ids;
}

} // namespace

int DesignExitStatus(const DesignRequest &request, const DesignOutcome &outcome) {
    return ExitStatusOf(request, outcome.status, outcome.checks);
}

int ExitStatusOf(const DesignRequest &request, DesignStatus status,
                 const std::vector<CheckResult> &checks) {
    switch (status) {
    case DesignStatus::Completed:
        return request.checks.strict && HasFailedCheck(checks) ? 5 : 0;
    case DesignStatus::Stopped:
        return 1;
    case DesignStatus::Refused:
        return 2;
    case DesignStatus::Fault:
        return 3;
    }
    return 3;
}

const char *DesignStatusName(DesignStatus status) {
    switch (status) {
    case DesignStatus::Completed:
        return "completed";
    case DesignStatus::Stopped:
        return "stopped";
    case DesignStatus::Refused:
        return "refused";
    case DesignStatus::Fault:
        return "fault";
    }
    return "fault";
}

DesignOutcome JudgeDesign(const DesignRequest &request) {
    DesignOutcome outcome;
    outcome.sign = request.extension ? kExtensionSpring : kCompressionSpring;
    if (request.torsion.torsion) {
        // Its own call judges it (JudgeTorsionDesign); never judged here as
        // a compression spring.
        outcome.status = DesignStatus::Refused;
        outcome.message = "--torsion: 扭转弹簧不能按压缩弹簧或拉伸弹簧判定";
        return outcome;
    }
    if (auto problem = MixedKindProblem(request)) {
        outcome.status = DesignStatus::Refused;
        outcome.message = *problem;
        return outcome;
    }
    if (!StoreInputs(request, outcome)) {
        outcome.status = DesignStatus::Refused;
        return outcome;
    }
    MaterialFill fill = FillFromMaterial(request, outcome.design, outcome.sign);
    outcome.materialNotes = std::move(fill.notes);
    if (fill.error) {
        outcome.status = DesignStatus::Refused;
        outcome.message = *fill.error;
        return outcome;
    }
    outcome.inputsFromMaterial = std::move(fill.inputs);
    if (request.checks.check) {
        const auto numbers = PrepareCheckInputs(request.checks, nullptr, outcome.design,
                                                outcome.sign, request.materials.loadType);
        if (numbers.error) {
            outcome.status = DesignStatus::Refused;
            outcome.message = *numbers.error;
            return outcome;
        }
    }
    const WorkingPointMode mode =
        request.knownLoads ? WorkingPointMode::KnownLoads : WorkingPointMode::KnownHeights;
    CollectingListener listener(outcome.warnings);
    try {
        const CalculationOutcome run =
            CalculateSpring(outcome.design, outcome.sign, mode, listener);
        if (run.stoppedBy) {
            outcome.status = DesignStatus::Stopped;
            outcome.message = outcome.warnings.empty() ? "" : outcome.warnings.back();
            return outcome;
        }
    } catch (const CalculationError &e) {
        outcome.status = DesignStatus::Fault;
        // The window's words: the quantity and the cause.
        outcome.message = std::string("计算错误: ") + CalculationErrorMessage(e);
        return outcome;
    }
    outcome.status = DesignStatus::Completed;
    if (request.checks.check) {
        const LoadedMaterials &materials = SharedMaterials(request.materials.materialsFile);
        JudgedChecks judged =
            JudgeChecks(request, FindMaterial(materials.catalog, request.material), outcome.design,
                        outcome.sign);
        const PreparedCheckInputs &prepared = judged.prepared;
        if (!request.materials.fromMaterial) {
            outcome.checkNotes = materials.problems; // else said once with the material notes
        }
        outcome.checkNotes.insert(outcome.checkNotes.end(), prepared.notes.begin(),
                                  prepared.notes.end());
        outcome.checks = std::move(judged.results);
        outcome.fatigue = FatigueDiagramFor(outcome.design, outcome.sign, prepared.inputs);
        if (request.checks.tensileStrength) {
            outcome.applicableWithGivenRm =
                ApplicableWithGivenRm(request, FindMaterial(materials.catalog, request.material),
                                      outcome.design, outcome.sign, outcome.checks);
        }
    }
    return outcome;
}
