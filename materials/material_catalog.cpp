#include "material_catalog.h"

#include "utf8_path.h"

#include "json_value_lines.h"
#include "user_text.h"
#include "utf8_text.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

using nlohmann::json;

namespace {

constexpr std::array<std::pair<MaterialFamily, const char *>, 5> kFamilies{{
    {MaterialFamily::CarbonSpringWire, "carbon-spring-wire"},
    {MaterialFamily::OilTemperedWire, "oil-tempered-wire"},
    {MaterialFamily::AlloySpringSteel, "alloy-spring-steel"},
    {MaterialFamily::StainlessSpringWire, "stainless-spring-wire"},
    {MaterialFamily::CopperAlloyWire, "copper-alloy-wire"},
}};

// A problem in one place of the file, said in Chinese.
struct FileProblem {
    std::string what;
};

[[noreturn]] void Fail(const std::string &what) {
    throw FileProblem{what};
}

// The line each value of the file being read begins on; set while a file's
// document is turned into a catalog (per thread: batch rows load in parallel).
thread_local const std::unordered_map<const json *, std::size_t> *tValueLines = nullptr;

// A problem with one value (or the object that lacks a key), with its line.
[[noreturn]] void FailAt(const json &node, const std::string &what) {
    if (tValueLines != nullptr) {
        const auto found = tValueLines->find(&node);
        if (found != tValueLines->end()) {
            Fail(what + "（第 " + std::to_string(found->second) + " 行）");
        }
    }
    Fail(what);
}

// A key the format does not have is refused, not passed over: a misspelt
// "shear_modulus" would otherwise leave the figure silently missing.
void RefuseUnknownKeys(const json &object, std::initializer_list<std::string_view> known,
                       const std::string &where) {
    for (const auto &[key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            std::string list;
            for (const std::string_view name : known) {
                list += (list.empty() ? "" : "、") + std::string(name);
            }
            FailAt(value, where + "有未知的键 \"" + key + "\"（可用：" + list + "）");
        }
    }
}

// The script of a letter, for names that mix look-alike alphabets: "65Мn"
// with a Cyrillic М is not 65Mn, and no one would find it by typing.
enum class Script { Other, Latin, Greek, Cyrillic };

Script ScriptOf(char32_t code) {
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z')) {
        return Script::Latin;
    }
    if (code >= 0x0370 && code <= 0x03FF) {
        return Script::Greek;
    }
    if (code >= 0x0400 && code <= 0x052F) {
        return Script::Cyrillic;
    }
    return Script::Other;
}

// A grade name or alias: UTF-8 without control characters, not blank, its
// letters of one alphabet.
void CheckGradeName(const json &node, const std::string &name, const std::string &what) {
    if (auto problem = NonUtf8Problem(name)) {
        FailAt(node, what + *problem);
    }
    if (NormalizeGradeName(name).empty()) {
        FailAt(node, what + "不能为空白");
    }
    // The first letter of each alphabet: a Latin name with one Greek or
    // Cyrillic letter names that letter.
    std::optional<char32_t> first[4];
    for (std::size_t at = 0; at < name.size();) {
        char32_t code = 0;
        at += Utf8SequenceAt(name, at, code);
        std::optional<char32_t> &seen = first[static_cast<int>(ScriptOf(code))];
        if (!seen) {
            seen = code;
        }
    }
    const int alphabets = (first[1] ? 1 : 0) + (first[2] ? 1 : 0) + (first[3] ? 1 : 0);
    if (alphabets < 2) {
        return;
    }
    const bool greek = first[static_cast<int>(Script::Greek)].has_value();
    const char32_t odd = greek ? *first[static_cast<int>(Script::Greek)]
                               : *first[static_cast<int>(Script::Cyrillic)];
    FailAt(node, what + "混用了不同字母表的字母：“" + Utf8OfCodePoint(odd) + "” (" +
                     fmt::format("U+{:04X}", static_cast<unsigned>(odd)) + ") 是" +
                     (greek ? "希腊" : "西里尔") + "字母，与形似的拉丁字母不同");
}

