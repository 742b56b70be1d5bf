#include "E2eSupport.h"
#include "support/ChildProcess.h"
#include "win/Handle.h"

#include <windows.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <algorithm>

Picture ReadPng(const std::wstring &path)
{
    const std::string bytes = ReadFileBytes(path);
    Picture picture;
    int channels = 0;
    stbi_uc *pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc *>(bytes.data()),
                                            static_cast<int>(bytes.size()), &picture.width,
                                            &picture.height, &channels, 4);
    if (!pixels)
        return {};
    picture.rgba.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 4);
    stbi_image_free(pixels);
    return picture;
}

int CountPixels(const Picture &picture, int x0, int y0, int x1, int y1,
                const std::function<bool(int r, int g, int b)> &test)
{
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(picture.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(picture.width, x1); ++x) {
            const std::uint8_t *p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
            if (test(p[0], p[1], p[2]))
                ++count;
        }
    return count;
}

bool BlockExists(const std::wstring &name)
{
    return static_cast<bool>(win::UniqueHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str())));
}

std::wstring InstallHost(const std::wstring &folder, bool withCompanion)
{
    const std::wstring root = folder + L"host\\";
    for (const wchar_t *sub : {L"", L"plugins", L"shaders"})
        CreateDirectoryW((root + sub).c_str(), nullptr);
    const std::wstring host = ShippedBinFolder();
    for (const wchar_t *file : {L"headless_host.exe", L"OBSApi.dll", L"shaders\\DrawSolid.vShader",
                                L"shaders\\DrawSolid.pShader"})
        CopyFileW((host + file).c_str(), (root + file).c_str(), FALSE);
    const std::wstring release = ReleaseFolder();
    CopyFileW((release + L"plugins\\HollinVanto.dll").c_str(), (root + L"plugins\\HollinVanto.dll").c_str(), FALSE);
    if (withCompanion) {
        CreateDirectoryW((root + L"plugins\\VantoPlauditor").c_str(), nullptr);
        for (const wchar_t *file : {L"plugins\\VantoPlauditor\\Plauditor.exe",
                                    L"plugins\\VantoPlauditor\\Plauditor.json"})
            CopyFileW((release + file).c_str(), (root + file).c_str(), FALSE);
    }
    return root;
}

std::string SceneWithSource(const std::string &sceneGuid, const std::string &sourceGuid)
{
    nlohmann::ordered_json source = {{"class", "Hollin答谢水友插件(Vanto)"}, {"x", 0.0}, {"y", 0.0},
                                     {"cx", 640.0}, {"cy", 120.0},
                                     {"data", {{"guid", sourceGuid}, {"baseSizeCX", 640.0}, {"baseSizeCY", 120.0}}}};
    return nlohmann::ordered_json{{"scenes", {{"Live", {{"sources", {{"sceneGuid", sceneGuid}, {"Thanks", source}}}}}}}}
        .dump(2);
}

int NewestFrame(const std::wstring &folder)
{
    int newest = -1;
    WIN32_FIND_DATAW found;
    const FolderSearch search(FindFirstFileW((folder + L"frame_*.png").c_str(), &found));
    if (!search)
        return newest;
    do
        newest = std::max(newest, _wtoi(found.cFileName + 6));
    while (FindNextFileW(search.get(), &found));
    return newest;
}

std::wstring FrameName(int index)
{
    wchar_t name[32];
    swprintf(name, 32, L"frame_%05d.png", index);
    return name;
}
