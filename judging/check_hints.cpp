#include "check_hints.h"

#include "check_texts.h"
#include "material_texts.h"

#include <set>
#include <utility>

namespace {

// What the input is, and the option that gives it.
std::pair<const char *, const char *> OptionHint(CheckInput input) {
    switch (input) {
    case CheckInput::LoadCycles:
        return {"载荷循环次数", "--load-cycles=N"};
    case CheckInput::TensileStrength: // said by CertificateRmHint
    case CheckInput::ElasticModulus:
        return {"弹性模量", "--elastic-modulus=MPa"};
    case CheckInput::Density:
        return {"材料密度", "--density=kg/dm³"};
    case CheckInput::WorkingFrequency:
        return {"工作频率", "--working-frequency=Hz"};
    case CheckInput::None:
        break;
    }
    return {nullptr, nullptr};
}

} // namespace

std::vector<std::string> CheckHints(const CheckResults &results) {
    std::vector<std::string> hints;
    std::set<CheckInput> said;
    for (const CheckResult &r : results) {
        if (r.missing == CheckInput::TensileStrength) {
            if (said.insert(r.missing).second) {
                hints.push_back("提示: " + CheckTitle(r.id) + ": " + CertificateRmHint());
            }
            continue;
        }
        const auto [what, option] = OptionHint(r.missing);
        if (what && said.insert(r.missing).second) {
            hints.push_back(std::string("提示: ") + CheckTitle(r.id) + "要用" + what + ", 可用 " +
                            option + " 给出");
        }
    }
    return hints;
}