std::string EntryLabel(std::size_t index, const json &entry) {
    std::string label = "第 " + std::to_string(index + 1) + " 个材料";
    if (entry.is_object() && entry.contains("name") && entry["name"].is_string()) {
        label += "（" + entry["name"].get<std::string>() + "）";
    }
    return label;
}

std::string Text(const json &object, const char *key, bool required, const std::string &where) {
    if (!object.contains(key) || object[key].is_null()) {
        if (required) {
            FailAt(object, where + "缺少 \"" + key + "\"");
        }
        return {};
    }
    if (!object[key].is_string()) {
        FailAt(object[key], where + "的 \"" + key + "\" 应为文字");
    }
    std::string value = object[key].get<std::string>();
    if (required && value.empty()) {
        FailAt(object[key], where + "的 \"" + key + "\" 不能为空");
    }
    return value;
}

// The physical range of a figure: wider than any spring material, narrow
// enough that a design calculated with it neither overflows nor vanishes.
struct FigureRange {
    double above;
    double atMost;
    const char *unit;
};
constexpr FigureRange kModulusRange{1.0e4, 1.0e6, "MPa"};
constexpr FigureRange kDensityRange{0.5, 25.0, "kg/dm³"};
constexpr FigureRange kStressRange{0.0, 5000.0, "MPa"};
constexpr FigureRange kWireDiameterRange{0.0, 100.0, "mm"};

double Positive(const json &value, const std::string &what) {
    if (!value.is_number()) {
        FailAt(value, what + "应为数值");
    }
    const double number = value.get<double>();
    if (!std::isfinite(number) || number <= 0.0) {
        FailAt(value, what + "应为正数");
    }
    return number;
}

double InRange(const json &value, const std::string &what, const FigureRange &range) {
    const double number = Positive(value, what);
    if (!(number > range.above && number <= range.atMost)) {
        FailAt(value, what + "应大于 " + fmt::format("{}", range.above) + " 且不大于 " +
                          fmt::format("{}", range.atMost) + " " + range.unit);
    }
    return number;
}

// A figure the source does not give is null (or absent): 0 in the entry.
double OptionalInRange(const json &object, const char *key, const std::string &where,
                       const FigureRange &range) {
    if (!object.contains(key) || object[key].is_null()) {
        return 0.0;
    }
    return InRange(object[key], where + "的 \"" + key + "\" ", range);
}

std::vector<TensileStrengthRow> RmRows(const json &rows, const std::string &where) {
    if (!rows.is_array()) {
        FailAt(rows, where + "的 \"rm\" 应为 [直径, 最小值, 最大值] 的数组");
    }
    std::vector<TensileStrengthRow> result;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const json &row = rows[i];
        const std::string at = where + "的 \"rm\" 第 " + std::to_string(i + 1) + " 行";
        if (!row.is_array() || row.size() != 3) {
            FailAt(row, at + "应为 [直径, 最小值, 最大值]");
        }
        TensileStrengthRow parsed;
        parsed.wireDiameter = InRange(row[0], at + "的直径", kWireDiameterRange);
        parsed.rmMin = InRange(row[1], at + "的最小值", kStressRange);
        parsed.rmMax = row[2].is_null() ? 0.0 : InRange(row[2], at + "的最大值", kStressRange);
        if (parsed.rmMax > 0.0 && parsed.rmMax < parsed.rmMin) {
            FailAt(row, at + "的最大值小于最小值");
        }
        if (!result.empty() && parsed.wireDiameter <= result.back().wireDiameter) {
            FailAt(row, at + "的直径不大于上一行：各行须按直径递增");
        }
        result.push_back(parsed);
    }
    return result;
}

