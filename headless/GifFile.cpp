#include "headless/GifFile.h"

GifFile::GifFile(unsigned width, unsigned height, unsigned delayCentiseconds)
    : encoder(width, height), delay(delayCentiseconds)
{
}

GifFile::~GifFile()
{
    Close();
}

bool GifFile::Open(const std::wstring &path)
{
    file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    Write(encoder.Header());
    return !failed;
}

void GifFile::Write(const std::vector<uint8_t> &bytes)
{
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size())
        failed = true;
}

void GifFile::AddFrame(const uint8_t *bgra)
{
    Write(encoder.Frame(bgra, delay));
}

bool GifFile::Close()
{
    if (file == INVALID_HANDLE_VALUE)
        return !failed;
    Write(GifEncoder::Trailer());
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    return !failed;
}
