#pragma once

#include "design_request.h"
#include "design_search.h"
#include "torsion_search.h"

#include <optional>
#include <string>
#include <vector>

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
    // The same for a torsion search: each file what the design's own
    // command writes with --save-design (its arguments name any materials file).
    std::optional<std::string> save(const TorsionSearchOutcome &outcome) const;

  private:
    // One design to write: its request, whether it qualified, its index cells.
    struct Listed {
        DesignRequest request;
        bool qualified = false;
        std::vector<std::string> cells;
    };
    std::optional<std::string> write(const std::vector<Listed> &designs,
                                     const std::string &indexHeader) const;

    std::string folder_;
    bool replace_;
};
