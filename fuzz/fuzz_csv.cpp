// The CSV reader on any bytes: it never crashes or hangs, every record has a
// cell, and a record it accepts reads back the same after writing it out.
#include "csv_reader.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    CsvReader reader(in);
    CsvRecord record;
    std::size_t lastLine = 0;
    while (reader.next(record)) {
        FUZZ_CHECK(record.size() >= 1);
        FUZZ_CHECK(record.line > lastLine);
        lastLine = record.line;
        if (!record.error.empty()) {
            continue;
        }
        // A first line of its own, so that a cell starting like a byte order
        // mark is not taken for one.
        std::string written = "x\r\n";
        for (std::size_t i = 0; i < record.size(); ++i) {
            FUZZ_CHECK(IsUtf8(record[i]));
            if (i > 0) {
                written += ',';
            }
            AppendCsvCell(written, record[i]);
        }
        AppendCsvRecordEnd(written);
        std::istringstream again(written);
        CsvReader rereader(again);
        CsvRecord first;
        CsvRecord copy;
        FUZZ_CHECK(rereader.next(first) && rereader.next(copy));
        FUZZ_CHECK(copy.error.empty() && copy.size() == record.size());
        for (std::size_t i = 0; i < record.size(); ++i) {
            FUZZ_CHECK(copy[i] == record[i]);
        }
        FUZZ_CHECK(!rereader.next(copy));
    }
    return 0;
}
