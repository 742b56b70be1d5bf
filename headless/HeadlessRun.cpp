#include "headless/HeadlessRun.h"
#include "headless/FrameLoop.h"
#include "headless/GdiplusSession.h"
#include "headless/HostEvents.h"
#include "headless/HostPaths.h"
#include "headless/RunSummary.h"
#include "headless/SceneSources.h"
#include "hostlib/HostControl.h"
#include "hostlib/HostGraphicsControl.h"
#include "win/File.h"

#include <algorithm>

namespace {

// The software graphics system, installed as GS for as long as this lives.
class InstalledGraphics {
    GraphicsSystem *graphics;

public:
    InstalledGraphics(unsigned width, unsigned height) : graphics(HostCreateSoftwareGraphics(width, height))
    {
        HostInstallGraphics(graphics);
    }
    ~InstalledGraphics() { HostDestroySoftwareGraphics(graphics); }
    InstalledGraphics(const InstalledGraphics &) = delete;
    InstalledGraphics &operator=(const InstalledGraphics &) = delete;
    GraphicsSystem *get() const { return graphics; }
};

// Relative paths on the command line mean the folder the host was started in, before it
// moves to the root folder.
void MakePathsAbsolute(HostOptions &options)
{
    options.scenesPath = AbsolutePath(options.scenesPath);
    options.outDir = AbsolutePath(options.outDir);
    for (std::wstring *animation : {&options.gifPath, &options.videoPath})
        if (!animation->empty())
            *animation = AbsolutePath(*animation);
    options.rootDir = AbsolutePath(options.rootDir.empty() ? ProgramFolder() : options.rootDir);
}

std::wstring CheckPaths(const HostOptions &options)
{
    if (!IsFolder(options.rootDir))
        return L"root folder " + options.rootDir + L" does not exist";
    if (IsFolder(options.scenesPath))
        return L"scene file " + options.scenesPath + L" is a folder";
    if (!IsFile(options.scenesPath))
        return L"scene file " + options.scenesPath + L" does not exist";
    if (IsFile(options.outDir))
        return L"output folder " + options.outDir + L" is a file";
    for (const auto &[option, path] : {std::pair{L"--gif ", &options.gifPath}, std::pair{L"--video ", &options.videoPath}}) {
        if (path->empty())
            continue;
        if (!IsFolder(ParentFolder(*path)) && ParentFolder(*path) != options.outDir)
            return L"folder of " + *path + L" does not exist";
        if (IsFolder(*path))
            return option + *path + L" is a folder";
    }
    if (!options.gifPath.empty() && options.gifPath == options.videoPath)
        return L"--gif and --video name the same file";
    return {};
}

// The live scene at the start and at each switch, each one of the collection's; false
// naming the first that is not. The first scene is live unless one is named.
bool ChooseLiveScenes(const HostOptions &options, const std::vector<std::wstring> &names,
                      std::vector<SceneSwitch> &liveScenes, std::wstring &error)
{
    liveScenes = {{0, options.scene.empty() && !names.empty() ? names.front() : options.scene}};
    liveScenes.insert(liveScenes.end(), options.switches.begin(), options.switches.end());
    for (const SceneSwitch &live : liveScenes) {
        if (live.scene.empty() || std::find(names.begin(), names.end(), live.scene) != names.end())
            continue;
        error = L"no scene \"" + live.scene + L"\"";
        return false;
    }
    return true;
}

std::vector<PluginSummary> SummarisePlugins(const PluginSet &plugins)
{
    std::vector<PluginSummary> summaries;
    for (const PluginModule &plugin : plugins.Modules())
        summaries.push_back({plugin.fileName, plugin.name, plugin.loaded, plugin.problem, plugin.classes});
    return summaries;
}

std::vector<RegisteredClass> AllRegisteredClasses()
{
    std::vector<RegisteredClass> classes;
    for (unsigned i = 0; i < HostRegisteredClassCount(); ++i)
        if (const HostSourceClass *registered = HostRegisteredClass(i))
            classes.push_back({registered->className ? registered->className : L"",
                               registered->displayName ? registered->displayName : L""});
    return classes;
}

} // namespace

