#include "source_citations.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::string_view kFullComma = "，";
constexpr std::string_view kFullColon = "：";
constexpr std::string_view kFullSemicolon = "；";
constexpr std::string_view kFullStop = "。";
constexpr std::string_view kFullOpen = "（";
constexpr std::string_view kFullClose = "）";

// A change to the clause: bytes [from, to) become insert.
struct Edit {
    std::size_t from = 0;
    std::size_t to = 0;
    std::string insert;
};

bool IsAddressByte(unsigned char c) {
    static constexpr std::string_view kEnds = " \t\r\n()[]{}<>;,\"'";
    return c < 0x80 && kEnds.find(static_cast<char>(c)) == std::string_view::npos;
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(std::string_view text, std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

std::size_t DigitsEnd(std::string_view text, std::size_t at) {
    while (IsDigit(text, at)) {
        ++at;
    }
    return at;
}

// The start of the UTF-8 character that ends at `end`.
std::size_t CharacterBefore(std::string_view text, std::size_t end) {
    std::size_t at = end - 1;
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) {
        --at;
    }
    return at;
}

bool IsOpen(std::string_view ch) {
    return ch == "(" || ch == kFullOpen;
}
bool IsClose(std::string_view ch) {
    return ch == ")" || ch == kFullClose;
}
bool IsSeparator(std::string_view ch) {
    return ch == ";" || ch == kFullSemicolon || ch == kFullStop;
}

std::string_view Trimmed(std::string_view text) {
    bool changed = true;
    while (changed && !text.empty()) {
        changed = false;
        for (std::string_view edge : {std::string_view(" "), kFullComma, std::string_view(","),
                                      kFullColon, std::string_view(":")}) {
            if (text.substr(0, edge.size()) == edge) {
                text.remove_prefix(edge.size());
                changed = true;
            }
            if (text.size() >= edge.size() && text.substr(text.size() - edge.size()) == edge) {
                text.remove_suffix(edge.size());
                changed = true;
            }
        }
    }
    return text;
}

// A source as the list names it, without the figure the text took from it
// ("G 与使用温度：", "E 取 ").
std::string_view WithoutFigureLabel(std::string_view name) {
    constexpr std::size_t kLongestLabel = 24; // bytes: a few Chinese words
    const std::size_t colon = name.find(kFullColon);
    if (colon != std::string_view::npos && colon <= kLongestLabel) {
        return Trimmed(name.substr(colon + kFullColon.size()));
    }
    constexpr std::string_view kTaken = "取 ";
    const std::size_t taken = name.find(kTaken);
    if (taken != std::string_view::npos && taken <= 4) {
        return Trimmed(name.substr(taken + kTaken.size()));
    }
    return name;
}

// Where a source's description begins: after the last separator before `at`
// outside brackets. `opener` is the bracket that encloses `at`, if any.
std::size_t DescriptionStart(std::string_view text, std::size_t at,
                             std::optional<std::size_t> &opener) {
    int depth = 0;
    while (at > 0) {
        const std::size_t before = CharacterBefore(text, at);
        const std::string_view ch = text.substr(before, at - before);
        if (IsClose(ch)) {
            ++depth;
        } else if (IsOpen(ch)) {
            if (depth == 0 && !opener) {
                opener = before;
            }
            depth = std::max(0, depth - 1);
        } else if (depth == 0 && IsSeparator(ch)) {
            return at;
        }
        at = before;
    }
    return 0;
}

// Just past the bracket that closes the group `from` lies in; npos if a
// separator comes first.
std::size_t GroupEnd(std::string_view text, std::size_t from) {
    int depth = 0;
    for (std::size_t at = from; at < text.size();) {
        std::size_t next = at + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
            ++next;
        }
        const std::string_view ch = text.substr(at, next - at);
        if (IsOpen(ch)) {
            ++depth;
        } else if (IsClose(ch)) {
            if (depth == 0) {
                return next;
            }
            --depth;
        } else if (depth == 0 && IsSeparator(ch)) {
            return std::string_view::npos;
        }
        at = next;
    }
    return std::string_view::npos;
}

std::size_t AddressStart(std::string_view text, std::size_t from) {
    const std::size_t http = text.find("http://", from);
    const std::size_t https = text.find("https://", from);
    return std::min(http, https);
}

