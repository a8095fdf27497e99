#include "gbk_bytes.h"

#include "gbk_table_encoding.h"

std::optional<std::string> GbkBytesOf(std::string_view utf8) {
    GbkTableText gbk = EncodeGbkByTable(utf8);
    if (!gbk.ok) {
        return std::nullopt;
    }
    return std::move(gbk.bytes);
}
