#include "tests/graphics/GraphicsTestSupport.h"

#include <atomic>

TexturePtr MakeTexture(GraphicsSystem *graphics, unsigned width, unsigned height,
                       const std::vector<DWORD> &argb)
{
    std::vector<BYTE> bgra(argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        bgra[i * 4] = BYTE(argb[i]);
        bgra[i * 4 + 1] = BYTE(argb[i] >> 8);
        bgra[i * 4 + 2] = BYTE(argb[i] >> 16);
        bgra[i * 4 + 3] = BYTE(argb[i] >> 24);
    }
    return TexturePtr(graphics->CreateTexture(width, height, GS_BGRA, bgra.data(), FALSE, TRUE));
}

SamplerState *MakeSampler(GraphicsSystem *graphics, GSSampleFilter filter, GSAddressMode address)
{
    SamplerInfo info{};
    info.filter = filter;
    info.addressU = info.addressV = info.addressW = address;
    info.maxAnisotropy = 16;
    return graphics->CreateSamplerState(info);
}

std::vector<DWORD> FrameRow(GraphicsSystem *graphics, unsigned y, unsigned fromX, unsigned count)
{
    std::vector<DWORD> row;
    for (unsigned x = fromX; x < fromX + count; ++x)
        row.push_back(HostFramePixel(graphics, x, y));
    return row;
}

TemporaryFile::TemporaryFile(const std::string &contents, const wchar_t *suffix)
{
    static std::atomic<int> counter{0};
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path = std::wstring(folder) + L"graphics_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(counter++) + suffix;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, contents.data(), DWORD(contents.size()), &written, nullptr);
    CloseHandle(file);
}

TemporaryFile::~TemporaryFile()
{
    DeleteFileW(path.c_str());
}
