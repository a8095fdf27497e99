#include "design_from_material.h"

#include "check_options.h"
#include "grade_lookup.h"
#include "material_texts.h"
#include "missing_figures.h"
#include "option_ranges.h"
#include "shared_materials.h"

#include <cmath>

namespace {

// The wire diameter as typed: the float the design holds is widened and
// rounded to a micrometre, so that 0.35 meets the table's row 0.35.
double TypedDiameter(float stored) {
    return std::round(static_cast<double>(stored) * 1e6) / 1e6;
}

constexpr const char *kOrGiveStress = "; 也可用 --allowable-shear-stress 直接给出许用切应力";

} // namespace

MaterialFill FillFromMaterial(const DesignRequest &request, SpringDesign &design,
                              SpringTypeSign typeSign) {
    static const std::size_t modulusField = NumericFieldIndex("ShearModulus");
    static const std::size_t stressField = NumericFieldIndex("AllowableShearStress");
    MaterialFill fill;
    if (!request.materials.fromMaterial) {
        return fill;
    }
    const LoadedMaterials &loaded = SharedMaterials(request.materials.materialsFile);
    fill.notes = loaded.problems;
    const GradeLookup lookup = LookUpGrade(loaded.catalog, request.material);
    if (lookup.entry == nullptr) {
        fill.error = "--from-material: " + lookup.error;
        return fill;
    }
    const MaterialEntry &entry = *lookup.entry;
    // A grade that lacks G, or E and rho where the checks take them, is used
    // only with the designer's figures.
    const bool checked = request.checks.check;
    const std::string missing = MissingFiguresText(entry, [&](std::string_view option) {
        return option == "--shear-modulus" ? request.numericGiven[modulusField]
               : option == "--elastic-modulus"
                   ? !checked || request.checks.elasticModulus.has_value()
                   : !checked || request.checks.density.has_value();
    });
    if (!missing.empty()) {
        fill.error = "--from-material: " + missing;
        return fill;
    }
    const SpringKind kind =
        typeSign == kExtensionSpring ? SpringKind::Extension : SpringKind::Compression;
    const double d = TypedDiameter(design.WireDiameter);
    // A given Rm (the wire maker's certificate) stands in for the table's, as for the checks.
    std::optional<double> certificateRm;
    if (request.checks.tensileStrength) {
        std::string refused;
        certificateRm = RangedNumber(*FindOptionRange("tensile-strength"),
                                     *request.checks.tensileStrength, refused);
        if (!certificateRm) {
            fill.error = refused;
            return fill;
        }
    }
    const GradeAtDiameter at = GradeAt(entry, kind, EffectiveLoadType(request), d, certificateRm);
    const std::string table = MaterialTableCaption(entry);
    std::vector<std::string> taken; // said only when the design takes them

    if (!request.numericGiven[modulusField]) {
        if (!at.shearModulus) {
            fill.error = "--from-material: 材料 " + entry.name +
                         " 的数据没有切变模量 G, 请用 --shear-modulus 给出";
            return fill;
        }
        design.ShearModulus = static_cast<float>(*at.shearModulus);
        fill.inputs.emplace_back("ShearModulus", *at.shearModulus);
        taken.push_back("切变模量 G = " + MaterialNumber(*at.shearModulus) + " MPa 取自" + table);
    }
    if (!request.numericGiven[stressField]) {
        const std::optional<PermissibleShearStress> &stress = at.permissible.stress;
        if (!stress) {
            fill.error = "--from-material: 材料 " + entry.name + " 在材料直径 " +
                         MaterialNumber(d) + " mm 没有" + LoadCaption(EffectiveLoadType(request)) +
                         "的许用切应力: " + ProblemAndRemedy(at.permissible) + kOrGiveStress;
            return fill;
        }
        const double value = DesignersPermissibleStress(stress->value);
        design.AllowableShearStress = static_cast<float>(value);
        fill.inputs.emplace_back("AllowableShearStress", value);
        std::string how = LoadCaption(EffectiveLoadType(request));
        if (at.permissible.rmMin && !entry.fixedPermissible) {
            how += at.permissible.rmFromCertificate
                       ? ", 钢丝质保书 Rm " + MegapascalText(*at.permissible.rmMin) +
                             " MPa (--tensile-strength)"
                       : ", d = " + MaterialNumber(d) + " mm 时 Rm min " +
                             MegapascalText(*at.permissible.rmMin) + " MPa" +
                             (at.permissible.tableRm ? RmRowText(*at.permissible.tableRm, d)
                                                     : std::string());
        }
        taken.push_back("许用切应力 [τ] = " + MegapascalText(value) + " MPa 取自" + table + " (" +
                        how + "; " + stress->clause + ")");
    }
    fill.notes.insert(fill.notes.end(), taken.begin(), taken.end());
    return fill;
}
