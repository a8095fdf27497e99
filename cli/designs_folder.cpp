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

// The file replaced only when whole.
std::optional<std::string> WriteWhole(const fs::path &path, const std::string &text) {
    AtomicFileWriter writer;
    if (auto problem = writer.open(Utf8OfPath(path))) {
        return problem;
    }
    writer.write(text);
    return writer.commit();
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
    std::vector<Listed> listed;
    for (const EvaluatedDesign &e : outcome.best.empty() ? outcome.nearestMisses : outcome.best) {
        Listed design{SearchDesignRequest(e, request, materialsFile), e.qualified, {}};
        for (const char *field :
             {"WireDiameter", "MeanDiameter", "ActiveCoils", "TotalCoils", "FreeHeight"}) {
            design.cells.push_back(design.request.numericTexts[NumericFieldIndex(field)]);
        }
        listed.push_back(std::move(design));
    }
    return write(listed, "rank,file,qualified,wire-diameter,mean-diameter,active-coils,"
                         "total-coils,free-height");
}

std::optional<std::string> DesignsFolder::save(const TorsionSearchOutcome &outcome) const {
    std::vector<Listed> listed;
    const bool qualified = !outcome.best.empty();
    for (const TorsionCandidate &c : qualified ? outcome.best : outcome.nearestMisses) {
        Listed design{TorsionCandidateRequest(c), qualified, {}};
        // As the command line typed them: the first three arguments.
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string &argument = c.arguments[i];
            design.cells.push_back(argument.substr(argument.find('=') + 1));
        }
        listed.push_back(std::move(design));
    }
    return write(listed, "rank,file,qualified,wire-diameter,mean-diameter,active-coils");
}

std::optional<std::string> DesignsFolder::write(const std::vector<Listed> &designs,
                                                const std::string &indexHeader) const {
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
    std::string index = indexHeader + "\r\n";
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const std::string name = DesignFileName(i + 1, designs.size());
        if (auto problem =
                WriteWhole(PathOfUtf8(folder_) / name, DesignFileText(designs[i].request))) {
            return problem;
        }
        index += std::to_string(i + 1) + "," + name + "," + (designs[i].qualified ? "1" : "0");
        for (const std::string &cell : designs[i].cells) {
            index += ',';
            AppendCsvCell(index, cell);
        }
        index += "\r\n";
    }
    // Written last: a folder without it was not completed.
    return WriteWhole(PathOfUtf8(folder_) / kIndexName, index);
}
