#pragma once

#include "material_entry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The standard wire diameters of GB/T 1358, first and second series, in mm.
// An incomplete series holds only the sizes its sources agree on: a size it
// lacks may still be standard.
struct WireDiameterSeries {
    std::vector<double> first;
    std::vector<double> second;
    std::string source;
    std::string note;
    bool complete = true;
    Provenance provenance = Provenance::Unmarked;
};

struct MaterialCatalog {
    std::vector<MaterialEntry> entries;
    WireDiameterSeries series;
};

// A materials file read and checked; on failure `error` says in Chinese which
// file, where and what is wrong, and `catalog` is empty.
struct CatalogLoad {
    std::optional<MaterialCatalog> catalog;
    std::string error;
};
CatalogLoad ParseMaterialCatalog(const std::string &text, const std::string &fileName);
// Only a regular file of at most kLargestMaterialsFile bytes is read.
CatalogLoad ReadMaterialCatalog(const std::string &path);
constexpr std::size_t kLargestMaterialsFile = std::size_t{16} << 20;

// The user's entries replace the built-in ones of the same grade (name or
// alias) and add the others; a series the user gives replaces the built-in one.
void MergeCatalog(MaterialCatalog &base, const MaterialCatalog &user);

// A grade as it is compared: ASCII letters in lower case, blanks removed.
std::string NormalizeGradeName(std::string_view name);

// The entry whose name or alias is the given grade; nothing when none is.
const MaterialEntry *FindMaterial(const MaterialCatalog &catalog, std::string_view grade);

// The names of the known grades nearest to an unknown one (edit distance on
// characters, over names and aliases), nearest first.
std::vector<std::string> ClosestGrades(const MaterialCatalog &catalog, std::string_view grade,
                                       std::size_t count = 3);

// "carbon-spring-wire", ...: the words of the file and of the JSON output.
const char *MaterialFamilyName(MaterialFamily family);
std::optional<MaterialFamily> MaterialFamilyFromName(std::string_view name);
