#include "shared_materials.h"

#include <map>
#include <memory>
#include <mutex>

const LoadedMaterials &SharedMaterials(const std::optional<std::string> &explicitFile) {
    static std::mutex mutex;
    static std::map<std::optional<std::string>, std::unique_ptr<LoadedMaterials>> loaded;
    const std::lock_guard<std::mutex> lock(mutex);
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
