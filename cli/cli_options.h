#pragma once

#include "spring_design.h"

#include <optional>
#include <string>
#include <vector>

enum class OutputFormat { Text, Tsv };

// One numeric option of the command line and the window field it stands for.
struct NumericOption {
    const char *name;        // without the leading "--"
    const char *designField; // SpringDesign member, also the key of the field rules
    const char *defaultText; // the window's designed text
};

const std::vector<NumericOption> &NumericOptions();

struct CliOptions {
    std::string material = "70-C";
    std::vector<std::string> numericTexts; // parallel to NumericOptions()
    bool extension = false;
    bool knownLoads = false;
    bool initialTensionGiven = false;
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> reportPath;
    bool help = false;
};

// Parses argv. On a usage error returns nothing and sets error.
std::optional<CliOptions> ParseCliOptions(const std::vector<std::string> &args, std::string &error);

std::string CliUsage();
