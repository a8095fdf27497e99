#pragma once

#include <optional>
#include <string_view>

// What kind of source a figure comes from, so that a designer can weigh it:
// a standard's own table outranks a wire maker's sheet or a handbook page,
// and two third-party transcriptions count only where they agree.
enum class Provenance {
    Unmarked,       // the file does not say
    StandardTable,  // the standard's own table
    MakerSheet,     // a wire or spring maker's data sheet
    Handbook,       // a handbook or textbook page
    Transcriptions, // independent public transcriptions that agree
    UserFile,       // the user's own materials file
};

// "standard-table", "maker-sheet", "handbook", "transcriptions", "user-file";
// "" for Unmarked: the words of the file and of tsv and JSON output.
const char *ProvenanceName(Provenance provenance);
std::optional<Provenance> ProvenanceFromName(std::string_view name);

// "标准表", "厂家资料", "手册", "转录一致", "用户文件"; "" for Unmarked.
const char *ProvenanceCaption(Provenance provenance);