int RunHeadlessHost(HostOptions options, std::wstring &error)
{
    MakePathsAbsolute(options);
    error = CheckPaths(options);
    if (!error.empty())
        return HOST_EXIT_BAD_INPUT;

    XConfig scenes;
    if (!scenes.Open(options.scenesPath.c_str())) {
        error = L"bad scene file: " + std::wstring(scenes.LastError() ? scenes.LastError() : options.scenesPath.c_str());
        return HOST_EXIT_BAD_INPUT;
    }
    std::vector<SceneSourceEntry> entries;
    std::vector<SceneSwitch> liveScenes;
    std::wstring shapeError;
    if (!ListSceneSources(scenes.GetRootElement(), entries, shapeError)) {
        error = L"bad scene file " + options.scenesPath + L": " + shapeError;
        return HOST_EXIT_BAD_INPUT;
    }
    if (!ChooseLiveScenes(options, SceneNames(scenes.GetRootElement()), liveScenes, shapeError)) {
        error = shapeError + L" in " + options.scenesPath;
        return HOST_EXIT_BAD_INPUT;
    }

    // The plug-in finds "plugins\..." and "shaders/..." relative to the current folder.
    if (!SetCurrentDirectoryW(options.rootDir.c_str())) {
        error = L"cannot enter root folder " + options.rootDir;
        return HOST_EXIT_BAD_INPUT;
    }
    HostSetLogToStderr(!options.quiet);
    HostSetFPS(static_cast<float>(options.fps));
    HostSetBaseSize(options.width, options.height);
    GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        error = L"GDI+ did not start";
        return HOST_EXIT_FAILED;
    }
    HostEvents events;
    InstalledGraphics graphics(options.width, options.height);

    PluginSet plugins;
    plugins.LoadFolder(JoinPath(options.rootDir, L"plugins"));
    std::vector<LiveSource> sources;
    if (!ResolveSourceClasses(entries, plugins, sources, error)) {
        error = L"bad scene file " + options.scenesPath + L": " + error;
        return HOST_EXIT_BAD_INPUT;
    }

    if (!MakeFolders(options.outDir)) {
        error = L"cannot create output folder " + options.outDir;
        return HOST_EXIT_FAILED;
    }
    const std::wstring logPath = JoinPath(options.outDir, L"host.log");
    DeleteFileW(logPath.c_str());
    HostSetLogFile(logPath.c_str());

    RunSummary summary;
    summary.frames = options.frames;
    summary.fps = options.fps;
    summary.width = options.width;
    summary.height = options.height;
    summary.pngEvery = options.pngEvery;
    summary.gifPath = options.gifPath;
    summary.videoPath = options.videoPath;
    summary.liveScenes = liveScenes;

    ConfigureNewSources(sources);
    summary.liveBlocksBeforeSources = HostLiveBlocks();
    const double rasteriseMilliseconds = CreateSources(sources, options.rasterise);
    BeginScene(sources, liveScenes.front().scene);

    FrameLoopSettings loop;
    loop.frames = options.frames;
    loop.fps = options.fps;
    loop.pngEvery = options.pngEvery;
    loop.writePng = options.writePng;
    loop.outDir = options.outDir;
    loop.gifPath = options.gifPath;
    loop.videoPath = options.videoPath;
    loop.ffmpegProgram = options.ffmpegProgram;
    loop.background = options.background;
    loop.realtime = options.realtime;
    loop.progress = !options.quiet;
    loop.scene = liveScenes.front().scene;
    loop.switches = options.switches;
    const FrameLoopResult frames = RunFrames(graphics.get(), sources, loop);
    summary.pngWritten = frames.pngWritten;
    summary.gifFrames = frames.gifFrames;
    summary.videoFrames = frames.videoFrames;
    // A rebuild asked for before the first frame holds up the host like a slow frame.
    summary.rasteriseMilliseconds = rasteriseMilliseconds;
    summary.maxFrameMilliseconds = std::max(frames.maxFrameMilliseconds, rasteriseMilliseconds);
    summary.error = frames.error;

    for (const LiveSource &source : sources) {
        SourceSummary &entry = summary.sources.emplace_back();
        entry.scene = source.entry.sceneName;
        entry.name = source.entry.sourceName;
        entry.className = source.entry.className;
        entry.x = source.position.x;
        entry.y = source.position.y;
        entry.cx = source.size.x;
        entry.cy = source.size.y;
        entry.created = source.source != nullptr;
        const SourceDescription description = DescribeLiveSource(source);
        entry.described = description.available;
        entry.text = description.text;
        entry.textureWidth = description.textureWidth;
        entry.textureHeight = description.textureHeight;
        if (!description.effectiveSettings.empty())
            entry.effectiveSettings = nlohmann::ordered_json::parse(description.effectiveSettings, nullptr, false);
        if (entry.effectiveSettings.is_discarded())
            entry.effectiveSettings = nullptr;
    }

    EndScene(sources, frames.scene);
    DestroySources(sources);
    summary.liveBlocksAtExit = HostLiveBlocks();
    plugins.UnloadAll();

    summary.sceneFileSaved = scenes.Save();
    if (!summary.sceneFileSaved && summary.error.empty())
        summary.error = L"cannot save " + options.scenesPath;
    const std::optional<std::string> savedScenes =
        summary.sceneFileSaved ? win::ReadWholeFile(options.scenesPath) : std::nullopt;
    if (savedScenes)
        for (SourceSummary &source : summary.sources)
            source.settings = SavedSourceSettings(*savedScenes, source.scene, source.name);

    summary.plugins = SummarisePlugins(plugins);
    summary.registeredClasses = AllRegisteredClasses();
    summary.warnings = events.warnings;
    summary.messageBoxes = events.messageBoxes;
    HostSetLogFile(nullptr);

    const std::wstring summaryPath = JoinPath(options.outDir, L"summary.json");
    if (!win::WriteWholeFile(summaryPath, SummaryJson(summary)) && summary.error.empty())
        summary.error = L"cannot write " + summaryPath;
    error = summary.error;
    return error.empty() ? HOST_EXIT_OK : HOST_EXIT_FAILED;
}
