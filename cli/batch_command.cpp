#include "batch_command.h"

#include "atomic_file_writer.h"
#include "batch_rows.h"
#include "cli_exit.h"
#include "command_line.h"
#include "file_descriptor_input.h"
#include "option_registration.h"
#include "ordered_pipeline.h"
#include "platform_files.h"
#include "progress_line.h"
#include "shared_materials.h"
#include "standard_output.h"
#include "system_error_text.h"
#include "usage_refusal.h"
#include "utf8_path.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <unistd.h>

namespace {

enum class BatchFormat { Csv, Json };

struct BatchSettings {
    GivenRequestOptions given; // the defaults of every row: a design file, the options over it
    DesignRequest base;
    BatchFormat format = BatchFormat::Csv;
    std::optional<std::string> outputPath;
    std::string inputPath = "-";
    bool byteOrderMark = false; // CSV only: Excel on a Chinese Windows then reads it as UTF-8
    bool withInputs = false;    // each row's input cells repeated beside its result
};

constexpr std::size_t kRowsPerChunk = 512;

struct BatchChunk {
    std::vector<CsvRecord> records{kRowsPerChunk};
    std::size_t count = 0;
    std::size_t firstRow = 1;
    std::string output;
    std::array<std::size_t, 4> statusCounts{}; // by DesignStatus
    // The --materials-file of each row that read the materials data, once.
    std::vector<std::optional<std::string>> materialFiles;
};

// Where the rows go: the atomic output file, or the stream.
class BatchSink {
  public:
    BatchSink(std::ostream &out, AtomicFileWriter *file) : out_(out), file_(file) {}
    void write(std::string_view bytes) {
        if (file_ != nullptr) {
            file_->write(bytes);
        } else {
            out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }

  private:
    std::ostream &out_;
    AtomicFileWriter *file_;
};

// The table's bytes: a named file or standard input, read straight from
// the file descriptor so that a read error is told apart from the end (see
// FileDescriptorInput); a stream that a caller hands in (a test) as it is.
class TableInput {
  public:
    ~TableInput() {
        if (owned_) {
            ::close(fd_);
        }
    }

    // A Chinese message when the named file cannot be opened.
    std::optional<std::string> open(const std::string &path, std::istream &given) {
        if (path == "-") {
            if (&given != &std::cin) {
                stream_ = &given;
                return std::nullopt;
            }
            fd_ = STDIN_FILENO;
        } else {
            std::error_code ignored;
            const bool folder = std::filesystem::is_directory(PathOfUtf8(path), ignored);
            fd_ = folder ? -1 : ::open(path.c_str(), O_RDONLY | OpenFlagsOfEveryFile());
            if (fd_ < 0) {
                const std::string cause =
                    folder ? std::string("这是一个文件夹, 不是文件") : ReadErrorText(errno);
                return "无法打开设计表“" + path + "”: " + cause;
            }
            owned_ = true;
        }
        buffer_ = std::make_unique<FileDescriptorInput>(fd_);
        own_ = std::make_unique<std::istream>(buffer_.get());
        stream_ = own_.get();
        return std::nullopt;
    }

    std::istream &stream() { return *stream_; }

    std::string readFailure() const {
        const int error = buffer_ ? buffer_->error() : 0;
        switch (error) {
        case 0:
            return "读取出错";
        default:
            return ReadErrorText(error);
        }
    }

