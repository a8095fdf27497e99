// Writes the two sample reports into a folder, for the parser and the
// browser tests.
#include "report_samples.h"

#include <filesystem>
#include <iostream>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: write_sample_reports FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto &[name, input] : {std::pair{"compression.html", SampleCompressionReport()},
                                      std::pair{"extension.html", ExtensionExampleReport()}}) {
        if (auto error = WriteEngineeringReport(folder + "/" + name, input)) {
            std::cerr << *error << '\n';
            return 1;
        }
    }
    return 0;
}
