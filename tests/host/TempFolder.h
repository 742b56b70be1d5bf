#pragma once
// A fresh folder under the temporary directory, removed with its files afterwards.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempFolder {
    std::filesystem::path folder;

public:
    TempFolder()
    {
        static unsigned counter = 0;
        folder = std::filesystem::temp_directory_path() /
                 ("host_tests_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter));
        std::filesystem::create_directories(folder);
    }
    ~TempFolder() { std::filesystem::remove_all(folder); }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    std::wstring Path(const std::wstring &name) const { return (folder / name).wstring(); }
    bool Exists(const std::wstring &name) const { return std::filesystem::exists(folder / name); }

    std::wstring Write(const std::wstring &name, const std::string &bytes) const
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Read(const std::wstring &name) const
    {
        std::ostringstream bytes;
        bytes << std::ifstream(folder / name, std::ios::binary).rdbuf();
        return bytes.str();
    }
};
