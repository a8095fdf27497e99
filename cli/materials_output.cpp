#include "materials_output.h"

#include "command_line.h"
#include "materials_json.h"
#include "missing_figures.h"
#include "text_table.h"
#include "wire_series.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// A text from a materials file as a terminal may show it: its control
// characters escaped, a tab never taken for a column break.
std::string Shown(const std::string &text) {
    return EscapedMessage(text);
}

std::string TextFigure(double value, const char *unit) {
    if (!(value > 0.0)) {
        return "—";
    }
    return MaterialNumber(value) + (*unit ? std::string(" ") + unit : "");
}

std::string TsvFigure(double value) {
    return value > 0.0 ? MaterialNumber(value) : "";
}

std::string TextMark(bool given, Provenance provenance) {
    const std::string caption = given ? ProvenanceCaption(provenance) : "";
    return caption.empty() ? "" : "（" + caption + "）";
}

// The marks of G, E, rho and the Rm table in one short column: "标准表/手册/—/—".
std::string ListMarks(const MaterialEntry &entry) {
    const std::pair<bool, Provenance> figures[] = {
        {entry.shearModulus > 0.0, entry.provenance.shearModulus},
        {entry.elasticModulus > 0.0, entry.provenance.elasticModulus},
        {entry.density > 0.0, entry.provenance.density},
        {!entry.rm.empty(), entry.provenance.rm}};
    std::string marks;
    for (const auto &[given, provenance] : figures) {
        const std::string caption = given ? ProvenanceCaption(provenance) : "";
        marks += (marks.empty() ? "" : "/") + (caption.empty() ? std::string("—") : caption);
    }
    return marks;
}

std::string DiameterRange(const MaterialEntry &entry) {
    if (entry.rm.empty()) {
        return "";
    }
    return MaterialNumber(entry.rm.front().wireDiameter) + "～" +
           MaterialNumber(entry.rm.back().wireDiameter);
}

std::string StandardCaption(StandardDiameter kind, const WireDiameterSeries &series) {
    const std::string caption = ProvenanceCaption(series.provenance);
    const std::string mark = caption.empty() ? "" : "，" + caption;
    switch (kind) {
    case StandardDiameter::FirstSeries:
        return "GB/T 1358 第一系列" + mark;
    case StandardDiameter::SecondSeries:
        return "GB/T 1358 第二系列" + mark;
    case StandardDiameter::NotStandard:
        return "不是 GB/T 1358 的标准直径" + mark;
    case StandardDiameter::Unknown:
        return series.first.empty() && series.second.empty()
                   ? "GB/T 1358 系列未收录，无法判断"
                   : "不在已收录的 GB/T 1358 直径中，收录的系列不全，无法判断";
    }
    return "";
}

void AddEntryRows(const MaterialEntry &entry, TextTable &table) {
    table.AddRow({"牌号", Shown(entry.name)});
    if (!entry.aliases.empty()) {
        std::string aliases;
        for (std::size_t i = 0; i < entry.aliases.size(); ++i) {
            aliases += (i ? "、" : "") + Shown(entry.aliases[i]);
        }
        table.AddRow({"别名", aliases});
    }
    table.AddRow({"标准", Shown(entry.standard)});
    table.AddRow({"材料类别", MaterialFamilyName(entry.family)});
    table.AddRow(
        {"切变模量 G", TextFigure(entry.shearModulus, "MPa") +
                           TextMark(entry.shearModulus > 0.0, entry.provenance.shearModulus)});
    table.AddRow(
        {"弹性模量 E", TextFigure(entry.elasticModulus, "MPa") +
                           TextMark(entry.elasticModulus > 0.0, entry.provenance.elasticModulus)});
    table.AddRow({"密度 ρ", TextFigure(entry.density, "kg/dm³") +
                                TextMark(entry.density > 0.0, entry.provenance.density)});
    table.AddRow({"最高工作温度",
                  entry.maxTemperature ? MaterialNumber(*entry.maxTemperature) + " °C" : "—"});
    table.AddRow({"抗拉强度表直径范围",
                  (entry.rm.empty() ? std::string("—") : DiameterRange(entry) + " mm") +
                      TextMark(!entry.rm.empty(), entry.provenance.rm)});
    if (const std::string missing = MissingFiguresText(entry); !missing.empty()) {
        table.AddRow({"缺少数据", Shown(missing)});
    }
}

