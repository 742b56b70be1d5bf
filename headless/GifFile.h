#pragma once
#include "headless/GifEncoder.h"

#include <windows.h>

#include <string>

// An animated GIF written frame by frame; the trailer goes on in Close (or the destructor).
class GifFile {
    GifEncoder encoder;
    HANDLE file = INVALID_HANDLE_VALUE;
    unsigned delay;
    bool failed = false;

    void Write(const std::vector<uint8_t> &bytes);

public:
    GifFile(unsigned width, unsigned height, unsigned delayCentiseconds);
    ~GifFile();
    GifFile(const GifFile &) = delete;
    GifFile &operator=(const GifFile &) = delete;

    bool Open(const std::wstring &path);
    void AddFrame(const uint8_t *bgra);
    // False when any write failed.
    bool Close();
};
