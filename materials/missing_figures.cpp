#include "missing_figures.h"

namespace {

std::string Text(const MaterialEntry &entry, const std::vector<MissingFigure> &missing) {
    if (missing.empty()) {
        return "";
    }
    std::string text = "材料 " + entry.name + " 的数据没有";
    for (std::size_t i = 0; i < missing.size(); ++i) {
        text += std::string(i ? "、" : "") + missing[i].caption + " (请用 " + missing[i].option +
                " 给出)";
    }
    return text;
}

} // namespace

std::vector<MissingFigure> MissingFigures(const MaterialEntry &entry) {
    // Bands by wire diameter carry G and E where the single figures are absent.
    bool bandG = !entry.moduliByDiameter.empty();
    bool bandE = bandG;
    for (const ModulusBand &band : entry.moduliByDiameter) {
        bandG = bandG && band.shearModulus > 0.0;
        bandE = bandE && band.elasticModulus > 0.0;
    }
    std::vector<MissingFigure> missing;
    if (!(entry.shearModulus > 0.0) && !bandG) {
        missing.push_back({"切变模量 G", "--shear-modulus"});
    }
    if (!(entry.elasticModulus > 0.0) && !bandE) {
        missing.push_back({"弹性模量 E", "--elastic-modulus"});
    }
    if (!(entry.density > 0.0)) {
        missing.push_back({"密度 ρ", "--density"});
    }
    return missing;
}

bool ListedByDefault(const MaterialEntry &entry) {
    return MissingFigures(entry).empty();
}

std::string MissingFiguresText(const MaterialEntry &entry) {
    return Text(entry, MissingFigures(entry));
}

std::string MissingFiguresText(const MaterialEntry &entry,
                               const std::function<bool(std::string_view option)> &given) {
    std::vector<MissingFigure> missing = MissingFigures(entry);
    std::erase_if(missing, [&](const MissingFigure &m) { return given(m.option); });
    return Text(entry, missing);
}
