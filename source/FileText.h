#pragma once
// Text a source shows from a file. Every rebuild measures and draws its whole text on the
// thread that runs the frame, so only the start of a file is read, and of that only what a
// texture can show: lines are at least a font size apart, so a texture of the largest size
// (8192 pixels) shows at most 8192 / font size of them (171 at the default 48); and at most
// kMaxFileTextUnits characters, which at the default size fill that texture with lines of
// the usual length. Under Wine GDI+ draws that much in well under a second.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr unsigned kMaxFileTextUnits = 4096;

// The lines of text a texture of the largest size can show at a font size.
unsigned MaxFileTextLines(int fontSize);

// Enough bytes for one unit more than kMaxFileTextUnits, however the file is encoded (three
// bytes a unit at most in UTF-8), and a byte-order mark.
inline constexpr std::size_t kFileTextReadBytes = 3 * (kMaxFileTextUnits + 1) + 3;

struct FileText {
    std::wstring text;
    // What the text was cut at: it is shorter than the file.
    enum class Cut { None, Units, Lines } cut = Cut::None;
};

// The text of the start of a file: UTF-16LE after its byte-order mark, otherwise UTF-8 (its
// mark dropped, invalid bytes as U+FFFD), up to the first NUL; then at most maxLines lines
// (ended by line feeds) and maxUnits units, never half of a surrogate pair. `whole`: the
// bytes are all of the file; otherwise a character cut off at their end is left out.
FileText DecodeFileText(std::string_view bytes, bool whole, unsigned maxUnits, unsigned maxLines);

struct FileStart {
    enum class Result { Read, NotOpened, ReadFailed } result = Result::NotOpened;
    std::string bytes;   // at most kFileTextReadBytes
    bool whole = false;  // the bytes are all of the file
    unsigned long error = 0;  // the system's error code when reading failed
};

// The start of a file, which others may be writing meanwhile.
FileStart ReadFileStart(const wchar_t *path);
