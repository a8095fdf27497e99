#include "material_options.h"

namespace {

RequestOptionGroup MakeGroup() {
    RequestOptionGroup group;
    group.push_back({"from-material", "",
                     "切变模量和许用切应力取自材料表 (--material 须为已知牌号; 见 orsela-cli "
                     "materials)",
                     [](DesignRequest &request, std::string_view text) {
                         request.materials.fromMaterial = !text.empty();
                         return std::optional<std::string>();
                     },
                     [](const DesignRequest &request) {
                         return std::optional<std::string>(request.materials.fromMaterial ? "1"
                                                                                          : "");
                     }});
    group.push_back(
        {"load-type", "static|dynamic-limited|dynamic-unlimited",
         "许用切应力的负荷类型 (不给: 按 --load-cycles, 没有循环次数为 static)",
         [](DesignRequest &request, std::string_view text) -> std::optional<std::string> {
             const std::optional<LoadType> load = LoadTypeFromName(std::string(text));
             if (!load) {
                 return "只能是 static、dynamic-limited 或 dynamic-unlimited";
             }
             request.materials.loadType = *load;
             return std::nullopt;
         },
         [](const DesignRequest &request) {
             return request.materials.loadType
                        ? std::optional<std::string>(LoadTypeName(*request.materials.loadType))
                        : std::nullopt;
         }});
    group.push_back({"materials-file", "FILE", "另外读入的材料文件 (补充或替换牌号)",
                     [](DesignRequest &request, std::string_view text) {
                         request.materials.materialsFile = std::string(text);
                         return std::optional<std::string>();
                     },
                     [](const DesignRequest &request) { return request.materials.materialsFile; }});
    return group;
}

} // namespace

const RequestOptionGroup &MaterialOptionGroup() {
    static const RequestOptionGroup group = MakeGroup();
    return group;
}
