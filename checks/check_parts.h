#pragma once

#include "check_context.h"

// One function per check; RunChecks puts them in order per spring type.

// Both kinds.
CheckResult StaticStrengthCheck(const CheckContext &c);
// The designer's [tau] against the standard's permissible stress.
CheckResult AllowableStressCheck(const CheckContext &c);
CheckResult NaturalFrequencyCheck(const CheckContext &c);
CheckResult FatigueCheck(const CheckContext &c);
CheckResult IndexCheck(const CheckContext &c);
CheckResult ActiveCoilsCheck(const CheckContext &c);
// The typed G against the grade's.
CheckResult ShearModulusCheck(const CheckContext &c);
CheckResult MassCheck(const CheckContext &c);
CheckResult WorkCheck(const CheckContext &c);

// Compression springs.
// The slenderness b against its limit for the end condition, then the
// deflection at F3 against the critical deflection.
CheckResult BucklingCheck(const CheckContext &c);
CheckResult BucklingDeflectionCheck(const CheckContext &c);
CheckResult CoilClearanceCheck(const CheckContext &c);
CheckResult HelixAngleCheck(const CheckContext &c);
// The stress at solid height against the test stress.
CheckResult SolidStressCheck(const CheckContext &c);
// f1 and f3 within 0.2 to 0.8 of the test deflection.
CheckResult WorkingRangeCheck(const CheckContext &c);

// Extension springs.
CheckResult HookBendingCheck(const CheckContext &c);
CheckResult HookTorsionCheck(const CheckContext &c);
CheckResult InitialTensionCheck(const CheckContext &c);

// The hook bend radius r2 when none is given: 2 d, the smallest bend the
// spring makers recommend (an inside radius of 1.5 d), so C2 = 4.
double DefaultHookBendRadius(double wireDiameter);