  private:
    int fd_ = -1;
    bool owned_ = false;
    std::unique_ptr<FileDescriptorInput> buffer_;
    std::unique_ptr<std::istream> own_;
    std::istream *stream_ = nullptr;
};

std::string Usage() {
    std::string usage =
        "用法: orsela-cli batch [选项] [FILE|-]\n"
        "逐行判定设计表 (CSV, UTF-8): 表头是选项名去掉 \"--\" (如 wire-diameter, extension),\n"
        "每行一个设计, 与单个设计的判定完全相同。空单元格或缺少的列取默认值 (或下面给出的选项);\n"
        "开关列 1/true 为是, 空/0/false 为否。FILE 缺省或为 - 时读标准输入。\n"
        "\n"
        "每行设计的默认值:\n";
    usage += RequestOptionsUsage();
    usage += "\n";
    usage += UsageLine("  --format=csv|json", "输出格式: CSV 或每行一个 JSON 对象 (csv)");
    usage += UsageLine("  --output=FILE", "写入文件 (完成后一次替换); 默认: 标准输出");
    usage +=
        UsageLine("  --bom", "CSV 开头写入 UTF-8 字节顺序标记, 中文 Windows 的电子表格可正确打开; "
                             "校核结论用中文 (合格、注意、不合格、信息、不适用、未验证)");
    usage += UsageLine("  --with-inputs", "每行结果前重复该行的输入单元格, 列名同设计表");
    usage += UsageLine("  --help", "显示本说明");
    usage += "\n"
             "输出每行: row, status (completed/stopped/refused/fault), message, 十六项结果和 "
             "TotalCoils。\n"
             "退出状态: 0 每行都已判定, 2 有行被拒绝、设计表读取失败或用法错误, 4 输出写入失败。\n";
    return usage;
}

void JudgeChunk(BatchChunk &chunk, const BatchColumns &columns, const BatchSettings &settings,
                bool withChecks) {
    DesignRequest scratch;
    chunk.output.clear();
    chunk.statusCounts = {};
    chunk.materialFiles.clear();
    for (std::size_t i = 0; i < chunk.count; ++i) {
        const BatchRowOutcome outcome =
            JudgeBatchRow(chunk.records[i], columns, settings.base, scratch);
        ++chunk.statusCounts[static_cast<std::size_t>(outcome.status)];
        // Notes come only from a row judged whole, which scratch then holds.
        if (!outcome.materialNotes.empty() || !outcome.checkNotes.empty()) {
            const std::optional<std::string> &file = scratch.materials.materialsFile;
            if (std::find(chunk.materialFiles.begin(), chunk.materialFiles.end(), file) ==
                chunk.materialFiles.end()) {
                chunk.materialFiles.push_back(file);
            }
        }
        if (settings.format == BatchFormat::Csv) {
            AppendCsvResultRow(chunk.output, chunk.firstRow + i, outcome, withChecks, columns,
                               chunk.records[i], settings.byteOrderMark);
        } else {
            AppendJsonLine(chunk.output, chunk.firstRow + i, outcome, columns, chunk.records[i]);
        }
    }
}

int ReadFailure(CliStreams &streams, const TableInput &input, const CsvReader &reader,
                std::size_t rows) {
    streams.err << "orsela-cli batch: 读取设计表失败: "
                << (reader.abandoned()
                        ? "一行超过 " + std::to_string(CsvReader::kLongestSkipped >> 20) +
                              " MiB 仍未结束"
                        : input.readFailure());
    if (rows > 0) {
        streams.err << ", 已判定 " << rows << " 行后中断";
    }
    streams.err << '\n';
    return kExitUsage;
}

int RunBatch(BatchSettings &settings, CliStreams &streams) {
    bool fileProblem = false;
    if (auto problem = ApplyRequestOptions(settings.given, settings.base, fileProblem)) {
        return RefuseUsage(streams, *problem, "batch", false);
    }
    TableInput input;
    if (auto problem = input.open(settings.inputPath, streams.in)) {
        streams.err << "orsela-cli batch: " << EscapedMessage(*problem) << '\n';
        return kExitUsage;
    }
    CsvReader reader(input.stream());
    CsvRecord header;
    if (!reader.next(header)) {
        if (reader.readFailed()) {
            return ReadFailure(streams, input, reader, 0);
        }
        streams.err << "orsela-cli batch: 设计表是空的, 没有表头\n";
        return kExitUsage;
    }
    BatchColumns columns;
    if (auto problem = ResolveBatchColumns(header, columns)) {
        streams.err << "orsela-cli batch: " << EscapedMessage(*problem) << '\n';
        return kExitUsage;
    }
    columns.torsionColumns = columns.torsionColumns || settings.base.torsion.torsion;
    if (settings.withInputs) {
        columns.repeatedInputs.assign(header.cells.begin(),
                                      header.cells.begin() + static_cast<long>(header.size()));
    }

    AtomicFileWriter outputFile;
    if (settings.outputPath) {
        if (auto problem = outputFile.open(*settings.outputPath)) {
            streams.err << "orsela-cli batch: " << EscapedMessage(*problem) << '\n';
            return kExitReportError;
        }
    }
    BatchSink sink(streams.out, settings.outputPath ? &outputFile : nullptr);
    const bool withChecks = settings.base.checks.check || columns.hasCheckColumn;
    if (settings.format == BatchFormat::Csv) {
        std::string head = settings.byteOrderMark ? "\xEF\xBB\xBF" : "";
        AppendCsvHeader(head, withChecks, columns);
        sink.write(head);
    }

    ProgressLine progress(streams.err);
    std::array<std::size_t, 4> counts{};
    std::size_t rows = 0;
    std::set<std::string> materialProblemsTold;
    {
        OrderedPipeline<BatchChunk> pipeline(
            std::thread::hardware_concurrency(),
            [&](BatchChunk &chunk) { JudgeChunk(chunk, columns, settings, withChecks); },
            [&](BatchChunk &chunk) {
                sink.write(chunk.output);
                for (std::size_t s = 0; s < counts.size(); ++s) {
                    counts[s] += chunk.statusCounts[s];
                }
                for (const std::optional<std::string> &file : chunk.materialFiles) {
                    for (const std::string &problem : SharedMaterials(file).problems) {
                        if (materialProblemsTold.insert(problem).second) {
                            progress.clear();
                            streams.err << "orsela-cli batch: " << EscapedMessage(problem) << '\n';
                        }
                    }
                }
                if (progress.due()) {
                    progress.show("已判定 " + std::to_string(chunk.firstRow + chunk.count - 1) +
                                  " 行");
                }
            });
        for (;;) {
            BatchChunk &chunk = pipeline.acquire();
            chunk.count = 0;
            chunk.firstRow = rows + 1;
            while (chunk.count < kRowsPerChunk && reader.next(chunk.records[chunk.count])) {
                ++chunk.count;
            }
            rows += chunk.count;
            if (chunk.count == 0) {
                pipeline.release(chunk);
                break;
            }
            pipeline.submit(chunk);
            if (chunk.count < kRowsPerChunk) {
                break;
            }
        }
        pipeline.finish();
    }
    progress.clear();

    if (reader.readFailed() || reader.abandoned()) {
        return ReadFailure(streams, input, reader, rows);
    }
    if (settings.outputPath) {
        if (auto problem = outputFile.commit()) {
            streams.err << "orsela-cli batch: " << EscapedMessage(*problem) << '\n';
            return kExitReportError;
        }
    } else if (!StandardOutputWritten(streams)) {
        return kExitReportError;
    }
    const std::size_t refused = counts[static_cast<std::size_t>(DesignStatus::Refused)];
    streams.err << "orsela-cli batch: " << BatchSummary(rows, counts) << '\n';
    return refused > 0 ? kExitUsage : kExitCompleted;
}

} // namespace

Subcommand AddBatchCommand(CLI::App &app) {
    auto settings = std::make_shared<BatchSettings>();
    CLI::App *batch = app.add_subcommand("batch", "逐行判定设计表 (CSV)");
    ConfigureCommand(*batch);
    AddRequestOptions(*batch, settings->given);
    batch
        ->add_option_function<std::string>(
            "--format",
            [settings](const std::string &text) {
                if (text == "csv") {
                    settings->format = BatchFormat::Csv;
                } else if (text == "json") {
                    settings->format = BatchFormat::Json;
                } else {
                    throw UsageError{"--format 只能是 csv 或 json: " + EscapedArgument(text)};
                }
            })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    batch
        ->add_option_function<std::string>(
            "--output", [settings](const std::string &path) { settings->outputPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    batch->add_flag("--bom", settings->byteOrderMark);
    batch->add_flag("--with-inputs", settings->withInputs);
    batch->add_option("file", settings->inputPath);
    return {batch, Usage(),
            [settings](CliStreams &streams) { return RunBatch(*settings, streams); }};
}