// "moduli_by_diameter": [[up to d or null, G or null, E or null], ...], by
// ascending diameter; only the last band may be open (null).
std::vector<ModulusBand> ModulusBands(const json &bands, const std::string &where) {
    const std::string at = where + "的 \"moduli_by_diameter\"";
    if (!bands.is_array()) {
        FailAt(bands, at + "应为 [直径上限, G, E] 的数组");
    }
    std::vector<ModulusBand> result;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const json &band = bands[i];
        const std::string row = at + "第 " + std::to_string(i + 1) + " 项";
        if (!band.is_array() || band.size() != 3) {
            FailAt(band, row + "应为 [直径上限, G, E]");
        }
        if (!result.empty() && !std::isfinite(result.back().upToDiameter)) {
            FailAt(band, row + "前面一项已无直径上限 (null)，只有最后一项可以不设上限");
        }
        ModulusBand parsed;
        parsed.upToDiameter = band[0].is_null()
                                  ? std::numeric_limits<double>::infinity()
                                  : InRange(band[0], row + "的直径上限", kWireDiameterRange);
        parsed.shearModulus =
            band[1].is_null() ? 0.0 : InRange(band[1], row + "的 G", kModulusRange);
        parsed.elasticModulus =
            band[2].is_null() ? 0.0 : InRange(band[2], row + "的 E", kModulusRange);
        if (!result.empty() && parsed.upToDiameter <= result.back().upToDiameter) {
            FailAt(band, row + "的直径上限不大于上一项：各项须按直径递增");
        }
        result.push_back(parsed);
    }
    return result;
}

FixedPermissibleStress ThreeStresses(const json &object, const char *key,
                                     const std::string &where) {
    const std::string at = where + "的 \"permissible_mpa\".\"" + key + "\"";
    if (!object.contains(key) || !object[key].is_array() || object[key].size() != 3) {
        FailAt(object.contains(key) ? object[key] : object,
               at + "应为 [静负荷, 有限寿命, 无限寿命] 三个数值");
    }
    const json &values = object[key];
    return FixedPermissibleStress{InRange(values[0], at + "第 1 项", kStressRange),
                                  InRange(values[1], at + "第 2 项", kStressRange),
                                  InRange(values[2], at + "第 3 项", kStressRange)};
}

FixedPermissible Permissible(const json &object, const std::string &where) {
    if (!object.is_object()) {
        FailAt(object, where + "的 \"permissible_mpa\" 应为对象");
    }
    RefuseUnknownKeys(object, {"compression", "extension", "diameter_range", "source"},
                      where + "的 \"permissible_mpa\"");
    FixedPermissible fixed;
    // A spring kind or a diameter range the source does not give is null.
    const auto given = [&](const char *key) {
        return object.contains(key) && !object[key].is_null();
    };
    fixed.compression = ThreeStresses(object, "compression", where);
    if (given("extension")) {
        fixed.extension = ThreeStresses(object, "extension", where);
    }
    fixed.toDiameter = std::numeric_limits<double>::infinity();
    if (given("diameter_range")) {
        const std::string at = where + "的 \"permissible_mpa\".\"diameter_range\"";
        const json &range = object["diameter_range"];
        if (!range.is_array() || range.size() != 2) {
            FailAt(range, at + "应为 [最小直径, 最大直径]");
        }
        fixed.fromDiameter = InRange(range[0], at + "第 1 项", kWireDiameterRange);
        fixed.toDiameter = InRange(range[1], at + "第 2 项", kWireDiameterRange);
        if (fixed.toDiameter < fixed.fromDiameter) {
            FailAt(range, at + "的最大直径小于最小直径");
        }
    }
    fixed.source = Text(object, "source", true, where + "的 \"permissible_mpa\"");
    return fixed;
}

