#include "headless/SceneSources.h"
#include "headless/MonotonicClock.h"
#include "hostlib/HostControl.h"

#include <algorithm>

bool ResolveSourceClasses(const std::vector<SceneSourceEntry> &entries, const PluginSet &plugins,
                          std::vector<LiveSource> &sources, std::wstring &error)
{
    sources.clear();
    for (const SceneSourceEntry &entry : entries) {
        const HostSourceClass *registered = HostFindClass(entry.className.c_str());
        if (!registered || !registered->create) {
            error = L"source \"" + entry.sourceName + L"\" in scene \"" + entry.sceneName + L"\": class \"" +
                    entry.className + L"\" is not registered by any plug-in";
            return false;
        }
        LiveSource &source = sources.emplace_back();
        source.entry = entry;
        source.create = registered->create;
        source.configure = registered->configure;
        source.plugin = plugins.OwnerOf(entry.className);
    }
    return true;
}

void ConfigureNewSources(std::vector<LiveSource> &sources)
{
    for (LiveSource &source : sources) {
        XElement *element = source.entry.element;
        if (element->GetInt(L"new") == 0)
            continue;
        if (source.configure)
            source.configure(element, true);
        element->RemoveItem(L"new");
    }
}

double CreateSources(std::vector<LiveSource> &sources, bool rasterise)
{
    double longestRasterise = 0.0;
    for (LiveSource &source : sources) {
        XElement *element = source.entry.element;
        source.source = source.create(DataElementOf(element));
        source.position = Vect2(element->GetFloat(L"x"), element->GetFloat(L"y"));
        const Vect2 ownSize = source.source ? source.source->GetSize() : Vect2();
        source.size = Vect2(element->HasItem(L"cx") ? element->GetFloat(L"cx") : ownSize.x,
                            element->HasItem(L"cy") ? element->GetFloat(L"cy") : ownSize.y);
        if (rasterise && source.source && source.plugin && source.plugin->rasterise) {
            const double start = MonotonicSeconds();
            source.plugin->rasterise(source.source);
            longestRasterise = std::max(longestRasterise, (MonotonicSeconds() - start) * 1000.0);
        }
    }
    return longestRasterise;
}

void BeginScene(std::vector<LiveSource> &sources, const std::wstring &scene)
{
    for (LiveSource &source : sources)
        if (source.source && source.entry.sceneName == scene)
            source.source->BeginScene();
}

void EndScene(std::vector<LiveSource> &sources, const std::wstring &scene)
{
    for (LiveSource &source : sources)
        if (source.source && source.entry.sceneName == scene)
            source.source->EndScene();
}

void DestroySources(std::vector<LiveSource> &sources)
{
    for (LiveSource &source : sources) {
        delete source.source;
        source.source = nullptr;
    }
}

namespace {

std::string EffectiveSettingsOf(const LiveSource &source)
{
    DescribeSourceSettingsProc describe = source.plugin->describeSettings;
    if (!describe)
        return {};
    std::string json(4096, '\0');
    int length = describe(source.source, json.data(), static_cast<int>(json.size()));
    if (length >= static_cast<int>(json.size())) {
        json.assign(std::min<size_t>(static_cast<size_t>(length), 1u << 24) + 1, '\0');
        length = describe(source.source, json.data(), static_cast<int>(json.size()));
    }
    if (length < 0)
        return {};
    json.resize(std::min(static_cast<size_t>(length), json.size() - 1));
    return json;
}

} // namespace

SourceDescription DescribeLiveSource(const LiveSource &source)
{
    SourceDescription description;
    if (!source.source || !source.plugin)
        return description;
    description.effectiveSettings = EffectiveSettingsOf(source);
    if (!source.plugin->describe)
        return description;
    std::wstring text(1024, L'\0');
    int length = source.plugin->describe(source.source, text.data(), static_cast<int>(text.size()),
                                         &description.textureWidth, &description.textureHeight);
    if (length < 0)
        return description;   // not one of this plug-in's sources after all
    if (length >= static_cast<int>(text.size())) {
        // Bounded, so a wild length cannot ask for gigabytes.
        text.assign(std::min<size_t>(static_cast<size_t>(length), 1u << 24) + 1, L'\0');
        length = source.plugin->describe(source.source, text.data(), static_cast<int>(text.size()),
                                         &description.textureWidth, &description.textureHeight);
        if (length < 0)
            return description;
    }
    text.resize(std::min(static_cast<size_t>(length), text.size() - 1));
    description.available = true;
    description.text = text;
    return description;
}
