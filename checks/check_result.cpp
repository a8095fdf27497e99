#include "check_result.h"

const char *CheckVerdictName(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Ok:
        return "ok";
    case CheckVerdict::Warning:
        return "warning";
    case CheckVerdict::Fail:
        return "fail";
    case CheckVerdict::NotApplicable:
        return "not-applicable";
    }
    return "not-applicable";
}