// "provenance": {"shear_modulus": "handbook", "rm": "maker-sheet", ...}; a
// figure it does not name stays unmarked.
EntryProvenance ProvenanceOf(const json &object, const std::string &where) {
    EntryProvenance marks;
    if (!object.contains("provenance") || object["provenance"].is_null()) {
        return marks;
    }
    const json &given = object["provenance"];
    if (!given.is_object()) {
        FailAt(given, where + "的 \"provenance\" 应为对象");
    }
    RefuseUnknownKeys(given,
                      {"shear_modulus", "elastic_modulus", "density", "rm", "permissible_mpa"},
                      where + "的 \"provenance\"");
    const std::pair<const char *, Provenance *> figures[] = {
        {"shear_modulus", &marks.shearModulus},
        {"elastic_modulus", &marks.elasticModulus},
        {"density", &marks.density},
        {"rm", &marks.rm},
        {"permissible_mpa", &marks.permissible}};
    for (const auto &[key, mark] : figures) {
        const std::string word = Text(given, key, false, where + "的 \"provenance\"");
        if (word.empty()) {
            continue;
        }
        const std::optional<Provenance> parsed = ProvenanceFromName(word);
        if (!parsed) {
            FailAt(given[key],
                   where + "的 \"provenance\".\"" + key + "\" 不是已知的来源类别：" + word);
        }
        *mark = *parsed;
    }
    return marks;
}

MaterialEntry Entry(const json &object, const std::string &where) {
    if (!object.is_object()) {
        FailAt(object, where + "应为对象");
    }
    RefuseUnknownKeys(object,
                      {"name", "aliases", "standard", "family", "shear_modulus", "elastic_modulus",
                       "density", "moduli_by_diameter", "max_temperature", "rm_rule", "rm",
                       "permissible_mpa", "source", "note", "provenance"},
                      where);
    MaterialEntry entry;
    entry.name = Text(object, "name", true, where);
    CheckGradeName(object["name"], entry.name, where + "的 \"name\" ");
    if (object.contains("aliases")) {
        const json &aliases = object["aliases"];
        if (!aliases.is_array()) {
            FailAt(aliases, where + "的 \"aliases\" 应为文字数组");
        }
        for (const json &alias : aliases) {
            if (!alias.is_string()) {
                FailAt(alias, where + "的 \"aliases\" 应为文字数组");
            }
            entry.aliases.push_back(alias.get<std::string>());
            CheckGradeName(alias, entry.aliases.back(), where + "的别名 ");
        }
    }
    entry.standard = Text(object, "standard", true, where);
    const std::string family = Text(object, "family", true, where);
    const std::optional<MaterialFamily> parsedFamily = MaterialFamilyFromName(family);
    if (!parsedFamily) {
        FailAt(object["family"], where + "的 \"family\" 不是已知的材料类别：" + family);
    }
    entry.family = *parsedFamily;
    entry.shearModulus = OptionalInRange(object, "shear_modulus", where, kModulusRange);
    entry.elasticModulus = OptionalInRange(object, "elastic_modulus", where, kModulusRange);
    entry.density = OptionalInRange(object, "density", where, kDensityRange);
    if (object.contains("moduli_by_diameter") && !object["moduli_by_diameter"].is_null()) {
        entry.moduliByDiameter = ModulusBands(object["moduli_by_diameter"], where);
    }
    if (object.contains("max_temperature") && !object["max_temperature"].is_null()) {
        if (!object["max_temperature"].is_number()) {
            FailAt(object["max_temperature"], where + "的 \"max_temperature\" 应为数值");
        }
        entry.maxTemperature = object["max_temperature"].get<double>();
    }
    const std::string rule = Text(object, "rm_rule", false, where);
    if (rule == "linear") {
        entry.rmRule = RmRule::Linear;
    } else if (!rule.empty() && rule != "step-up-to") {
        FailAt(object["rm_rule"], where + "的 \"rm_rule\" 应为 \"linear\" 或 \"step-up-to\"");
    }
    if (object.contains("rm")) {
        entry.rm = RmRows(object["rm"], where);
    }
    if (object.contains("permissible_mpa") && !object["permissible_mpa"].is_null()) {
        entry.fixedPermissible = Permissible(object["permissible_mpa"], where);
    }
    entry.source = Text(object, "source", true, where);
    entry.note = Text(object, "note", false, where);
    entry.provenance = ProvenanceOf(object, where);
    return entry;
}

