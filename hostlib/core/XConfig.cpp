// A configuration tree kept in a UTF-8 JSON file.
#include "host/HostConfig.h"
#include "JsonTree.h"
#include "TextConversion.h"

#include <cwchar>
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

bool ReadWholeFile(const wchar_t *path, std::string &bytes, std::wstring &error)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (256LL << 20);
    if (!ok) {
        error = L"file too large or unreadable";
    } else {
        bytes.resize(size_t(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
        if (!ok)
            error = SystemErrorText(GetLastError());
    }
    CloseHandle(file);
    return ok;
}

// Writes beside the target, then moves over it: a failed save leaves the old file whole.
bool ReplaceFileContents(const wchar_t *path, const std::string &bytes, std::wstring &error)
{
    std::wstring temporary = std::wstring(path) + L".saving";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size() &&
              FlushFileBuffers(file);
    DWORD writeError = GetLastError();
    CloseHandle(file);
    if (ok && !MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        writeError = GetLastError();
    }
    if (!ok) {
        error = SystemErrorText(writeError);
        DeleteFileW(temporary.c_str());
    }
    return ok;
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
    } else if (ReadWholeFile(filePath, bytes, error)) {
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
    else if (WriteElementJson(*root, json, error) && ReplaceFileContents(path, json, error))
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
