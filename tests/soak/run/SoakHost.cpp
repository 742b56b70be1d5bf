#include "SoakHost.h"

#include "headless/HostPaths.h"
#include "headless/MonotonicClock.h"
#include "headless/SceneCollection.h"
#include "hostlib/HostControl.h"
#include "hostlib/HostGraphicsControl.h"
#include "plugin/PluginTexts.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"
#include "win/Text.h"

#include <windows.h>

#include <algorithm>

namespace {

double Milliseconds()
{
    return MonotonicSeconds() * 1000.0;
}

// JSON string contents: backslashes and quotes escaped (paths and names only).
std::string JsonText(const std::wstring &text)
{
    std::string out;
    for (char c : win::Utf8FromWide(text)) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

SoakHostFolder::SoakHostFolder()
{
    const std::wstring folder = NewTempFolder(L"vanto_soak");
    const std::wstring bin = TestBinFolder();
    if (!MakeFolders(folder + L"plugins") || !MakeFolders(folder + L"shaders"))
        return;
    const std::pair<const wchar_t *, const wchar_t *> files[] = {
        {L"plugins\\HollinVanto.dll", L"plugins\\HollinVanto.dll"},
        {L"shaders\\DrawSolid.vShader", L"shaders\\DrawSolid.vShader"},
        {L"shaders\\DrawSolid.pShader", L"shaders\\DrawSolid.pShader"},
    };
    for (const auto &[from, to] : files)
        if (!CopyFileW((bin + from).c_str(), (folder + to).c_str(), FALSE))
            return;
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    previousFolder = current;
    if (!SetCurrentDirectoryW(folder.c_str()))
        return;
    root = folder;
}

SoakHostFolder::~SoakHostFolder()
{
    if (!previousFolder.empty())
        SetCurrentDirectoryW(previousFolder.c_str());
    if (!root.empty())
        RemoveFolderTree(root);
}

std::wstring SoakHostFolder::Path(const std::wstring &name) const
{
    return root + name;
}

std::string SoakSceneCollection(const std::vector<std::pair<std::wstring, std::wstring>> &sceneGuids,
                                const std::vector<SoakSourcePlacement> &sources)
{
    std::string json = "{\"scenes\": {";
    for (std::size_t s = 0; s < sceneGuids.size(); ++s) {
        const auto &[scene, guid] = sceneGuids[s];
        json += (s ? ", \"" : "\"") + JsonText(scene) + "\": {\"sources\": {\"sceneGuid\": \"" + JsonText(guid) + "\"";
        int index = 0;
        for (const SoakSourcePlacement &source : sources) {
            if (source.scene != scene)
                continue;
            json += ", \"" + JsonText(source.name) + "\": {\"class\": \"" + JsonText(kTextSourceClassName) +
                    "\", \"x\": 0.0, \"y\": " + std::to_string(source.y) +
                    ", \"cx\": 1280.0, \"cy\": 160.0, \"data\": {\"guid\": \"" + JsonText(guid) + "-" +
                    std::to_string(++index) + "\", \"baseSizeCX\": 1280.0, \"baseSizeCY\": 160.0";
            if (!source.file.empty())
                json += ", \"file\": \"" + JsonText(source.file) + "\"";
            json += "}}";
        }
        json += "}}";
    }
    return json + "}}\n";
}

WarningTally::WarningTally()
{
    HostSetLogToStderr(false);
    HostSetLogSink(&WarningTally::Receive, this);
}

WarningTally::~WarningTally()
{
    HostSetLogSink(nullptr, nullptr);
}

void WarningTally::Receive(int level, CTSTR line, void *context)
{
    if (level != HOST_LOG_WARNING || !line)
        return;
    // Numbers in warnings (sizes, statuses) would make every line its own kind.
    std::wstring kind(line);
    if (kind.size() > 70)
        kind.resize(70);
    auto &counts = static_cast<WarningTally *>(context)->counts;
    const auto known = std::find_if(counts.begin(), counts.end(), [&](const auto &entry) { return entry.first == kind; });
    if (known == counts.end())
        counts.emplace_back(kind, 1);
    else
        ++known->second;
}

SoakScenes::SoakScenes(const SoakHostFolder &folder, const std::wstring &sceneFile, GraphicsSystem *frameGraphics)
    : graphics(frameGraphics)
{
    if (!config.Open(sceneFile.c_str())) {
        problem = L"cannot read " + sceneFile;
        return;
    }
    if (!ListSceneSources(config.GetRootElement(), entries, problem))
        return;
    HostClearRegisteredClasses();
    plugins.LoadFolder(folder.Path(L"plugins"));
    ResolveSourceClasses(entries, plugins, sources, problem);
}

SoakScenes::~SoakScenes()
{
    Destroy();
    plugins.UnloadAll();
    HostClearRegisteredClasses();
}

void SoakScenes::Create()
{
    CreateSources(sources, false);
}

void SoakScenes::Destroy()
{
    DestroySources(sources);
}

SoakScenes::FrameTimes SoakScenes::Frame()
{
    constexpr float kSeconds = 1.0f / 30.0f;
    FrameTimes times;
    HostClearFrame(graphics, canvasColour);
    for (LiveSource &source : sources) {
        busySource = times.perSource.size();
        const double start = Milliseconds();
        if (source.source) {
            source.source->Preprocess();
            source.source->Tick(kSeconds);
            source.source->Render(source.position, source.size);
        }
        times.perSource.push_back(Milliseconds() - start);
        times.total += times.perSource.back();
    }
    return times;
}

std::wstring SoakScenes::SettingsOf(std::size_t index, bool showing) const
{
    XElement *data = DataElementOf(sources[index].entry.element);
    std::wstring text = sources[index].entry.sourceName + L":";
    for (const wchar_t *key : {L"fontSize", L"vertical", L"useTextExtents", L"extentWidth", L"extentHeight", L"wrap",
                               L"scrollMode", L"useOutline", L"mode"})
        text += std::wstring(L" ") + key + L"=" + std::to_wstring(data->GetInt(key));
    text += L" outlineSize=" + std::to_wstring(data->GetFloat(L"outlineSize"));
    text += L" font=" + std::wstring(data->GetString(L"font", L"")).substr(0, 24);
    if (!showing)
        return text;
    const SourceDescription description = DescribeLiveSource(sources[index]);
    text += L" texture=" + std::to_wstring(description.textureWidth) + L"x" + std::to_wstring(description.textureHeight);
    text += L" text=" + description.text.substr(0, 40);
    return text;
}
