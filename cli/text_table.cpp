#include "text_table.h"

#include "display_width.h"

#include <algorithm>

TextTable::TextTable(std::vector<bool> rightAligned) : rightAligned_(std::move(rightAligned)) {}

void TextTable::AddRow(std::vector<std::string> cells) {
    rows_.push_back(std::move(cells));
}

void TextTable::Write(std::ostream &out, const std::string &indent) const {
    std::vector<std::size_t> widths;
    for (const auto &row : rows_) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], DisplayWidth(row[i]));
        }
    }
    for (const auto &row : rows_) {
        std::string line = indent;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            const bool right = i < rightAligned_.size() && rightAligned_[i];
            if (i > 0) {
                line += "  ";
            }
            if (right) {
                line += PadLeft(row[i], widths[i]);
            } else {
                line += last ? row[i] : PadRight(row[i], widths[i]);
            }
        }
        line.erase(line.find_last_not_of(' ') + 1); // an empty last cell leaves none
        out << line << '\n';
    }
}
