// The shipped plug-in driven as the real host drives it: loaded from plugins\ by a program
// built with the Microsoft C++ ABI against the host's declarations, its source made by the
// registered create callback and every ImageSource operation called through the host's
// class, in slot order. Each call must do what that operation does and nothing else; a
// plug-in whose vtable or calling convention differed from the host's would land in the
// wrong operation, return its size through the wrong register or free its memory twice.
#include "companion/blockwriter/BlockFormat.h"
#include "companion/blockwriter/SharedBlockWriter.h"
#include "host/OBSApi.h"
#include "hostlib/HostControl.h"
#include "hostlib/HostGraphicsControl.h"
#include "minitest/MiniTest.h"
#include "headless/GdiplusSession.h"

#include <objbase.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using DescribeSettingsProc = int (*)(ImageSource *, char *, int);
using DescribeSourceProc = int (*)(ImageSource *, wchar_t *, int, int *, int *);

std::wstring FreshGuid()
{
    GUID guid{};
    CoCreateGuid(&guid);
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// The lines the host logs while it lives.
struct LogLines {
    std::vector<std::wstring> lines;
    LogLines() { HostSetLogSink(&Receive, this); }
    ~LogLines() { HostSetLogSink(nullptr, nullptr); }
    static void Receive(int, CTSTR line, void *context) { static_cast<LogLines *>(context)->lines.emplace_back(line); }
};

// What can be seen of a source from outside: the settings it works with, what it shows, and
// the host's own counters.
struct Observation {
    std::string settings;
    std::wstring text;
    int textureWidth = 0, textureHeight = 0;
    size_t logLines = 0;
    unsigned graphicsCalls = 0;
    size_t liveBlocks = 0;
    bool operator==(const Observation &) const = default;
};

class ShippedPlugin {
    HMODULE module = LoadLibraryW(L"plugins\\HollinVanto.dll");

public:
    ~ShippedPlugin()
    {
        if (module)
            FreeLibrary(module);
    }
    bool Loaded() const { return module != nullptr; }
    template <typename Proc>
    Proc Export(const char *name) const { return reinterpret_cast<Proc>(GetProcAddress(module, name)); }
};

std::string SettingsOf(const ShippedPlugin &plugin, ImageSource *source)
{
    char json[4096] = {};
    plugin.Export<DescribeSettingsProc>("DescribeSourceSettings")(source, json, sizeof json);
    return json;
}

Observation Observe(const ShippedPlugin &plugin, ImageSource *source, const LogLines &log, GraphicsSystem *graphics)
{
    Observation seen;
    seen.settings = SettingsOf(plugin, source);
    wchar_t text[256] = {};
    plugin.Export<DescribeSourceProc>("DescribeSource")(source, text, 256, &seen.textureWidth, &seen.textureHeight);
    seen.text = text;
    seen.logLines = log.lines.size();
    seen.graphicsCalls = HostGraphicsRecordingSize(graphics);
    seen.liveBlocks = HostLiveBlocks();
    return seen;
}

bool Contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

TEST(ShippedPlugin, EveryImageSourceOperationLandsWhereTheHostCallsIt)
{
    // A folder of its own as the current one: no companion program is found there.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    wchar_t programFolder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, programFolder);

    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Started());
    ShippedPlugin plugin;
    ASSERT_TRUE(plugin.Loaded());
    ASSERT_TRUE(plugin.Export<bool (*)()>("LoadPlugin")());
    const HostSourceClass *textClass = HostFindClass(L"Hollin答谢水友插件(Vanto)");
    ASSERT_TRUE(textClass != nullptr);

    ScopedSoftwareGraphics graphics(64, 64, true);
    LogLines log;
    XConfig config;
    config.Create(L"unsaved.json");
    XElement *sources = config.GetRootElement()->CreateElement(L"Scene")->CreateElement(L"sources");
    const std::wstring sceneGuid = FreshGuid();
    sources->SetString(L"sceneGuid", sceneGuid.c_str());
    XElement *data = sources->CreateElement(L"Thanks")->CreateElement(L"data");
    data->SetString(L"guid", FreshGuid().c_str());
    data->SetFloat(L"baseSizeCX", 200.0f);
    data->SetFloat(L"baseSizeCY", 50.0f);
    data->SetInt(L"scrollSpeed", 100);

    DWORD error = 0;
    auto textBlock = SharedBlockWriter::Open(TextBlockName(std::wstring_view(sceneGuid)), error);
    ASSERT_TRUE(textBlock.has_value());
    std::string formatError;
    ASSERT_TRUE(textBlock->Write(*FormatTextBlock(7, 0, {u"Slots"}, formatError)));

    const size_t blocksBefore = HostLiveBlocks();
    ImageSource *source = textClass->create(data);
    ASSERT_TRUE(source != nullptr);
    ASSERT_TRUE(Contains(SettingsOf(plugin, source), "\"scrollSpeed\": 100"));
    SetCurrentDirectoryW(folder);
    graphics.ClearRecording();

    // Preprocess: takes the new text and makes its texture.
    source->Preprocess();
    Observation seen = Observe(plugin, source, log, graphics.get());
    EXPECT_EQ(seen.text, std::wstring(L"Slots"));
    ASSERT_GT(seen.textureWidth, 0);
    EXPECT_EQ(graphics.CallNames(), (std::vector<std::string>{"CreateTexture"}));
    const float textureWidth = static_cast<float>(seen.textureWidth);

    // Tick: scrolls by speed x seconds texture pixels, seen in the next draw.
    graphics.ClearRecording();
    source->Tick(0.5f);
    EXPECT_EQ(HostGraphicsRecordingSize(graphics.get()), 0u);

    // Render: the texture at the asked place, twice the base size, from the scrolled offset.
    source->Render(Vect2(10.0f, 20.0f), Vect2(400.0f, 100.0f));
    const std::vector<RecordedGraphicsCall> drawn = graphics.Recording();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(std::string(drawn[0].name), std::string("LoadSamplerState"));
    EXPECT_EQ(std::string(drawn[1].name), std::string("DrawSpriteEx"));
    const std::vector<float> coordinates(drawn[1].floats, drawn[1].floats + drawn[1].floatCount);
    EXPECT_EQ(coordinates, (std::vector<float>{10.0f, 20.0f, 10.0f + textureWidth * 2.0f,
                                               20.0f + seen.textureHeight * 2.0f, 50.0f / textureWidth, 0.0f,
                                               50.0f / textureWidth + 1.0f, 1.0f}));

    // GetSize: the base size, returned through the host's hidden result pointer.
    graphics.ClearRecording();
    seen = Observe(plugin, source, log, graphics.get());
    const Vect2 size = source->GetSize();
    EXPECT_EQ(size.x, 200.0f);
    EXPECT_EQ(size.y, 50.0f);

    // UpdateSettings: reads the data element again; builds nothing.
    data->SetInt(L"fontSize", 30);
    source->UpdateSettings();
    Observation after = Observe(plugin, source, log, graphics.get());
    EXPECT_TRUE(Contains(after.settings, "\"fontSize\": 30"));
    EXPECT_EQ(after.graphicsCalls, 0u);
    EXPECT_EQ(after.text, seen.text);

    // BeginScene: starts the companion, which is not there: the two failure lines.
    seen = after;
    source->BeginScene();
    after = Observe(plugin, source, log, graphics.get());
    ASSERT_EQ(after.logLines, seen.logLines + 2);
    EXPECT_EQ(log.lines[seen.logLines].rfind(L"return value:", 0), 0u);
    EXPECT_EQ(log.lines[seen.logLines + 1].rfind(L"GetLastError: ", 0), 0u);
    seen = after;

    // EndScene and the host's own scene operations: nothing to see.
    source->EndScene();
    EXPECT_TRUE(Observe(plugin, source, log, graphics.get()) == seen);
    source->GlobalSourceLeaveScene();
    EXPECT_TRUE(Observe(plugin, source, log, graphics.get()) == seen);
    source->GlobalSourceEnterScene();
    EXPECT_TRUE(Observe(plugin, source, log, graphics.get()) == seen);

    // The three setters: each changes its own setting and nothing else.
    source->SetFloat(L"outlineSize", 7.5f);
    after = Observe(plugin, source, log, graphics.get());
    EXPECT_TRUE(Contains(after.settings, "\"outlineSize\": 7.5"));
    source->SetInt(L"fontSize", 33);
    after = Observe(plugin, source, log, graphics.get());
    EXPECT_TRUE(Contains(after.settings, "\"fontSize\": 33"));
    EXPECT_EQ(data->GetInt(L"fontSize"), 30);
    source->SetString(L"font", L"Courier New");
    after = Observe(plugin, source, log, graphics.get());
    EXPECT_TRUE(Contains(after.settings, "\"font\": \"Courier New\""));
    EXPECT_EQ(after.graphicsCalls, 0u);
    EXPECT_EQ(after.logLines, seen.logLines);
    seen = after;

    // The host's defaults for the rest: setters change nothing, getters answer false and
    // leave their output alone.
    source->SetVector(L"fontSize", Vect{});
    source->SetVector2(L"fontSize", Vect2(1.0f, 2.0f));
    source->SetVector4(L"fontSize", Vect4{});
    source->SetMatrix(L"fontSize", Matrix{});
    EXPECT_TRUE(Observe(plugin, source, log, graphics.get()) == seen);
    {
        float floatValue = -3.0f;
        int intValue = -3;
        String stringValue(L"kept");
        Vect vect;
        vect.x = -3.0f;
        Vect2 vect2(-3.0f, -3.0f);
        Vect4 vect4;
        vect4.w = -3.0f;
        Matrix matrix;
        matrix.T.w = -3.0f;
        seen = Observe(plugin, source, log, graphics.get());
        EXPECT_FALSE(source->GetFloat(L"outlineSize", floatValue));
        EXPECT_FALSE(source->GetInt(L"fontSize", intValue));
        EXPECT_FALSE(source->GetString(L"font", stringValue));
        EXPECT_FALSE(source->GetVector(L"fontSize", vect));
        EXPECT_FALSE(source->GetVector2(L"fontSize", vect2));
        EXPECT_FALSE(source->GetVector4(L"fontSize", vect4));
        EXPECT_FALSE(source->GetMatrix(L"fontSize", matrix));
        EXPECT_EQ(floatValue, -3.0f);
        EXPECT_EQ(intValue, -3);
        EXPECT_TRUE(stringValue == L"kept");
        EXPECT_EQ(vect.x + vect2.x + vect2.y + vect4.w + matrix.T.w, -15.0f);
        EXPECT_TRUE(Observe(plugin, source, log, graphics.get()) == seen);
    }

    // The deleting destructor: texture and samplers released, the memory back with the
    // host's allocator.
    delete source;
    EXPECT_EQ(HostLiveBlocks(), blocksBefore);
    const HostGraphicsObjectCounts left = HostLiveGraphicsObjects();
    EXPECT_EQ(left.textures, 0u);
    EXPECT_EQ(left.samplers, 0u);
    EXPECT_EQ(graphics.CallNames(), (std::vector<std::string>{"Texture::Release", "SamplerState::Release"}));

    SetCurrentDirectoryW(programFolder);
    plugin.Export<void (*)()>("UnloadPlugin")();
    HostClearRegisteredClasses();
}

} // namespace
