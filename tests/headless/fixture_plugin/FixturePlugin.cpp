// A stand-in plug-in for the headless host's tests: one class whose sources draw a solid
// sprite and leave traces of every host call in their settings.
#include "host/OBSApi.h"

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t className[] = L"Fixture Solid";

class FixtureSource : public ImageSource {
    XElement *data;
    Texture *texture = nullptr;
    void *block;   // proves that the host counts MainAllocator blocks around sources

public:
    explicit FixtureSource(XElement *dataElement) : data(dataElement), block(Allocate(16))
    {
        const DWORD colour = static_cast<DWORD>(data->GetInt(L"color", static_cast<int>(0xFFFF0000)));
        DWORD pixels[4] = {colour, colour, colour, colour};
        texture = GS->CreateTexture(2, 2, GS_BGRA, pixels, FALSE, TRUE);
        if (data->GetInt(L"warn"))
            AppWarning(L"fixture warning %d", data->GetInt(L"warn"));
        // The scene's "sources" element, where a plug-in keeps per-scene values.
        data->GetParent()->GetParent()->SetString(L"fixtureScene", L"seen");
    }
    ~FixtureSource() override
    {
        delete texture;
        Free(block);
    }

    void Tick(float seconds) override
    {
        data->SetInt(L"ticks", data->GetInt(L"ticks") + 1);
        data->SetFloat(L"lastTick", seconds);
    }
    void Render(const Vect2 &position, const Vect2 &size) override
    {
        GS->DrawSprite(texture, 0xFFFFFFFF, position.x, position.y, position.x + size.x, position.y + size.y);
    }
    Vect2 GetSize() const override { return Vect2(50.0f, 40.0f); }
    void BeginScene() override { data->SetInt(L"begun", data->GetInt(L"begun") + 1); }
    void EndScene() override { data->SetInt(L"ended", data->GetInt(L"ended") + 1); }

    DWORD Colour() const { return static_cast<DWORD>(data->GetInt(L"color", static_cast<int>(0xFFFF0000))); }
    XElement *Data() const { return data; }
};

ImageSource *CreateFixture(XElement *data)
{
    return data ? new FixtureSource(data) : nullptr;
}

bool ConfigureFixture(XElement *element, bool creating)
{
    XElement *data = element->GetElement(L"data");
    if (!data)
        data = element->CreateElement(L"data");
    data->SetInt(L"configured", creating ? 1 : 2);
    if (!element->HasItem(L"cx")) {
        element->SetFloat(L"cx", 100.0f);
        element->SetFloat(L"cy", 20.0f);
    }
    if (data->GetInt(L"box"))
        OBSMessageBox(nullptr, L"fixture box", L"Fixture", MB_OK);
    return true;
}

} // namespace

extern "C" __declspec(dllexport) bool LoadPlugin()
{
    API->RegisterImageSourceClass(className, L"Fixture display", CreateFixture, ConfigureFixture);
    return true;
}

extern "C" __declspec(dllexport) void UnloadPlugin() {}

extern "C" __declspec(dllexport) CTSTR GetPluginName()
{
    return L"Fixture plug-in";
}

extern "C" __declspec(dllexport) int DescribeSource(ImageSource *source, wchar_t *text, int textCapacity,
                                                    int *textureWidth, int *textureHeight)
{
    auto *fixture = dynamic_cast<FixtureSource *>(source);
    if (!fixture)
        return -1;
    wchar_t description[32];
    const int length = std::swprintf(description, 32, L"solid %08X", static_cast<unsigned>(fixture->Colour()));
    if (text && textCapacity > 0)
        scpy_n(text, description, static_cast<size_t>(textCapacity - 1));
    *textureWidth = 2;
    *textureHeight = 2;
    return length;
}

extern "C" __declspec(dllexport) void RasteriseSource(ImageSource *source)
{
    if (auto *fixture = dynamic_cast<FixtureSource *>(source)) {
        fixture->Data()->SetInt(L"rasterised", 1);
        Sleep(static_cast<DWORD>(fixture->Data()->GetInt(L"rasteriseSleep")));
    }
}

extern "C" __declspec(dllexport) int DescribeSourceSettings(ImageSource *source, char *json, int capacity)
{
    auto *fixture = dynamic_cast<FixtureSource *>(source);
    if (!fixture)
        return -1;
    // Longer than the host's first buffer, so it has to ask again.
    const std::string text = "{\"color\": " + std::to_string(fixture->Colour()) + ", \"pad\": \"" +
                             std::string(5000, 'x') + "\"}";
    if (json && capacity > 0)
        json[text.copy(json, static_cast<size_t>(capacity - 1))] = 0;
    return static_cast<int>(text.size());
}
