#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry of the report's reference list: the source by name (a standard,
// a handbook table, a maker's sheet) and where it can be read, if anywhere.
struct CitedSource {
    std::string key; // what makes two citations one source: the address or the designation
    std::string name;
    std::string address; // empty for a standard or a book cited by name
};

// The numbered reference list at the end of the report, in the order the
// sources are first cited; a source cited again keeps its number.
class ReferenceList {
  public:
    // The 1-based number of the source, added if it is new. A standard cited
    // again by a longer designation (with its year) takes that name.
    int Cite(const CitedSource &source);
    const std::vector<CitedSource> &sources() const { return sources_; }

  private:
    std::vector<CitedSource> sources_;
};

// A clause as a calculation book prints it: every web address moves into the
// list, the source it belonged to keeps its name in the text followed by its
// number ("[2]"), and each standard or handbook named is cited once, by
// number, where the text first names it.
std::string CiteSources(std::string_view text, ReferenceList &list);

// The numbers of the sources with a web address in text, each cited in the
// list, for a provenance too long to print in a row (a material's data).
std::vector<int> CiteAddressedSources(std::string_view text, ReferenceList &list);

// "[1]", "[1, 3]", "" for no numbers.
std::string CitationMark(const std::vector<int> &numbers);