std::vector<double> Sizes(const json &object, const char *key, const std::string &where) {
    std::vector<double> sizes;
    if (!object.contains(key)) {
        return sizes;
    }
    if (!object[key].is_array()) {
        FailAt(object[key], where + "的 \"" + key + "\" 应为直径数组");
    }
    for (const json &size : object[key]) {
        sizes.push_back(InRange(size, where + "的 \"" + key + "\" 中的直径", kWireDiameterRange));
    }
    return sizes;
}

WireDiameterSeries Series(const json &object) {
    const std::string where = "\"wire_diameter_series\"";
    if (!object.is_object()) {
        FailAt(object, where + " 应为对象");
    }
    RefuseUnknownKeys(object,
                      {"standard", "first", "second", "complete", "provenance", "source", "note"},
                      where + " ");
    WireDiameterSeries series;
    series.first = Sizes(object, "first", where);
    series.second = Sizes(object, "second", where);
    series.source = Text(object, "source", !series.first.empty() || !series.second.empty(), where);
    series.note = Text(object, "note", false, where);
    if (object.contains("complete") && !object["complete"].is_null()) {
        if (!object["complete"].is_boolean()) {
            FailAt(object["complete"], where + " 的 \"complete\" 应为 true 或 false");
        }
        series.complete = object["complete"].get<bool>();
    }
    const std::string mark = Text(object, "provenance", false, where);
    if (!mark.empty()) {
        const std::optional<Provenance> parsed = ProvenanceFromName(mark);
        if (!parsed) {
            FailAt(object["provenance"], where + " 的 \"provenance\" 不是已知的来源类别：" + mark);
        }
        series.provenance = *parsed;
    }
    return series;
}

MaterialCatalog Catalog(const json &root) {
    if (!root.is_object()) {
        Fail("最外层应为对象");
    }
    // A misspelt "materials" would leave the user's grades silently out.
    RefuseUnknownKeys(root, {"format", "materials", "wire_diameter_series"}, "最外层");
    if (root.contains("format") &&
        !(root["format"].is_number_integer() && root["format"].get<long long>() == 1)) {
        FailAt(root["format"], "\"format\" 为 " + root["format"].dump() +
                                   "：本程序只能读 \"format\": 1 的材料文件");
    }
    MaterialCatalog catalog;
    if (root.contains("materials")) {
        const json &materials = root["materials"];
        if (!materials.is_array()) {
            FailAt(materials, "\"materials\" 应为数组");
        }
        // Every name and alias met so far, as FindMaterial compares them.
        std::unordered_set<std::string> known;
        for (std::size_t i = 0; i < materials.size(); ++i) {
            MaterialEntry entry = Entry(materials[i], EntryLabel(i, materials[i]));
            const std::string name = NormalizeGradeName(entry.name);
            if (!name.empty() && known.count(name) > 0) {
                FailAt(materials[i], EntryLabel(i, materials[i]) + "与前面的材料重名");
            }
            known.insert(name);
            for (const std::string &alias : entry.aliases) {
                known.insert(NormalizeGradeName(alias));
            }
            catalog.entries.push_back(std::move(entry));
        }
    }
    if (root.contains("wire_diameter_series")) {
        catalog.series = Series(root["wire_diameter_series"]);
    }
    return catalog;
}