std::size_t AddressEnd(std::string_view text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && IsAddressByte(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    while (end > start && text[end - 1] == '.') {
        --end; // the sentence's full stop, not the address's
    }
    return end;
}

// Back over the comma or colon that led into the address.
std::size_t LeadStart(std::string_view text, std::size_t at) {
    while (at > 0 && text[at - 1] == ' ') {
        --at;
    }
    for (std::string_view lead :
         {kFullComma, kFullColon, std::string_view(","), std::string_view(":")}) {
        if (at >= lead.size() && text.substr(at - lead.size(), lead.size()) == lead) {
            at -= lead.size();
            break;
        }
    }
    while (at > 0 && text[at - 1] == ' ') {
        --at;
    }
    return at;
}

// The text with every web address (and what led into it) taken out.
std::string WithoutAddresses(std::string_view text) {
    std::string kept;
    std::size_t from = 0;
    for (std::size_t at = AddressStart(text, 0); at != std::string_view::npos;
         at = AddressStart(text, from)) {
        const std::size_t lead = std::max(from, LeadStart(text, at));
        kept.append(text.substr(from, lead - from));
        from = AddressEnd(text, at);
    }
    kept.append(text.substr(from));
    return kept;
}

bool IsBlank(std::string_view text) {
    return Trimmed(text).empty();
}

// One address cited: the bytes that leave the text, where its number goes
// (after the description) and the span the description covers (no standard
// in it is cited again).
struct AddressCitation {
    std::size_t removeFrom = 0;
    std::size_t removeTo = 0;
    std::size_t markAt = 0;
    std::size_t describedFrom = 0;
    CitedSource source;
};

AddressCitation CiteAddress(std::string_view text, std::size_t at) {
    const std::size_t end = AddressEnd(text, at);
    const std::size_t lead = LeadStart(text, at);
    std::optional<std::size_t> opener;
    const std::size_t start = std::min(DescriptionStart(text, at, opener), lead);
    const std::size_t close = opener ? GroupEnd(text, end) : std::string_view::npos;
    AddressCitation cited{lead, end, lead, start, {}};
    cited.source.address = std::string(text.substr(at, end - at));
    cited.source.key = cited.source.address;
    std::string name = std::string(text.substr(start, lead - start));
    if (close != std::string_view::npos) {
        const std::size_t closing = CharacterBefore(text, close);
        const std::size_t inside = *opener + (text[*opener] == '(' ? 1 : kFullOpen.size());
        if (IsBlank(text.substr(inside, lead - inside)) &&
            IsBlank(text.substr(end, closing - end))) {
            // "（address）" alone: the brackets go too.
            cited.removeFrom = cited.markAt = *opener;
            while (cited.removeFrom > start && text[cited.removeFrom - 1] == ' ') {
                cited.markAt = --cited.removeFrom;
            }
            cited.removeTo = close;
            name = std::string(text.substr(start, *opener - start));
        } else {
            cited.markAt = close;
            name += std::string(text.substr(end, close - end));
        }
    }
    cited.source.name = std::string(WithoutFigureLabel(Trimmed(WithoutAddresses(name))));
    return cited;
}

// Standards and books named in clauses, with the titles the list gives them.
struct KnownTitle {
    std::string_view key;
    std::string_view title;
};
constexpr std::array<KnownTitle, 4> kTitles{{
    {"GB/T 23935", "《圆柱螺旋弹簧设计计算》"},
    {"GB/T 1239.6", "《圆柱螺旋弹簧设计计算》"},
    {"GB/T 1239.2", "《冷卷圆柱螺旋弹簧技术条件 第2部分: 压缩弹簧》"},
    {"EN 13906-1", "Cylindrical helical springs made from round wire and bar — Calculation and "
                   "design — Part 1: Compression springs"},
}};

struct NamedBook {
    std::string_view mention;
    std::string_view name;
};
constexpr std::array<NamedBook, 2> kBooks{{
    {"机械设计手册", "机械设计手册"},
    {"Shigley", "Shigley's Mechanical Engineering Design"},
}};

// A standard's designation at `at` ("GB/T 1239.6-1992", "EN 13906-1"): its
// end and its key (the designation without the year).
struct Designation {
    std::size_t end = 0;
    std::string key;
};

std::optional<Designation> DesignationAt(std::string_view text, std::size_t at) {
    static constexpr std::array<std::string_view, 6> kPrefixes{"GB/T ", "GB ",  "JB/T ",
                                                               "EN ",   "ISO ", "DIN "};
    if (at > 0 && (IsAsciiAlnum(text[at - 1]) || text[at - 1] == '/')) {
        return std::nullopt;
    }
    for (std::string_view prefix : kPrefixes) {
        if (text.substr(at, prefix.size()) != prefix || !IsDigit(text, at + prefix.size())) {
            continue;
        }
        std::size_t end = DigitsEnd(text, at + prefix.size());
        if (text.substr(end, 1) == "." && IsDigit(text, end + 1)) {
            end = DigitsEnd(text, end + 1);
        }
        // "-1" is a part, "-2009" the year.
        if (text.substr(end, 1) == "-" && DigitsEnd(text, end + 1) - end - 1 <= 2 &&
            IsDigit(text, end + 1)) {
            end = DigitsEnd(text, end + 1);
        }
        const std::size_t keyEnd = end;
        if (text.substr(end, 1) == "-" && DigitsEnd(text, end + 1) - end - 1 == 4) {
            end = DigitsEnd(text, end + 1);
        }
        return Designation{end, std::string(text.substr(at, keyEnd - at))};
    }
    return std::nullopt;
}

CitedSource NamedSource(std::string key, std::string_view mention) {
    std::string name(mention);
    for (const KnownTitle &known : kTitles) {
        if (known.key == key) {
            name += " " + std::string(known.title);
        }
    }
    return {std::move(key), std::move(name), ""};
}

std::vector<AddressCitation> AddressCitations(std::string_view text) {
    std::vector<AddressCitation> cited;
    for (std::size_t at = AddressStart(text, 0); at != std::string_view::npos;
         at = AddressStart(text, AddressEnd(text, at))) {
        cited.push_back(CiteAddress(text, at));
    }
    return cited;
}

std::string Applied(std::string_view text, std::vector<Edit> edits) {
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit &a, const Edit &b) { return a.from < b.from; });
    std::string out;
    std::size_t from = 0;
    for (const Edit &edit : edits) {
        if (edit.from < from) {
            continue; // overlaps an earlier edit
        }
        out.append(text.substr(from, edit.from - from));
        out += edit.insert;
        from = edit.to;
    }
    out.append(text.substr(from));
    return out;
}

} // namespace

