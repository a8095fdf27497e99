#pragma once

#include "utf8_text.h" // IsUtf8, for the cells

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// One record of a CSV table as read, with what was wrong with it.
struct CsvRecord {
    std::vector<std::string> cells; // the first cellCount are this record's; the rest are spare
    std::size_t cellCount = 0;
    std::size_t line = 0; // the line of the file where the record starts, from 1
    std::string error;    // Chinese; empty when the record keeps to the grammar

    std::size_t size() const { return cellCount; }
    const std::string &operator[](std::size_t i) const { return cells[i]; }
};

// Reads RFC 4180 CSV as a stream, one record at a time: cells separated by
// commas, records by CR LF, LF or a lone CR; a cell in double quotes may hold
// commas, line breaks and doubled quotes. A UTF-8 byte order mark at the
// start is skipped. A record that breaks the grammar (a quote inside an
// unquoted cell, text after a closing quote, a quote never closed, bytes
// that are not UTF-8, a record over the size limit) is still returned, with
// its error set, and reading goes on with the next line. A record over the
// size limit is returned as soon as it passes it; when the rest of it runs
// on past kLongestSkipped, reading stops there (abandoned()). Memory stays
// within the largest record, whatever the length of the table.
class CsvReader {
  public:
    static constexpr std::size_t kLargestRecord = 1 << 20;   // bytes
    static constexpr std::size_t kLongestSkipped = 64 << 20; // bytes

    explicit CsvReader(std::istream &in);

    // The next record; false at the end of the input. Reuses the record's
    // strings, so that reading does not allocate once they have grown.
    bool next(CsvRecord &record);

    // The input could not be read to its end (not the end of the file).
    bool readFailed() const { return readFailed_; }
    // A record ran on past kLongestSkipped: the rest of the input was not read.
    bool abandoned() const { return abandoned_; }

  private:
    enum class Skip { None, ToLineEnd, ToRecordEnd };

    int peek();
    int get();
    bool fill();
    bool skipRestOfRecord();
    void skipLater(bool quoteAware, bool quoted);
    void endCell(CsvRecord &record);
    void appendPlainRun(std::string &cell, bool quoted);

    std::istream &in_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::size_t line_ = 1;
    std::size_t recordBytes_ = 0;
    bool started_ = false;
    bool readFailed_ = false;
    bool abandoned_ = false;
    Skip skip_ = Skip::None; // the rest of the last record is still to be skipped
    bool quotedAtSkip_ = false;
};

// Appends cells as one record: a cell is quoted when it holds a comma, a
// quote, a line break or a blank at either end; records end in CR LF.
void AppendCsvCell(std::string &out, std::string_view cell);
void AppendCsvRecordEnd(std::string &out);
