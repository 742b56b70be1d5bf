#pragma once
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
    std::filesystem::path path;

public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    const std::filesystem::path &Path() const { return path; }
    std::wstring operator/(const std::wstring &name) const { return (path / name).wstring(); }
};

struct HostRun {
    int exitCode = -1;
    std::string errorOutput;   // what the host wrote to stderr
};

// Runs headless_host.exe (beside the test program) with these arguments and waits for it.
HostRun RunHeadlessHost(const std::vector<std::wstring> &arguments);

// The root folder holding only the fixture plug-in.
std::wstring FixtureRoot();

std::string ReadFileBytes(const std::wstring &path);
void WriteFileBytes(const std::wstring &path, const std::string &bytes);
nlohmann::json ReadJsonFile(const std::wstring &path);
