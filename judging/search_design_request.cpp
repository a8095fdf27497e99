#include "search_design_request.h"

#include "request_options.h"
#include "search_json.h"

#include <stdexcept>

std::optional<std::string> StoreArguments(const std::vector<std::string> &arguments,
                                          DesignRequest &request) {
    for (const std::string &argument : arguments) {
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(2, equals - 2);
        const RequestOption *option = FindRequestOption(name);
        if (option == nullptr) {
            throw std::logic_error("the search reproduces a design with an unknown option " + name);
        }
        if (auto refused = option->store(
                request, equals == std::string::npos ? "1" : argument.substr(equals + 1))) {
            return "--" + name + ": " + *refused;
        }
    }
    return std::nullopt;
}

DesignRequest SearchDesignRequest(const EvaluatedDesign &design, const SearchRequest &request,
                                  const std::optional<std::string> &materialsFile) {
    DesignRequest designRequest;
    StoreArguments(ReproducingArguments(design, request), designRequest);
    designRequest.materials.materialsFile = materialsFile;
    return designRequest;
}
