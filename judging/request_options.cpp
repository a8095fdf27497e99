#include "request_options.h"

#include "check_options.h"
#include "design_options.h"
#include "material_options.h"
#include "torsion_options.h"

#include <algorithm>

const std::vector<const RequestOptionGroup *> &RequestOptionGroups() {
    static const std::vector<const RequestOptionGroup *> groups = {
        &DesignOptionGroup(), &MaterialOptionGroup(), &CheckOptionGroup(), &TorsionOptionGroup()};
    return groups;
}

const RequestOption *FindRequestOption(std::string_view name) {
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        const auto it = std::find_if(group->begin(), group->end(),
                                     [&](const RequestOption &o) { return o.name == name; });
        if (it != group->end()) {
            return &*it;
        }
    }
    return nullptr;
}
