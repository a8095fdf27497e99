#include "csv_reader.h"

namespace {

constexpr int kEnd = -1;
constexpr std::size_t kBufferSize = 1 << 20;

} // namespace

CsvReader::CsvReader(std::istream &in) : in_(in), buffer_(kBufferSize) {}

// What the input has now, waiting only for its first byte: a table coming
// down a pipe is judged as it comes, not once a whole buffer is full.
bool CsvReader::fill() {
    position_ = 0;
    end_ = 0;
    if (!in_) {
        return false;
    }
    const auto size = static_cast<std::streamsize>(buffer_.size());
    std::streamsize got = in_.readsome(buffer_.data(), size);
    if (got == 0 && in_.read(buffer_.data(), 1)) {
        got = 1 + in_.readsome(buffer_.data() + 1, size - 1);
    }
    end_ = static_cast<std::size_t>(got);
    if (in_.bad()) {
        readFailed_ = true;
    }
    return end_ > 0;
}

int CsvReader::peek() {
    if (position_ == end_ && !fill()) {
        return kEnd;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

int CsvReader::get() {
    const int c = peek();
    if (c != kEnd) {
        ++position_;
    }
    return c;
}

// The rest of a record returned early, up to the line break that ends it:
// outside quotes when it broke off inside a quoted cell, else the first. A
// CR LF counts as one break. False when the record runs on past
// kLongestSkipped: then nothing more is read.
bool CsvReader::skipRestOfRecord() {
    const bool aware = skip_ == Skip::ToRecordEnd;
    bool quoted = aware && quotedAtSkip_;
    skip_ = Skip::None;
    for (;;) {
        const int c = get();
        if (c == kEnd) {
            return true;
        }
        if (++recordBytes_ > kLongestSkipped) {
            abandoned_ = true;
            return false;
        }
        if (c == '"' && aware) {
            quoted = !quoted;
            continue;
        }
        if (c == '\n' || c == '\r') {
            if (c == '\r' && peek() == '\n') {
                get();
            }
            ++line_;
            if (!quoted) {
                return true;
            }
        }
    }
}

void CsvReader::skipLater(bool quoteAware, bool quoted) {
    skip_ = quoteAware ? Skip::ToRecordEnd : Skip::ToLineEnd;
    quotedAtSkip_ = quoted;
}

// Takes the bytes up to the next one that means something in one go: most
// of a table is plain text between commas.
void CsvReader::appendPlainRun(std::string &cell, bool quoted) {
    const char *first = buffer_.data() + position_;
    const char *last = buffer_.data() + end_;
    const char *stop = first;
    while (stop != last && *stop != '"' && *stop != '\n' && *stop != '\r' &&
           (quoted || *stop != ',')) {
        ++stop;
    }
    const auto length = static_cast<std::size_t>(stop - first);
    cell.append(first, length);
    position_ += length;
    recordBytes_ += length;
}

void CsvReader::endCell(CsvRecord &record) {
    ++record.cellCount;
    if (record.cells.size() < record.cellCount + 1) {
        record.cells.emplace_back();
    }
    record.cells[record.cellCount].clear();
}

bool CsvReader::next(CsvRecord &record) {
    if (!started_) {
        started_ = true;
        if (peek() == 0xEF) {
            // A byte order mark is three bytes; anything else starting with
            // 0xEF is text and stays.
            const std::size_t at = position_;
            if (end_ - at >= 3 && static_cast<unsigned char>(buffer_[at + 1]) == 0xBB &&
                static_cast<unsigned char>(buffer_[at + 2]) == 0xBF) {
                position_ += 3;
            }
        }
    }
    if (abandoned_ || (skip_ != Skip::None && !skipRestOfRecord()) || peek() == kEnd) {
        return false;
    }
    record.cellCount = 0;
    record.error.clear();
    record.line = line_;
    if (record.cells.empty()) {
        record.cells.emplace_back();
    }
    record.cells[0].clear();
    recordBytes_ = 0;
    bool quoted = false;    // inside a quoted cell
    bool wasQuoted = false; // the current cell began with a quote
    for (;;) {
        int c = get();
        if (c == kEnd) {
            if (quoted) {
                record.error = "引号未闭合";
            }
            endCell(record);
            break;
        }
        if (++recordBytes_ > kLargestRecord) {
            // Refused at once, not at its end: a line may never end (/dev/zero).
            record.error = "一行超过 1 MiB";
            endCell(record);
            skipLater(true, quoted);
            break;
        }
        std::string &cell = record.cells[record.cellCount];
        if (quoted) {
            if (c == '"') {
                if (peek() == '"') {
                    get();
                    cell.push_back('"');
                    continue;
                }
                quoted = false;
                const int after = peek();
                if (after != ',' && after != '\n' && after != '\r' && after != kEnd) {
                    record.error = "右引号后应是逗号或行尾";
                    endCell(record);
                    skipLater(false, false);
                    break;
                }
                continue;
            }
            if (c == '\n' || (c == '\r' && peek() != '\n')) {
                ++line_;
            }
            if (record.error.empty()) {
                cell.push_back(static_cast<char>(c));
                appendPlainRun(cell, true);
            }
            continue;
        }
        if (c == ',') {
            endCell(record);
            wasQuoted = false;
            continue;
        }
        if (c == '\n' || c == '\r') {
            if (c == '\r' && peek() == '\n') {
                get();
            }
            ++line_;
            endCell(record);
            break;
        }
        if (c == '"') {
            if (cell.empty() && !wasQuoted) {
                quoted = true;
                wasQuoted = true;
                continue;
            }
            record.error = "未加引号的单元格中有引号";
            endCell(record);
            skipLater(false, false);
            break;
        }
        if (record.error.empty()) {
            cell.push_back(static_cast<char>(c));
            appendPlainRun(cell, false);
        }
    }
    if (record.error.empty()) {
        for (std::size_t i = 0; i < record.cellCount; ++i) {
            if (!IsUtf8(record.cells[i])) {
                record.error = "不是 UTF-8 文本 (GBK 等编码的表请先另存为 UTF-8)";
                break;
            }
        }
    }
    return true;
}

void AppendCsvCell(std::string &out, std::string_view cell) {
    const bool needsQuotes = cell.find_first_of(",\"\r\n") != std::string_view::npos ||
                             (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
    if (!needsQuotes) {
        out.append(cell);
        return;
    }
    out.push_back('"');
    for (const char c : cell) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendCsvRecordEnd(std::string &out) {
    out.append("\r\n");
}