void AddGradeFiguresAtRows(const MaterialCatalog &catalog, const MaterialEntry &entry,
                           const GradeFiguresAt &at, double d, TextTable &table) {
    table.AddRow({"钢丝直径", MaterialNumber(d) + " mm（" +
                                  StandardCaption(at.standard, catalog.series) + "）"});
    if (!entry.moduliByDiameter.empty()) {
        table.AddRow({"该直径的 G、E", TextFigure(at.moduli.shearModulus, "MPa") + "、" +
                                           TextFigure(at.moduli.elasticModulus, "MPa") +
                                           "（按直径分段）"});
    }
    table.AddRow({"抗拉强度 Rm", at.rm ? MegapascalText(at.rm->rmMin) + "～" +
                                             (at.rm->rmMax > 0.0 ? MegapascalText(at.rm->rmMax)
                                                                 : std::string("—")) +
                                             " MPa" + RmRowText(*at.rm, d)
                                       : std::string("—")});
    const auto row = [&](const char *caption, const GradePermissible(&stresses)[3]) {
        std::string text;
        for (int i = 0; i < 3; ++i) {
            text += (i ? "，" : "") + std::string(LoadCaption(kListedLoadTypes[i])) + ' ' +
                    (stresses[i].stress ? MegapascalText(stresses[i].stress->value) + " MPa"
                                        : std::string("—"));
        }
        table.AddRow({caption, text});
    };
    row("许用切应力（压缩弹簧）", at.compression);
    row("许用切应力（拉伸弹簧）", at.extension);
    for (const GradePermissible *p : {&at.compression[0], &at.extension[0]}) {
        if (p->stress) {
            table.AddRow({"依据", p->stress->clause + TextMark(entry.fixedPermissible.has_value(),
                                                               entry.provenance.permissible)});
        }
    }
    for (const std::string &problem : MissingStressReasons(at)) {
        table.AddRow({"说明", problem});
    }
}

} // namespace

void PrintMaterialsList(const MaterialCatalog &catalog, MaterialsFormat format, bool all,
                        std::ostream &out) {
    if (format == MaterialsFormat::Json) {
        out << MaterialsListJson(catalog, all).dump(2) << '\n';
        return;
    }
    std::vector<const MaterialEntry *> listed;
    std::vector<const MaterialEntry *> leftOut;
    for (const MaterialEntry &entry : catalog.entries) {
        (all || ListedByDefault(entry) ? listed : leftOut).push_back(&entry);
    }
    if (format == MaterialsFormat::Tsv) {
        out << "name\tstandard\tshear_modulus\telastic_modulus\tdensity\tdiameter_min\t"
               "diameter_max\tshear_modulus_provenance\telastic_modulus_provenance\t"
               "density_provenance\trm_provenance\n";
        for (const MaterialEntry *listedEntry : listed) {
            const MaterialEntry &entry = *listedEntry;
            out << Shown(entry.name) << '\t' << Shown(entry.standard) << '\t'
                << TsvFigure(entry.shearModulus) << '\t' << TsvFigure(entry.elasticModulus) << '\t'
                << TsvFigure(entry.density) << '\t'
                << (entry.rm.empty() ? "" : MaterialNumber(entry.rm.front().wireDiameter)) << '\t'
                << (entry.rm.empty() ? "" : MaterialNumber(entry.rm.back().wireDiameter)) << '\t'
                << MarkName(entry.shearModulus > 0.0, entry.provenance.shearModulus) << '\t'
                << MarkName(entry.elasticModulus > 0.0, entry.provenance.elasticModulus) << '\t'
                << MarkName(entry.density > 0.0, entry.provenance.density) << '\t'
                << MarkName(!entry.rm.empty(), entry.provenance.rm) << '\n';
        }
        return;
    }
    TextTable table({false, false, true, true, true, false, false});
    table.AddRow({"牌号", "标准", "G (MPa)", "E (MPa)", "ρ (kg/dm³)", "直径范围 (mm)",
                  "来源类别 (G/E/ρ/Rm)"});
    for (const MaterialEntry *listedEntry : listed) {
        const MaterialEntry &entry = *listedEntry;
        table.AddRow({Shown(entry.name), Shown(entry.standard), TextFigure(entry.shearModulus, ""),
                      TextFigure(entry.elasticModulus, ""), TextFigure(entry.density, ""),
                      entry.rm.empty() ? std::string("—") : DiameterRange(entry),
                      ListMarks(entry)});
    }
    table.Write(out);
    if (!leftOut.empty()) {
        out << "\n未列出 " << leftOut.size()
            << " 个缺少数据的牌号 (用时须自行给出; --all 全部列出):\n";
        for (const MaterialEntry *entry : leftOut) {
            out << "  " << Shown(MissingFiguresText(*entry)) << '\n';
        }
    }
}

