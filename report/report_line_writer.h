#pragma once

#include <string>
#include <string_view>

// Writes report lines element by element and keeps the print position the
// tabs measure against. The position is 1 at the start of a line and grows by
// one per character: a CJK character is one column like an ASCII one.
class ReportLineWriter {
  public:
    explicit ReportLineWriter(std::string_view decimalSeparator) : separator_(decimalSeparator) {}

    // Text exactly as given (UTF-8).
    ReportLineWriter &Text(std::string_view text);
    // The general number: sign position, the value, one trailing space.
    ReportLineWriter &General(float value);
    // Pads with spaces up to column n; beyond n the line ends and the new one
    // is indented to column n.
    ReportLineWriter &Tab(int column);
    // Ends the line with CR LF.
    ReportLineWriter &EndLine();

    const std::string &Written() const { return text_; }

  private:
    std::string text_;
    std::string_view separator_;
    int position_ = 1;
};
