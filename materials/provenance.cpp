#include "provenance.h"

#include <array>

namespace {

struct Words {
    Provenance provenance;
    const char *name;
    const char *caption;
};

constexpr std::array<Words, 5> kWords{{
    {Provenance::StandardTable, "standard-table", "标准表"},
    {Provenance::MakerSheet, "maker-sheet", "厂家资料"},
    {Provenance::Handbook, "handbook", "手册"},
    {Provenance::Transcriptions, "transcriptions", "转录一致"},
    {Provenance::UserFile, "user-file", "用户文件"},
}};

} // namespace

const char *ProvenanceName(Provenance provenance) {
    for (const Words &words : kWords) {
        if (words.provenance == provenance) {
            return words.name;
        }
    }
    return "";
}

std::optional<Provenance> ProvenanceFromName(std::string_view name) {
    for (const Words &words : kWords) {
        if (name == words.name) {
            return words.provenance;
        }
    }
    return std::nullopt;
}

const char *ProvenanceCaption(Provenance provenance) {
    for (const Words &words : kWords) {
        if (words.provenance == provenance) {
            return words.caption;
        }
    }
    return "";
}
