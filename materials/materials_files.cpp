#include "materials_files.h"

#include "platform_files.h"
#include "utf8_path.h"

#include <cstdlib>
#include <system_error>

#ifndef ORSELA_INSTALLED_DATA_DIR
#define ORSELA_INSTALLED_DATA_DIR "/usr/local/share/orsela"
#endif

namespace fs = std::filesystem;

std::optional<fs::path> CurrentProgramPath() {
    if (const std::optional<std::string> program = ProgramFilePath()) {
        return PathOfUtf8(*program);
    }
    return std::nullopt;
}

fs::path BuiltInMaterialsPath(const std::optional<fs::path> &program) {
    if (program) {
        return (program->parent_path() / ".." / "share" / "orsela" / "materials.json")
            .lexically_normal();
    }
    return fs::path(ORSELA_INSTALLED_DATA_DIR) / "materials.json";
}

std::optional<fs::path> UserMaterialsPath() {
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    // A relative XDG_DATA_HOME does not count, as the XDG rules say.
    if (dataHome && *dataHome && fs::path(dataHome).is_absolute()) {
        return fs::path(dataHome) / "orsela" / "materials.json";
    }
#ifdef _WIN32
    // A Windows user's own settings live under %APPDATA%; read as UTF-16, so
    // that a user name in Chinese reaches the file whatever the code page.
    if (const wchar_t *appData = _wgetenv(L"APPDATA"); appData && *appData) {
        return fs::path(appData) / "orsela" / "materials.json";
    }
#endif
    const char *home = std::getenv("HOME");
    if (home && *home) {
        return fs::path(home) / ".local" / "share" / "orsela" / "materials.json";
    }
    return std::nullopt;
}

void MarkAsUserFile(MaterialCatalog &catalog) {
    const Provenance user = Provenance::UserFile;
    for (MaterialEntry &entry : catalog.entries) {
        entry.provenance = EntryProvenance{user, user, user, user, user};
    }
    catalog.series.provenance = user;
}

namespace {

void Apply(LoadedMaterials &loaded, const fs::path &file, bool first) {
    CatalogLoad load = ReadMaterialCatalog(Utf8OfPath(file));
    if (!load.catalog) {
        loaded.problems.push_back(load.error);
        return;
    }
    if (first) {
        loaded.catalog = std::move(*load.catalog);
    } else {
        MarkAsUserFile(*load.catalog);
        MergeCatalog(loaded.catalog, *load.catalog);
    }
}

} // namespace

LoadedMaterials LoadMaterials(const fs::path &builtIn, const std::optional<fs::path> &userFile,
                              const std::optional<fs::path> &explicitFile) {
    LoadedMaterials loaded;
    Apply(loaded, builtIn, true);
    std::error_code error;
    if (userFile && fs::exists(*userFile, error)) {
        Apply(loaded, *userFile, false);
    }
    if (explicitFile) {
        Apply(loaded, *explicitFile, false);
    }
    return loaded;
}
