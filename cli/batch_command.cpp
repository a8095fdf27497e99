#include "batch_command.h"

#include "atomic_file_writer.h"
#include "batch_rows.h"
#include "cli_exit.h"
#include "command_line.h"
#include "option_registration.h"
#include "ordered_pipeline.h"

#include <CLI/CLI.hpp>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

enum class BatchFormat { Csv, Json };

struct BatchSettings {
    GivenRequestOptions given; // the defaults of every row: a design file, the options over it
    DesignRequest base;
    BatchFormat format = BatchFormat::Csv;
    std::optional<std::string> outputPath;
    std::string inputPath = "-";
};

constexpr std::size_t kRowsPerChunk = 512;

struct BatchChunk {
    std::vector<CsvRecord> records{kRowsPerChunk};
    std::size_t count = 0;
    std::size_t firstRow = 1;
    std::string output;
    std::array<std::size_t, 4> statusCounts{}; // by DesignStatus
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

// A line on stderr now and then, once the run has taken a second, and only
// when stderr is a terminal.
class Progress {
  public:
    explicit Progress(std::ostream &err)
        : err_(err), shown_(&err == &std::cerr && ::isatty(STDERR_FILENO) == 1),
          start_(std::chrono::steady_clock::now()), last_(start_) {}
    void rowsDone(std::size_t rows) {
        if (!shown_) {
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - start_ < std::chrono::seconds(1) ||
            now - last_ < std::chrono::milliseconds(200)) {
            return;
        }
        last_ = now;
        printed_ = true;
        err_ << "\r已判定 " << rows << " 行" << std::flush;
    }
    void end() {
        if (printed_) {
            err_ << "\r\x1b[K" << std::flush;
        }
    }

  private:
    std::ostream &err_;
    bool shown_;
    bool printed_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
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
    usage += UsageLine("  --help", "显示本说明");
    usage += "\n"
             "输出每行: row, status (completed/stopped/refused/fault), message, 十六项结果和 "
             "TotalCoils。\n"
             "退出状态: 0 每行都已判定, 2 有行被拒绝或用法错误, 4 输出写入失败。\n";
    return usage;
}

void JudgeChunk(BatchChunk &chunk, const BatchColumns &columns, const BatchSettings &settings,
                bool withChecks) {
    DesignRequest scratch;
    chunk.output.clear();
    chunk.statusCounts = {};
    for (std::size_t i = 0; i < chunk.count; ++i) {
        const DesignOutcome outcome =
            JudgeBatchRow(chunk.records[i], columns, settings.base, scratch);
        ++chunk.statusCounts[static_cast<std::size_t>(outcome.status)];
        if (settings.format == BatchFormat::Csv) {
            AppendCsvResultRow(chunk.output, chunk.firstRow + i, outcome, withChecks);
        } else {
            AppendJsonLine(chunk.output, chunk.firstRow + i, outcome);
        }
    }
}

int RunBatch(BatchSettings &settings, CliStreams &streams) {
    bool fileProblem = false;
    if (auto problem = ApplyRequestOptions(settings.given, settings.base, fileProblem)) {
        streams.err << "orsela-cli: " << *problem << '\n';
        if (!fileProblem) {
            streams.err << "用法见 orsela-cli batch --help\n";
        }
        return kExitUsage;
    }
    std::ifstream file;
    std::istream *input = &streams.in;
    if (settings.inputPath != "-") {
        std::error_code ignored;
        const bool folder = std::filesystem::is_directory(settings.inputPath, ignored);
        if (!folder) {
            file.open(settings.inputPath, std::ios::binary);
        }
        if (folder || !file) {
            const char *cause = folder            ? "这是一个文件夹, 不是文件"
                                : errno == ENOENT ? "文件不存在"
                                : errno == EACCES ? "没有读取权限"
                                                  : std::strerror(errno);
            streams.err << "orsela-cli batch: 无法打开设计表“" << settings.inputPath
                        << "”: " << cause << '\n';
            return kExitUsage;
        }
        input = &file;
    }
    CsvReader reader(*input);
    CsvRecord header;
    if (!reader.next(header)) {
        streams.err << "orsela-cli batch: 设计表是空的, 没有表头\n";
        return kExitUsage;
    }
    BatchColumns columns;
    if (auto problem = ResolveBatchColumns(header, columns)) {
        streams.err << "orsela-cli batch: " << *problem << '\n';
        return kExitUsage;
    }

    AtomicFileWriter outputFile;
    if (settings.outputPath) {
        if (auto problem = outputFile.open(*settings.outputPath)) {
            streams.err << "orsela-cli batch: " << *problem << '\n';
            return kExitReportError;
        }
    }
    BatchSink sink(streams.out, settings.outputPath ? &outputFile : nullptr);
    const bool withChecks = settings.base.checks.check || columns.hasCheckColumn;
    if (settings.format == BatchFormat::Csv) {
        std::string head;
        AppendCsvHeader(head, withChecks);
        sink.write(head);
    }

    Progress progress(streams.err);
    std::array<std::size_t, 4> counts{};
    std::size_t rows = 0;
    {
        OrderedPipeline<BatchChunk> pipeline(
            std::thread::hardware_concurrency(),
            [&](BatchChunk &chunk) { JudgeChunk(chunk, columns, settings, withChecks); },
            [&](BatchChunk &chunk) {
                sink.write(chunk.output);
                for (std::size_t s = 0; s < counts.size(); ++s) {
                    counts[s] += chunk.statusCounts[s];
                }
                progress.rowsDone(chunk.firstRow + chunk.count - 1);
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
    progress.end();

    if (reader.readFailed()) {
        streams.err << "orsela-cli batch: 读取设计表失败, 已判定 " << rows << " 行后中断\n";
        return kExitUsage;
    }
    if (settings.outputPath) {
        if (auto problem = outputFile.commit()) {
            streams.err << "orsela-cli batch: " << *problem << '\n';
            return kExitReportError;
        }
    } else if (!streams.out.flush()) {
        streams.err << "orsela-cli batch: 写入标准输出失败\n";
        return kExitReportError;
    }
    const std::size_t refused = counts[static_cast<std::size_t>(DesignStatus::Refused)];
    streams.err << "orsela-cli batch: " << rows << " 行: 完成 "
                << counts[static_cast<std::size_t>(DesignStatus::Completed)] << ", 中止 "
                << counts[static_cast<std::size_t>(DesignStatus::Stopped)] << ", 拒绝 " << refused
                << ", 计算错误 " << counts[static_cast<std::size_t>(DesignStatus::Fault)] << '\n';
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
    batch->add_option("file", settings->inputPath);
    return {batch, Usage(),
            [settings](CliStreams &streams) { return RunBatch(*settings, streams); }};
}