void PrintMaterial(const MaterialCatalog &catalog, const MaterialEntry &entry,
                   std::optional<double> wireDiameter, MaterialsFormat format, std::ostream &out) {
    const std::optional<GradeFiguresAt> at =
        wireDiameter ? std::optional<GradeFiguresAt>(EvaluateGradeAt(catalog, entry, *wireDiameter))
                     : std::nullopt;
    if (format == MaterialsFormat::Json) {
        out << MaterialJson(catalog, entry, wireDiameter).dump(2) << '\n';
        return;
    }
    if (format == MaterialsFormat::Tsv) {
        out << "name\t" << Shown(entry.name) << '\n'
            << "standard\t" << Shown(entry.standard) << '\n'
            << "family\t" << MaterialFamilyName(entry.family) << '\n'
            << "shear_modulus\t" << TsvFigure(entry.shearModulus) << '\n'
            << "elastic_modulus\t" << TsvFigure(entry.elasticModulus) << '\n'
            << "density\t" << TsvFigure(entry.density) << '\n'
            << "shear_modulus_provenance\t"
            << MarkName(entry.shearModulus > 0.0, entry.provenance.shearModulus) << '\n'
            << "elastic_modulus_provenance\t"
            << MarkName(entry.elasticModulus > 0.0, entry.provenance.elasticModulus) << '\n'
            << "density_provenance\t" << MarkName(entry.density > 0.0, entry.provenance.density)
            << '\n'
            << "rm_provenance\t" << MarkName(!entry.rm.empty(), entry.provenance.rm) << '\n'
            << "missing\t" << Shown(MissingFiguresText(entry)) << '\n'
            << "permissible_provenance\t"
            << MarkName(entry.fixedPermissible.has_value(), entry.provenance.permissible) << '\n';
        if (at) {
            out << "wire_diameter\t" << MaterialNumber(*wireDiameter) << '\n'
                << "shear_modulus_at_diameter\t" << TsvFigure(at->moduli.shearModulus) << '\n'
                << "elastic_modulus_at_diameter\t" << TsvFigure(at->moduli.elasticModulus) << '\n'
                << "standard_diameter\t" << StandardDiameterName(at->standard) << '\n'
                << "standard_diameter_provenance\t"
                << MarkName(at->standard != StandardDiameter::Unknown, catalog.series.provenance)
                << '\n'
                << "rm_min\t" << (at->rm ? MegapascalText(at->rm->rmMin) : "") << '\n'
                << "rm_max\t"
                << (at->rm && at->rm->rmMax > 0.0 ? MegapascalText(at->rm->rmMax) : "") << '\n'
                << "rm_row_diameter\t"
                << (at->rm && at->rm->rowDiameter > 0.0 ? MaterialNumber(at->rm->rowDiameter) : "")
                << '\n';
            for (int i = 0; i < 3; ++i) {
                const auto &p = at->compression[i];
                out << "permissible_" << LoadTypeName(kListedLoadTypes[i]) << '\t'
                    << (p.stress ? MegapascalText(p.stress->value) : "") << '\n';
            }
            for (int i = 0; i < 3; ++i) {
                const auto &p = at->extension[i];
                out << "permissible_extension_" << LoadTypeName(kListedLoadTypes[i]) << '\t'
                    << (p.stress ? MegapascalText(p.stress->value) : "") << '\n';
            }
        }
        out << "source\t" << Shown(entry.source) << '\n';
        return;
    }
    TextTable table;
    AddEntryRows(entry, table);
    if (at) {
        AddGradeFiguresAtRows(catalog, entry, *at, *wireDiameter, table);
    } else if (entry.rm.empty() && !entry.fixedPermissible) {
        table.AddRow({"说明", Shown(entry.name) + "没有可查的抗拉强度表; " + CertificateRmHint()});
    }
    table.AddRow({"来源", Shown(entry.source)});
    if (!entry.note.empty()) {
        table.AddRow({"附注", Shown(entry.note)});
    }
    table.Write(out);
}
