#pragma once

#include "material_entry.h"

#include <optional>
#include <string>

// Permissible shear stress from the minimum tensile strength, as a share of
// Rm by material family, spring kind and duty.

enum class SpringKind { Compression, Extension };

enum class LoadType {
    Static,           // static or rarely changing load
    DynamicLimited,   // cyclic load, limited life
    DynamicUnlimited, // cyclic load, unlimited life
};

struct PermissibleShearStress {
    double value = 0.0;    // MPa
    double fraction = 0.0; // of Rm min
    std::string clause;    // the standard and clause or table the fraction comes from
};

// GB/T 23935 permissible shear stress; nothing where the standard gives no
// share for that family and duty.
std::optional<PermissibleShearStress>
PermissibleShearStressFor(MaterialFamily family, SpringKind kind, LoadType load, double rmMin);

// The standard's share of a certificate's Rm for a grade whose source gives
// fixed figures: the family's share, and for alloy spring steels the carbon
// spring wire's, the lowest steel share the table gives (65Mn wire is drawn
// to the same standard). Nothing where no share exists.
std::optional<PermissibleShearStress> ShareOfGivenRm(MaterialFamily family, SpringKind kind,
                                                     LoadType load, double rm);

// The duty a number of load cycles calls for. The load classes' limits differ
// between sources (10^3 and 10^6 in GB/T 1239.6 and a textbook's table, 10^4
// and 10^7 in a transcription of GB/T 23935); at each count the stricter
// class is taken: static below 10^3, limited life up to 10^6, unlimited above.
LoadType LoadTypeForCycles(double loadCycles);

// The text of that rule, for the clause of a check that follows it.
const char *LoadClassRuleText();

// Whether duty a is less strict than duty b.
bool LessStrict(LoadType a, LoadType b);

// EN 13906-1 static permissible shear stress of a compression spring, for the
// uncorrected stress.
std::optional<PermissibleShearStress> EnStaticPermissibleShearStress(MaterialFamily family,
                                                                     double rmMin);

// "static", "dynamic-limited", "dynamic-unlimited": the words of the command
// line, tsv and JSON.
const char *LoadTypeName(LoadType load);
std::optional<LoadType> LoadTypeFromName(const std::string &name);

// The permissible shear stress of one grade at a wire diameter: the grade's
// own figures in MPa where its source gives them, otherwise the family's
// share of Rm min at that diameter. A certificate Rm (the wire maker's
// certificate, 质保书) stands in for the table's Rm at that diameter, also for
// a grade without a table. Without a value, `problem` says why in Chinese (no
// table, diameter outside the table, no share for the family).
struct GradePermissible {
    std::optional<PermissibleShearStress> stress;
    std::optional<double> rmMin; // Rm min at the diameter: the certificate's, else the table's
    bool rmFromCertificate = false;
    std::optional<TensileStrength> tableRm; // the table's row where its Rm min was taken
    std::string problem;
    bool certificateRmWouldServe = false; // a certificate Rm would give the stress
};
// The problem and, where a certificate Rm would give the stress, how to give it.
std::string ProblemAndRemedy(const GradePermissible &permissible);
GradePermissible PermissibleShearStressOf(const MaterialEntry &entry, SpringKind kind,
                                          LoadType load, double wireDiameter,
                                          std::optional<double> certificateRm = std::nullopt);
