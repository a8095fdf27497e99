#pragma once

#include "material_entry.h"

#include <optional>

// Fatigue of a spring under pulsating load, GB/T 23935-2009: the safety
// factor S = (tau_u0 + 0.75 tau_min) / tau_max, with tau_u0 the pulsating
// fatigue strength as a share of the minimum tensile strength by the number
// of load cycles.

// The share tau_u0 / Rm for a number of load cycles, without shot peening.
// Two public transcriptions of the table disagree (0.45/0.35/0.33/0.30 and
// 0.45/0.40/0.35/0.32 for 1e4/1e5/1e6/1e7, the second adding 0.30 at 1e8);
// the lower share of each row is taken, and a count between two rows takes
// the row above it. Nothing beyond 1e8 cycles or below one cycle.
std::optional<double> PulsatingFatigueShare(double loadCycles);

// The same for a material family: the handbook's note to the table gives
// 0.35 instead of 0.45 at up to 1e4 cycles for stainless steel and bronze
// wire; a family not known takes that lower share too.
std::optional<double> PulsatingFatigueShare(double loadCycles,
                                            std::optional<MaterialFamily> family);

// The largest count the table gives; a longer life is judged there.
inline constexpr double kFatigueTableCycles = 1e8;

// S = (tau_u0 + 0.75 tau_min) / tau_max; nothing when tau_max is not positive.
std::optional<double> FatigueSafetyFactor(double fatigueStrength, double tauMin, double tauMax);

// The standard leaves the minimum S between 1.1 and 1.3 by how well the load
// and the material are known. The checks work from a table's minimum Rm, so
// 1.3 is the minimum for a pass, and a factor below 1.1 fails.
inline constexpr double kFatigueSafetyRequired = 1.3;
inline constexpr double kFatigueSafetyLowest = 1.1;
