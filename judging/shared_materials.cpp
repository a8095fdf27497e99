#include "shared_materials.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

std::mutex gMutex;
std::unique_ptr<LoadedMaterials> gFromTexts; // the page's data, once given
// What a request naming a file gets in the page: the page's data and the problem.
std::map<std::string, std::unique_ptr<LoadedMaterials>> &NamedInPage() {
    static std::map<std::string, std::unique_ptr<LoadedMaterials>> named;
    return named;
}

} // namespace

const LoadedMaterials &SharedMaterials(const std::optional<std::string> &explicitFile) {
    static std::map<std::optional<std::string>, std::unique_ptr<LoadedMaterials>> loaded;
    const std::lock_guard<std::mutex> lock(gMutex);
    if (gFromTexts) {
        if (!explicitFile) {
            return *gFromTexts;
        }
        std::unique_ptr<LoadedMaterials> &named = NamedInPage()[*explicitFile];
        if (!named) {
            named = std::make_unique<LoadedMaterials>(*gFromTexts);
            named->problems.push_back("材料文件“" + *explicitFile +
                                      "”: 网页不读取文件, 请在“材料”页导入自己的牌号");
        }
        return *named;
    }
    std::unique_ptr<LoadedMaterials> &slot = loaded[explicitFile];
    if (!slot) {
        std::optional<std::filesystem::path> file;
        if (explicitFile) {
            file = *explicitFile;
        }
        slot = std::make_unique<LoadedMaterials>(
            LoadMaterials(BuiltInMaterialsPath(CurrentProgramPath()), UserMaterialsPath(), file));
    }
    return *slot;
}

std::optional<std::string> UseMaterialsTexts(const std::string &builtIn,
                                             const std::string &userGrades) {
    auto materials = std::make_unique<LoadedMaterials>();
    CatalogLoad base = ParseMaterialCatalog(builtIn, "materials.json");
    if (!base.catalog) {
        return base.error;
    }
    materials->catalog = std::move(*base.catalog);
    if (!userGrades.empty()) {
        CatalogLoad user = ParseMaterialCatalog(userGrades, "materials.json");
        if (!user.catalog) {
            return user.error;
        }
        MarkAsUserFile(*user.catalog);
        MergeCatalog(materials->catalog, *user.catalog);
    }
    // Between judgements only: what the old data served is no longer held.
    const std::lock_guard<std::mutex> lock(gMutex);
    gFromTexts = std::move(materials);
    NamedInPage().clear();
    return std::nullopt;
}
