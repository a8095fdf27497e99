#pragma once

#include "design_search.h"

#include <optional>
#include <string>

// The folder of --save-designs: the search's listed designs as design files
// design-001.json, design-002.json, ... and designs.csv, the index of what
// was written. A folder that holds anything is refused before the search
// runs; with replace, our own earlier files (design-*.json, designs.csv) are
// removed first and anything else still refuses it, so that a folder never
// mixes two searches.
class DesignsFolder {
  public:
    DesignsFolder(std::string folder, bool replace)
        : folder_(std::move(folder)), replace_(replace) {}

    // Before the search: a message when the folder cannot take the designs.
    std::optional<std::string> check() const;

    // After the search: each listed design, then the index.
    std::optional<std::string> save(const SearchOutcome &outcome, const SearchRequest &request,
                                    const std::optional<std::string> &materialsFile) const;

  private:
    std::string folder_;
    bool replace_;
};