// Line and column (in characters) of a byte offset, both from 1.
std::pair<std::size_t, std::size_t> LineAndColumn(const std::string &text, std::size_t byte) {
    std::size_t line = 1;
    std::size_t column = 1;
    const std::size_t end = std::min(byte, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return {line, column > 1 ? column - 1 : 1};
}

// nlohmann's own wording after its "[json.exception...]" and "line, column:" prefixes.
std::string SyntaxDetail(const std::string &what) {
    const std::size_t colon = what.find(": ");
    if (colon != std::string::npos) {
        return what.substr(colon + 2);
    }
    const std::size_t bracket = what.find("] ");
    return bracket == std::string::npos ? what : what.substr(bracket + 2);
}

// nlohmann's document builder, keeping where and why the text stopped being
// JSON. A number too large for a double is nlohmann's out_of_range error, not
// a parse_error: only the parser's own report of it carries the byte.
class LocatingBuilder : public nlohmann::detail::json_sax_dom_parser<json> {
  public:
    explicit LocatingBuilder(json &root) : json_sax_dom_parser(root, false) {}

    template <class Exception>
    bool parse_error(std::size_t byte, const std::string &token, const Exception &error) {
        failedAt = byte;
        lastToken = token;
        numberOverflow = std::is_same_v<Exception, json::out_of_range>;
        detail = SyntaxDetail(error.what());
        return false;
    }

    std::size_t failedAt = 0;
    std::string lastToken;
    bool numberOverflow = false;
    std::string detail;
};

std::u32string CodePoints(std::string_view text) {
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : 4;
        char32_t point = length == 1   ? c
                         : length == 2 ? c & 0x1F
                         : length == 3 ? c & 0x0F
                                       : c & 0x07;
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

std::size_t EditDistance(const std::u32string &a, const std::u32string &b) {
    std::vector<std::size_t> previous(b.size() + 1);
    std::vector<std::size_t> current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        previous[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

bool Names(const MaterialEntry &entry, const std::string &normalized) {
    if (NormalizeGradeName(entry.name) == normalized) {
        return true;
    }
    return std::any_of(entry.aliases.begin(), entry.aliases.end(), [&](const std::string &alias) {
        return NormalizeGradeName(alias) == normalized;
    });
}

} // namespace

CatalogLoad ParseMaterialCatalog(const std::string &text, const std::string &fileName) {
    CatalogLoad load;
    json root;
    LocatingBuilder builder(root);
    if (!json::sax_parse(text, &builder)) {
        if (builder.numberOverflow) {
            // Where the number starts, not the byte after it.
            const std::size_t start =
                builder.failedAt - std::min(builder.failedAt, builder.lastToken.size());
            const auto [line, column] = LineAndColumn(text, start + 1);
            load.error = "材料数据文件 " + fileName + " 第 " + std::to_string(line) + " 行第 " +
                         std::to_string(column) + " 列的数值超出了双精度数的范围";
            return load;
        }
        const auto [line, column] = LineAndColumn(text, builder.failedAt);
        load.error = "材料数据文件 " + fileName + " 第 " + std::to_string(line) + " 行第 " +
                     std::to_string(column) + " 列不是正确的 JSON（" + builder.detail + "）";
        return load;
    }
    const std::unordered_map<const json *, std::size_t> lines = JsonValueLines(text, root);
    struct LinesInUse {
        explicit LinesInUse(const std::unordered_map<const json *, std::size_t> &lines) {
            tValueLines = &lines;
        }
        ~LinesInUse() { tValueLines = nullptr; }
        LinesInUse(const LinesInUse &) = delete;
        LinesInUse &operator=(const LinesInUse &) = delete;
    } inUse(lines);
    try {
        load.catalog = Catalog(root);
    } catch (const FileProblem &problem) {
        load.error = "材料数据文件 " + fileName + " 有误：" + problem.what;
    } catch (const json::exception &e) {
        load.error = "材料数据文件 " + fileName + " 有误：" + SyntaxDetail(e.what());
    }
    return load;
}

CatalogLoad ReadMaterialCatalog(const std::string &path) {
    const auto refused = [&path](const std::string &cause) {
        return CatalogLoad{std::nullopt, "无法读取材料数据文件 " + path + "：" + cause};
    };
    // The type first, so that a pipe or a device is never opened: a FIFO
    // without a writer would block, /dev/zero never ends.
    // The path is UTF-8 text; std::filesystem would read a narrow string in
    // the locale's code page on Windows.
    const std::filesystem::path file = PathOfUtf8(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error == std::errc::permission_denied) {
        return refused("没有读取权限");
    }
    if (!std::filesystem::exists(status)) {
        return refused("文件不存在");
    }
    if (std::filesystem::is_directory(status)) {
        return refused("这是一个文件夹, 不是文件");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return refused("这不是一个普通文件");
    }
    const auto tooLarge = [&refused] {
        return refused("文件超过 " + std::to_string(kLargestMaterialsFile >> 20) + " MiB");
    };
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kLargestMaterialsFile) {
        return tooLarge();
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return refused("无法打开");
    }
    // The file may have grown since: at most one byte past the limit is read.
    std::string text;
    text.reserve(error ? 0 : static_cast<std::size_t>(size));
    char chunk[1 << 16];
    while (in && text.size() <= kLargestMaterialsFile) {
        in.read(chunk, sizeof chunk);
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return refused("读取出错");
    }
    if (text.size() > kLargestMaterialsFile) {
        return tooLarge();
    }
    return ParseMaterialCatalog(text, path);
}

void MergeCatalog(MaterialCatalog &base, const MaterialCatalog &user) {
    // Each name and alias with the entries that have it, in order: an entry
    // replaces the first of them, as FindMaterial would find it.
    std::unordered_map<std::string, std::vector<std::size_t>> holders;
    const auto keysOf = [](const MaterialEntry &entry) {
        std::vector<std::string> keys{NormalizeGradeName(entry.name)};
        for (const std::string &alias : entry.aliases) {
            keys.push_back(NormalizeGradeName(alias));
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        return keys;
    };
    for (std::size_t i = 0; i < base.entries.size(); ++i) {
        for (const std::string &key : keysOf(base.entries[i])) {
            holders[key].push_back(i);
        }
    }
    for (const MaterialEntry &entry : user.entries) {
        const std::string name = NormalizeGradeName(entry.name);
        const auto same = holders.find(name);
        if (same == holders.end() || same->second.empty()) {
            for (const std::string &key : keysOf(entry)) {
                holders[key].push_back(base.entries.size());
            }
            base.entries.push_back(entry);
            continue;
        }
        const std::size_t at = same->second.front();
        for (const std::string &key : keysOf(base.entries[at])) {
            std::vector<std::size_t> &list = holders[key];
            list.erase(std::find(list.begin(), list.end(), at));
        }
        for (const std::string &key : keysOf(entry)) {
            std::vector<std::size_t> &list = holders[key];
            list.insert(std::lower_bound(list.begin(), list.end(), at), at);
        }
        base.entries[at] = entry;
    }
    if (!user.series.first.empty() || !user.series.second.empty()) {
        base.series = user.series;
    }
}

std::string NormalizeGradeName(std::string_view name) {
    std::string normalized;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            continue;
        }
        // U+3000, the ideographic space of Chinese input methods.
        if (name.substr(i, 3) == "\xE3\x80\x80") {
            i += 2;
            continue;
        }
        normalized.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return normalized;
}

const MaterialEntry *FindMaterial(const MaterialCatalog &catalog, std::string_view grade) {
    const std::string normalized = NormalizeGradeName(grade);
    if (normalized.empty()) {
        return nullptr;
    }
    for (const MaterialEntry &entry : catalog.entries) {
        if (Names(entry, normalized)) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<std::string> ClosestGrades(const MaterialCatalog &catalog, std::string_view grade,
                                       std::size_t count) {
    const std::u32string wanted = CodePoints(NormalizeGradeName(grade));
    std::vector<std::pair<std::size_t, std::string>> ranked;
    for (const MaterialEntry &entry : catalog.entries) {
        std::size_t best = EditDistance(wanted, CodePoints(NormalizeGradeName(entry.name)));
        for (const std::string &alias : entry.aliases) {
            best = std::min(best, EditDistance(wanted, CodePoints(NormalizeGradeName(alias))));
        }
        ranked.emplace_back(best, entry.name);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < ranked.size() && i < count; ++i) {
        names.push_back(ranked[i].second);
    }
    return names;
}

const char *MaterialFamilyName(MaterialFamily family) {
    for (const auto &[known, name] : kFamilies) {
        if (known == family) {
            return name;
        }
    }
    return "";
}

std::optional<MaterialFamily> MaterialFamilyFromName(std::string_view name) {
    for (const auto &[family, known] : kFamilies) {
        if (name == known) {
            return family;
        }
    }
    return std::nullopt;
}
