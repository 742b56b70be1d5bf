// A configuration tree kept in a UTF-8 JSON file.
#include "host/HostConfig.h"
#include "JsonTree.h"
#include "TextConversion.h"
#include "win/File.h"

#include <cwchar>
#include <optional>
#include <string>

namespace {

wchar_t *CopyText(std::wstring_view text)
{
    auto *copy = new wchar_t[text.size() + 1];
    text.copy(copy, text.size());
    copy[text.size()] = L'\0';
    return copy;
}

void Replace(wchar_t *&slot, const wchar_t *text)
{
    delete[] slot;
    slot = text ? CopyText(text) : nullptr;
}

std::wstring SystemErrorText(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return L"file not found";
    case ERROR_ACCESS_DENIED: return L"access denied";
    case ERROR_SHARING_VIOLATION: return L"file in use by another program";
    default: return L"system error " + std::to_wstring(code);
    }
}

// Files of 256 MiB or more are refused rather than read into memory.
constexpr size_t kMaxFileBytes = (size_t(256) << 20) - 1;

bool ReadConfigFile(const wchar_t *path, std::string &bytes, std::wstring &error)
{
    DWORD code = 0;
    std::optional<std::string> read = win::ReadWholeFile(path, kMaxFileBytes, &code);
    if (!read) {
        error = code == ERROR_FILE_TOO_LARGE ? L"file too large or unreadable" : SystemErrorText(code);
        return false;
    }
    bytes = std::move(*read);
    return true;
}

// A failed save leaves the old file whole.
bool SaveConfigFile(const wchar_t *path, const std::string &bytes, std::wstring &error)
{
    DWORD code = 0;
    if (win::WriteWholeFile(path, bytes, &code))
        return true;
    error = SystemErrorText(code);
    return false;
}

}  // namespace

XConfig::XConfig() {}

XConfig::~XConfig()
{
    Close();
    delete[] lastError;
}

bool XConfig::Open(CTSTR filePath)
{
    Close();
    std::wstring shownPath = filePath ? filePath : L"";
    std::string bytes;
    std::wstring error;
    if (!filePath || !*filePath) {
        error = L"no file name";
    } else if (ReadConfigFile(filePath, bytes, error)) {
        root = new XElement(nullptr, L"");
        if (ReadElementJson(bytes, *root, error)) {
            Replace(path, filePath);
            Replace(lastError, nullptr);
            return true;
        }
        Close();
    }
    Replace(lastError, (shownPath + L": " + error).c_str());
    return false;
}

void XConfig::Create(CTSTR filePath)
{
    Close();
    root = new XElement(nullptr, L"");
    Replace(path, filePath);
    Replace(lastError, nullptr);
}

bool XConfig::Save()
{
    std::wstring error;
    std::string json;
    if (!root)
        error = L"nothing to save";
    else if (!path || !*path)
        error = L"no file name";
    else if (WriteElementJson(*root, json, error) && SaveConfigFile(path, json, error))
        return true;
    Replace(lastError, ((path ? std::wstring(path) : std::wstring()) + L": " + error).c_str());
    return false;
}

bool XConfig::SaveAs(CTSTR filePath)
{
    Replace(path, filePath);
    return Save();
}

void XConfig::Close()
{
    delete root;
    root = nullptr;
    Replace(path, nullptr);
}
