#pragma once

#include <ostream>
#include <string>
#include <vector>

// Rows of cells written in columns two spaces apart, each column as wide as
// its widest cell in terminal columns (a Chinese character takes two), so that
// a designer can scan them. Numbers go in right-aligned columns; the last
// column is never padded, so no line ends in spaces.
class TextTable {
  public:
    explicit TextTable(std::vector<bool> rightAligned = {});
    void AddRow(std::vector<std::string> cells);
    void Write(std::ostream &out, const std::string &indent = "") const;

  private:
    std::vector<bool> rightAligned_;
    std::vector<std::vector<std::string>> rows_;
};
