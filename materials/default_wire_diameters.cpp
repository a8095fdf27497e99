#include "default_wire_diameters.h"

#include "material_texts.h"

#include <algorithm>

namespace {

std::string Number(double value) {
    return MaterialNumber(value);
}

std::vector<double> SeriesSizes(const WireDiameterSeries &series, bool second) {
    std::vector<double> sizes = series.first;
    if (second) {
        sizes.insert(sizes.end(), series.second.begin(), series.second.end());
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

// Where the series comes from, for the message: the user's file or the
// built-in data.
std::string SeriesName(const WireDiameterSeries &series) {
    return series.provenance == Provenance::UserFile ? "用户材料文件中的 GB/T 1358 线径系列"
                                                     : "GB/T 1358 线径系列";
}

std::string Count(const std::vector<double> &sizes) {
    return "共 " + std::to_string(sizes.size()) + " 个直径，" + Number(sizes.front()) + "～" +
           Number(sizes.back()) + " mm";
}

} // namespace

DefaultWireDiameters DefaultWireDiametersFor(const MaterialCatalog &catalog,
                                             const MaterialEntry &entry, bool secondSeries) {
    DefaultWireDiameters result;
    const std::vector<double> series = SeriesSizes(catalog.series, secondSeries);
    if (!entry.rm.empty() && !series.empty()) {
        // Only sizes the table gives an Rm for: the search can judge them.
        for (double d : series) {
            if (TensileStrengthAt(entry, d)) {
                result.diameters.push_back(d);
            }
        }
        if (!result.diameters.empty()) {
            result.basis = DefaultDiameterBasis::SeriesWithinTable;
            result.description = "未给钢丝直径，取" + SeriesName(catalog.series) + "中" +
                                 entry.name + "抗拉强度表范围 " +
                                 Number(entry.rm.front().wireDiameter) + "～" +
                                 Number(entry.rm.back().wireDiameter) + " mm 内的直径（" +
                                 Count(result.diameters) + "）";
            return result;
        }
    }
    if (entry.rm.empty() && !series.empty()) {
        result.diameters = series;
        result.basis = DefaultDiameterBasis::SeriesOnly;
        result.description = "未给钢丝直径，" + entry.name + "没有抗拉强度表，取" +
                             SeriesName(catalog.series) + "（" + Count(series) + "）";
        return result;
    }
    if (!entry.rm.empty()) {
        for (const TensileStrengthRow &row : entry.rm) {
            result.diameters.push_back(row.wireDiameter);
        }
        result.basis = DefaultDiameterBasis::TableDiameters;
        result.description = "未给钢丝直径，" +
                             std::string(series.empty() ? "材料数据中没有 GB/T 1358 线径系列"
                                                        : "GB/T 1358 线径系列中没有直径落在" +
                                                              entry.name + "抗拉强度表范围内") +
                             "，取" + entry.name + "抗拉强度表所列直径（" +
                             Count(result.diameters) + "）";
        return result;
    }
    result.description = "未给钢丝直径，且" + entry.name +
                         "既没有抗拉强度表，材料数据中也没有 GB/T 1358 线径系列：请用 "
                         "--wire-diameters 给出钢丝直径";
    return result;
}
