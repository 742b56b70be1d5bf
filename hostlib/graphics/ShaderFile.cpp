#include "hostlib/graphics/ShaderFile.h"

#include <windows.h>

#include <cctype>
#include <sstream>

namespace {

std::string StripLineComment(const std::string &line)
{
    const size_t comment = line.find("//");
    return comment == std::string::npos ? line : line.substr(0, comment);
}

} // namespace

std::vector<std::string> ParseShaderParameters(const std::string &source)
{
    std::vector<std::string> names;
    std::istringstream lines(source);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(StripLineComment(line));
        std::string keyword, type, name;
        if (!(words >> keyword >> type >> name) || keyword != "uniform")
            continue;
        std::string cleaned;
        for (char c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                break;
            cleaned += c;
        }
        if (!cleaned.empty())
            names.push_back(cleaned);
    }
    return names;
}

bool ReadWholeFile(const wchar_t *path, std::string &contents)
{
    contents.clear();
    if (!path || !*path)
        return false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0)
            break;
        contents.append(buffer, read);
    }
    CloseHandle(file);
    return ok;
}