int ReferenceList::Cite(const CitedSource &source) {
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        if (sources_[i].key == source.key) {
            if (source.address.empty() && source.name.size() > sources_[i].name.size()) {
                sources_[i].name = source.name;
            }
            return static_cast<int>(i) + 1;
        }
    }
    sources_.push_back(source);
    return static_cast<int>(sources_.size());
}

std::string CitationMark(const std::vector<int> &numbers) {
    std::string mark;
    for (int number : numbers) {
        mark += (mark.empty() ? "[" : ", ") + std::to_string(number);
    }
    return mark.empty() ? mark : mark + "]";
}

std::vector<int> CiteAddressedSources(std::string_view text, ReferenceList &list) {
    std::vector<int> numbers;
    for (const AddressCitation &cited : AddressCitations(text)) {
        const int number = list.Cite(cited.source);
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

std::string CiteSources(std::string_view text, ReferenceList &list) {
    std::vector<Edit> edits;
    std::vector<std::pair<std::size_t, std::size_t>> described;
    for (const AddressCitation &cited : AddressCitations(text)) {
        const std::string mark = CitationMark({list.Cite(cited.source)});
        if (cited.markAt >= cited.removeFrom && cited.markAt <= cited.removeTo) {
            edits.push_back({cited.removeFrom, cited.removeTo, mark});
        } else {
            edits.push_back({cited.removeFrom, cited.removeTo, ""});
            edits.push_back({cited.markAt, cited.markAt, mark});
        }
        described.emplace_back(cited.describedFrom, std::max(cited.markAt, cited.removeTo));
    }
    const auto inDescription = [&described](std::size_t at) {
        return std::any_of(described.begin(), described.end(),
                           [at](const auto &span) { return at >= span.first && at < span.second; });
    };
    std::vector<std::string> citedHere;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (inDescription(at)) {
            continue;
        }
        std::optional<std::pair<std::size_t, CitedSource>> named;
        if (const auto designation = DesignationAt(text, at)) {
            named = {designation->end,
                     NamedSource(designation->key, text.substr(at, designation->end - at))};
        }
        for (const NamedBook &book : kBooks) {
            if (text.substr(at, book.mention.size()) == book.mention) {
                named = {at + book.mention.size(),
                         CitedSource{std::string(book.name), std::string(book.name), ""}};
            }
        }
        if (!named) {
            continue;
        }
        const auto &[end, source] = *named;
        if (std::find(citedHere.begin(), citedHere.end(), source.key) == citedHere.end()) {
            citedHere.push_back(source.key);
            edits.push_back({end, end, CitationMark({list.Cite(source)})});
        }
        at = end - 1;
    }
    return Applied(text, std::move(edits));
}
