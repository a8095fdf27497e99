#include "designs_folder.h"

#include "atomic_file_writer.h"
#include "csv_reader.h"
#include "design_file.h"
#include "search_design_request.h"
#include "utf8_path.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char *kIndexName = "designs.csv";

bool IsOurOwn(const std::string &name) {
    return name == kIndexName || (name.rfind("design-", 0) == 0 && name.size() > 12 &&
                                  name.compare(name.size() - 5, 5, ".json") == 0);
}

std::string Quoted(const std::string &text) {
    return "“" + text + "”";
}

// The names in folder; a message when it cannot be read.
std::optional<std::string> ListFolder(const std::string &folder, std::vector<std::string> &names) {
    std::error_code error;
    for (fs::directory_iterator it(PathOfUtf8(folder), error), end; !error && it != end;
         it.increment(error)) {
        names.push_back(Utf8OfPath(it->path().filename()));
    }
    if (error) {
        return "无法读取文件夹" + Quoted(folder) + ": " + WriteErrorText(error.value());
    }
    return std::nullopt;
}

// The rank with at least three digits, so that names sort as the ranks do.
std::string DesignFileName(std::size_t rank, std::size_t count) {
    const std::size_t width = std::max<std::size_t>(3, std::to_string(count).size());
    std::string digits = std::to_string(rank);
    digits.insert(0, width - digits.size(), '0');
    return "design-" + digits + ".json";
}

} // namespace

std::optional<std::string> DesignsFolder::check() const {
    std::error_code error;
    if (!fs::exists(PathOfUtf8(folder_), error)) {
        return std::nullopt;
    }
    if (!fs::is_directory(PathOfUtf8(folder_), error)) {
        return "无法把设计存入" + Quoted(folder_) + ": 这不是一个文件夹";
    }
    std::vector<std::string> names;
    if (auto problem = ListFolder(folder_, names)) {
        return problem;
    }
    for (const std::string &name : names) {
        if (!replace_ || !IsOurOwn(name)) {
            return "文件夹" + Quoted(folder_) + "不是空的 (有" + Quoted(name) +
                   (replace_ ? "), --replace 只删除以前存入的 design-*.json 和 designs.csv"
                             : "); 换一个文件夹, 或加 --replace 替换以前存入的设计");
        }
    }
    return std::nullopt;
}

std::optional<std::string>
DesignsFolder::save(const SearchOutcome &outcome, const SearchRequest &request,
                    const std::optional<std::string> &materialsFile) const {
    if (auto problem = check()) { // the folder may have changed during the search
        return problem;
    }
    std::error_code error;
    fs::create_directories(PathOfUtf8(folder_), error);
    if (error) {
        return "无法创建文件夹" + Quoted(folder_) + ": " + WriteErrorText(error.value());
    }
    std::vector<std::string> names;
    if (auto problem = ListFolder(folder_, names)) {
        return problem;
    }
    for (const std::string &name : names) { // only our own are left after check()
        fs::remove(PathOfUtf8(folder_) / name, error);
        if (error) {
            return "无法删除" + Quoted(Utf8OfPath(PathOfUtf8(folder_) / name)) + ": " +
                   WriteErrorText(error.value());
        }
    }
    const auto &designs = outcome.best.empty() ? outcome.nearestMisses : outcome.best;
    std::string index = "rank,file,qualified,wire-diameter,mean-diameter,active-coils,"
                        "total-coils,free-height\r\n";
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const std::string name = DesignFileName(i + 1, designs.size());
        const DesignRequest design = SearchDesignRequest(designs[i], request, materialsFile);
        AtomicFileWriter writer;
        if (auto problem = writer.open(Utf8OfPath(PathOfUtf8(folder_) / name))) {
            return problem;
        }
        writer.write(DesignFileText(design));
        if (auto problem = writer.commit()) {
            return problem;
        }
        index += std::to_string(i + 1) + "," + name + "," + (designs[i].qualified ? "1" : "0");
        for (const char *field :
             {"WireDiameter", "MeanDiameter", "ActiveCoils", "TotalCoils", "FreeHeight"}) {
            index += ',';
            AppendCsvCell(index, design.numericTexts[NumericFieldIndex(field)]);
        }
        index += "\r\n";
    }
    // Written last: a folder without it was not completed.
    AtomicFileWriter writer;
    if (auto problem = writer.open(Utf8OfPath(PathOfUtf8(folder_) / kIndexName))) {
        return problem;
    }
    writer.write(index);
    return writer.commit();
}
