// Materials files: any bytes, any text in a figure's place (numbers too
// large for a double, 400 digits, exponents of thousands) and files of
// thousands of grades. Reading never crashes, what it takes is finite, and
// every refusal names the file.
#include "fuzz_check.h"
#include "material_catalog.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const std::string kFile = "/home/u/.local/share/orsela/materials.json";

void CheckRead(const std::string &text) {
    const CatalogLoad load = ParseMaterialCatalog(text, kFile);
    FUZZ_CHECK(load.catalog.has_value() == load.error.empty());
    if (!load.catalog) {
        FUZZ_CHECK(load.error.find(kFile) != std::string::npos);
        return;
    }
    for (const MaterialEntry &entry : load.catalog->entries) {
        FUZZ_CHECK(std::isfinite(entry.shearModulus) && entry.shearModulus >= 0.0);
        for (const TensileStrengthRow &row : entry.rm) {
            FUZZ_CHECK(std::isfinite(row.wireDiameter) && std::isfinite(row.rmMin));
        }
    }
}

// A grade whose figures are all `figure`, as typed.
std::string Grade(std::size_t index, const std::string &figure) {
    return R"({"name": "G)" + std::to_string(index) +
           R"(", "standard": "s", "family": "carbon-spring-wire", "shear_modulus": )" + figure +
           R"(, "rm": [[1, )" + figure + R"(, null]], "source": "s"})";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    CheckRead(bytes);
    CheckRead(R"({"format": 1, "materials": [)" + Grade(0, bytes) + "]}");
    // The first byte says how many grades, up to about 2000: a long file.
    if (size > 0) {
        const std::size_t count = 1 + std::size_t{data[0]} * 8;
        const std::string figure = bytes.substr(1);
        std::string file = R"({"materials": [)";
        for (std::size_t i = 0; i < count; ++i) {
            file += (i == 0 ? "" : ",\n") + Grade(i, figure);
        }
        CheckRead(file + "]}");
    }
    return 0;
}
