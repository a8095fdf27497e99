#include "material_catalog.h"
#include "source_citations.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Source {
    const char *name;
    const char *address;
};

struct CitationCase {
    const char *label;
    std::vector<const char *> clauses; // cited in turn into one list
    std::vector<const char *> rows;
    std::vector<Source> list;
};

void PrintTo(const CitationCase &c, std::ostream *out) {
    *out << c.label;
}

class CiteSourcesTest : public testing::TestWithParam<CitationCase> {};

TEST_P(CiteSourcesTest, AddressesGoToTheListAndRowsCiteNumbers) {
    const CitationCase &c = GetParam();
    ReferenceList list;
    for (std::size_t i = 0; i < c.clauses.size(); ++i) {
        EXPECT_EQ(CiteSources(c.clauses[i], list), c.rows[i]) << c.clauses[i];
    }
    ASSERT_EQ(list.sources().size(), c.list.size());
    for (std::size_t i = 0; i < c.list.size(); ++i) {
        EXPECT_EQ(list.sources()[i].name, c.list[i].name) << i;
        EXPECT_EQ(list.sources()[i].address, c.list[i].address) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clauses, CiteSourcesTest,
    testing::Values(
        CitationCase{
            "handbook_table_and_its_note",
            {"GB/T 1239.6-1992 许用切应力表（机械设计手册 表10-2-6，https://a.example/t."
             "html）；d < 1.0 mm 不适用（表注④，http://b.example/n），压缩弹簧Ⅱ类"},
            {"GB/T 1239.6-1992 许用切应力表（机械设计手册 表10-2-6）[1]；d < 1.0 mm "
             "不适用（表注④）[2]，压缩弹簧Ⅱ类"},
            {{"GB/T 1239.6-1992 许用切应力表（机械设计手册 表10-2-6）", "https://a.example/t.html"},
             {"d < 1.0 mm 不适用（表注④）", "http://b.example/n"}}},
        CitationCase{"standards_and_books_by_name",
                     {"GB/T 23935-2009 / EN 13906-1 自振频率; 频率比 ≥ 20 (Shigley 第10章); "
                      "GB/T 23935-2009 表 4 (机械设计手册表注)"},
                     {"GB/T 23935-2009[1] / EN 13906-1[2] 自振频率; 频率比 ≥ 20 (Shigley[3] "
                      "第10章); GB/T 23935-2009 表 4 (机械设计手册[4]表注)"},
                     {{"GB/T 23935-2009 《圆柱螺旋弹簧设计计算》", ""},
                      {"EN 13906-1 Cylindrical helical springs made from round wire and bar — "
                       "Calculation and design — Part 1: Compression springs",
                       ""},
                      {"Shigley's Mechanical Engineering Design", ""},
                      {"机械设计手册", ""}}},
        CitationCase{"address_alone_in_brackets_and_after_a_comma",
                     {"弹簧厂页面 (https://c.example/p)", "ρ 取 线材商表，https://d.example/t 的 "
                                                          "7.85 g/cm³。见 https://c.example/p."},
                     {"弹簧厂页面[1]", "ρ 取 线材商表[2] 的 7.85 g/cm³。见[1]."},
                     {{"弹簧厂页面", "https://c.example/p"}, {"线材商表", "https://d.example/t"}}},
        CitationCase{"one_standard_cited_with_and_without_its_year",
                     {"按 GB/T 23935 的方法", "GB/T 23935-2009 表 4; EN 10270-1 SM 表"},
                     {"按 GB/T 23935[1] 的方法", "GB/T 23935-2009[1] 表 4; EN 10270-1[2] SM 表"},
                     {{"GB/T 23935-2009 《圆柱螺旋弹簧设计计算》", ""}, {"EN 10270-1", ""}}},
        CitationCase{"nothing_to_cite",
                     {"m = ρ·π·d²/4·L (L 为展开长度); 与 ENGB 12 不同"},
                     {"m = ρ·π·d²/4·L (L 为展开长度); 与 ENGB 12 不同"},
                     {}}),
    [](const testing::TestParamInfo<CitationCase> &info) { return info.param.label; });

// Every provenance text of the material table, cited: no address stays in
// the text, and every address is listed once with a name.
TEST(CiteSourcesTest, NoMaterialSourceLeavesAnAddressInTheText) {
    const CatalogLoad load = ReadMaterialCatalog(ORSELA_MATERIALS_JSON);
    ASSERT_TRUE(load.catalog) << load.error;
    for (const MaterialEntry &entry : load.catalog->entries) {
        ReferenceList list;
        const std::string cited =
            CiteSources(entry.source, list) +
            (entry.fixedPermissible ? CiteSources(entry.fixedPermissible->source, list) : "");
        EXPECT_EQ(cited.find("http"), std::string::npos) << entry.name << ": " << cited;
        for (const CitedSource &source : list.sources()) {
            EXPECT_EQ(source.name.find("http"), std::string::npos) << entry.name;
            if (!source.address.empty()) {
                EXPECT_FALSE(source.name.empty()) << entry.name << ": " << source.address;
            }
        }
        ReferenceList addressed;
        const std::vector<int> numbers = CiteAddressedSources(entry.source, addressed);
        EXPECT_EQ(numbers.size(), addressed.sources().size()) << entry.name;
    }
}

} // namespace
