#include "report_line_writer.h"

#include "number_format.h"

namespace {

// Characters, not bytes: every UTF-8 byte that does not continue a sequence
// starts a new character.
int CharacterCount(std::string_view utf8) {
    int count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
            ++count;
        }
    }
    return count;
}

} // namespace

ReportLineWriter &ReportLineWriter::Text(std::string_view text) {
    text_.append(text);
    position_ += CharacterCount(text);
    return *this;
}

ReportLineWriter &ReportLineWriter::General(float value) {
    return Text(FormatGeneralForReport(value, separator_));
}

ReportLineWriter &ReportLineWriter::Tab(int column) {
    if (position_ > column) {
        EndLine();
    }
    text_.append(static_cast<std::size_t>(column - position_), ' ');
    position_ = column;
    return *this;
}

ReportLineWriter &ReportLineWriter::EndLine() {
    text_.append("\r\n");
    position_ = 1;
    return *this;
}
