#include "headless/RunSummary.h"
#include "win/Text.h"

using Json = nlohmann::ordered_json;

namespace {

Json TextOrNull(const std::wstring &text)
{
    return text.empty() ? Json(nullptr) : Json(win::Utf8FromWide(text));
}

Json TextList(const std::vector<std::wstring> &texts)
{
    Json list = Json::array();
    for (const std::wstring &text : texts)
        list.push_back(win::Utf8FromWide(text));
    return list;
}

Json ClassList(const std::vector<RegisteredClass> &classes)
{
    Json list = Json::array();
    for (const RegisteredClass &registered : classes)
        list.push_back({{"class", win::Utf8FromWide(registered.className)}, {"displayName", win::Utf8FromWide(registered.displayName)}});
    return list;
}

Json SourceJson(const SourceSummary &source)
{
    Json json;
    json["scene"] = win::Utf8FromWide(source.scene);
    json["name"] = win::Utf8FromWide(source.name);
    json["class"] = win::Utf8FromWide(source.className);
    json["x"] = source.x;
    json["y"] = source.y;
    json["cx"] = source.cx;
    json["cy"] = source.cy;
    json["created"] = source.created;
    json["text"] = source.described ? Json(win::Utf8FromWide(source.text)) : Json(nullptr);
    json["textureWidth"] = source.described ? Json(source.textureWidth) : Json(nullptr);
    json["textureHeight"] = source.described ? Json(source.textureHeight) : Json(nullptr);
    json["settings"] = source.settings;
    json["effectiveSettings"] = source.effectiveSettings;
    return json;
}

} // namespace

std::string SummaryJson(const RunSummary &summary)
{
    Json json;
    json["frames"] = summary.frames;
    json["fps"] = summary.fps;
    json["size"] = {{"width", summary.width}, {"height", summary.height}};
    json["pngEvery"] = summary.pngEvery;
    json["pngWritten"] = summary.pngWritten;
    json["gif"] = TextOrNull(summary.gifPath);
    json["gifFrames"] = summary.gifFrames;
    json["video"] = TextOrNull(summary.videoPath);
    json["videoFrames"] = summary.videoFrames;

    Json plugins = Json::array();
    for (const PluginSummary &plugin : summary.plugins)
        plugins.push_back({{"file", win::Utf8FromWide(plugin.fileName)},
                           {"name", TextOrNull(plugin.name)},
                           {"loaded", plugin.loaded},
                           {"problem", TextOrNull(plugin.problem)},
                           {"classes", ClassList(plugin.classes)}});
    json["plugins"] = plugins;
    json["registeredClasses"] = ClassList(summary.registeredClasses);

    Json sources = Json::array();
    for (const SourceSummary &source : summary.sources)
        sources.push_back(SourceJson(source));
    json["sources"] = sources;
    Json liveScenes = Json::array();
    for (const SceneSwitch &live : summary.liveScenes)
        liveScenes.push_back({{"frame", live.frame}, {"scene", win::Utf8FromWide(live.scene)}});
    json["liveScenes"] = liveScenes;

    json["liveBlocksBeforeSources"] = summary.liveBlocksBeforeSources;
    json["liveBlocksAtExit"] = summary.liveBlocksAtExit;
    json["warnings"] = TextList(summary.warnings);
    json["messageBoxes"] = TextList(summary.messageBoxes);
    json["maxFrameMilliseconds"] = summary.maxFrameMilliseconds;
    json["rasteriseMilliseconds"] = summary.rasteriseMilliseconds;
    json["sceneFileSaved"] = summary.sceneFileSaved;
    json["error"] = TextOrNull(summary.error);
    // Text from plug-ins may hold broken UTF-16; it is replaced rather than failing the dump.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Json SavedSourceSettings(const std::string &sceneFileJson, const std::wstring &scene, const std::wstring &source)
{
    const Json tree = Json::parse(sceneFileJson, nullptr, false);
    if (tree.is_discarded() || !tree.is_object())
        return nullptr;
    const std::string keys[] = {"scenes", win::Utf8FromWide(scene), "sources", win::Utf8FromWide(source), "data"};
    const Json *node = &tree;
    for (const std::string &key : keys) {
        if (!node->is_object() || !node->contains(key))
            return nullptr;
        node = &node->at(key);
    }
    return *node;
}
