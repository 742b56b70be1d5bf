#include "bench/BenchScenes.h"

#include "link/GuidText.h"
#include "source/TextOutputSource.h"
#include "support/NewTextSource.h"
#include "win/Handle.h"

#include <objbase.h>

#include <cstring>

StyleNumbers ThankYouStyle(bool outline)
{
    // fontSize color textOpacity scrollSpeed backgroundColor backgroundOpacity bold italic
    // underline vertical pointFiltering useOutline outlineColor outlineSize outlineOpacity
    // useTextExtents extentWidth extentHeight wrap scrollMode align
    return StyleNumbers{48, -1, 100, 0, static_cast<std::int32_t>(0xFF000000u), 40, 0, 0,
                        0, 0, 0, outline ? 1 : 0, static_cast<std::int32_t>(0xFF000000u), 2, 100,
                        0, 0, 0, 0, 0, 0};
}

std::wstring ThankYouText()
{
    const std::u16string first(kThankYouLine1), second(kThankYouLine2);
    return std::wstring(first.begin(), first.end()) + L"\r\n" +
           std::wstring(second.begin(), second.end());
}

int FreshSequence()
{
    static int sequence = 1000;
    return ++sequence;
}

// Outside any function and visible to other files, so the compiler must keep the copy into
// it: a copy nobody reads is dropped, and with it the first touch of the mapped view, which
// costs as much under Wine as the mapping calls.
unsigned char bareBlockCopy[2048];

void BareBlockCycle(const wchar_t *name)
{
    unsigned char (&copied)[2048] = bareBlockCopy;
    const win::UniqueHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2048, name));
    if (!mapping)
        return;
    if (const win::MappedView view{MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 2048)})
        std::memcpy(copied, view.get(), sizeof copied);
}

namespace {

std::wstring FreshGuid()
{
    GUID guid{};
    CoCreateGuid(&guid);
    const String text = GuidToString(guid);
    return text.Array();
}

SharedBlockWriter OpenBlock(const std::wstring &name)
{
    DWORD error = 0;
    std::optional<SharedBlockWriter> block = SharedBlockWriter::Open(name, error);
    if (!block) {
        std::fprintf(stderr, "bench: cannot open block (%lu)\n", static_cast<unsigned long>(error));
        std::exit(1);
    }
    return std::move(*block);
}

} // namespace

BenchScenes::BenchScenes(int sceneCount, int sourceCount)
{
    config.Create(L"bench_scenes.json");
    XElement *scenes = config.GetRootElement()->CreateElement(L"scenes");
    std::vector<XElement *> sceneSources;
    for (int scene = 0; scene < sceneCount; ++scene) {
        const std::wstring name = L"Scene " + std::to_wstring(scene + 1);
        XElement *sourcesElement = scenes->CreateElement(name.c_str())->CreateElement(L"sources");
        sceneGuids.push_back(FreshGuid());
        sourcesElement->SetString(L"sceneGuid", sceneGuids.back().c_str());
        sceneSources.push_back(sourcesElement);
        textBlocks.push_back(OpenBlock(TextBlockName(sceneGuids.back())));
        styleBlocks.push_back(OpenBlock(StyleBlockName(sceneGuids.back())));
    }
    for (int i = 0; i < sourceCount; ++i) {
        const std::wstring name = L"Thanks " + std::to_wstring(i + 1);
        XElement *data = sceneSources[i % sceneCount]->CreateElement(name.c_str())->CreateElement(L"data");
        data->SetString(L"guid", FreshGuid().c_str());
        data->SetFloat(L"baseSizeCX", 1200.0f);
        data->SetFloat(L"baseSizeCY", 160.0f);
        sources.push_back(NewTextSource(data));
    }
}

BenchScenes::~BenchScenes()
{
    for (TextOutputSource *source : sources)
        delete source;
}

// Without the writer's wait for copies under way (a millisecond's sleep): the sources read on
// this thread, after the write, so no copy can be under way, and the new-text rows would
// otherwise time the sleep as the source's.
void BenchScenes::WriteText(int scene, int sequence, const std::vector<std::u16string> &lines)
{
    std::string error;
    if (const auto text = FormatTextBlock(sequence, 0, lines, error))
        textBlocks[scene].Write(*text, nullptr);
}

void BenchScenes::WriteStyle(int scene, int sequence, const StyleNumbers &numbers)
{
    std::string error;
    if (const auto text = FormatStyleBlock(sequence, kThankYouFont, numbers, error))
        styleBlocks[scene].Write(*text, nullptr);
}

void BenchScenes::PreprocessAll()
{
    for (TextOutputSource *source : sources)
        source->Preprocess();
}

std::vector<std::wstring> BenchScenes::FrameBlockNames() const
{
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::wstring &guid = sceneGuids[i % sceneGuids.size()];
        names.push_back(TextBlockName(guid));
        names.push_back(StyleBlockName(guid));
    }
    return names;
}

PairedResult TimeFramesAgainstCycles(const BenchOptions &options, int frames, BenchScenes &scenes,
                                     void (*cycle)(const wchar_t *name))
{
    const std::vector<std::wstring> names = scenes.FrameBlockNames();
    return TimePaired(
        options.runs, Units(options, frames),
        [&](int count) {
            for (int f = 0; f < count; ++f)
                scenes.PreprocessAll();
        },
        [&](int count) {
            for (int f = 0; f < count; ++f)
                for (const std::wstring &name : names)
                    cycle(name.c_str());
        });
}
