#pragma once
// Text a source shows from a file. Every rebuild measures and draws its whole text on the
// thread that runs the frame, so only part of a file is read, and of that only what can be
// drawn in time. Lines are at least a font size apart, so a texture of the largest size
// (8192 pixels) shows at most 8192 / font size of them (171 at the default 48). A rebuild's
// time grows with the pixels the characters cover and, at small sizes, with their number:
// under Wine GDI+ clears and draws about 12 million pixels a second and spends about 20
// microseconds on a character. So characters are counted in cells half a font size wide
// and a font size tall (Latin letters take one, Chinese characters two), the cells cover
// at most half of kFileTextArea pixels (7,281 cells at size 48) and there are at most
// kFileTextCellsCeiling of them: a rebuild from any file takes under a second.
#include <cstddef>
#include <string>
#include <string_view>

class TextOutputSource;

inline constexpr unsigned kFileTextCellsCeiling = 12288;
inline constexpr unsigned long long kFileTextArea = 1u << 24;  // cells times font size squared

// The lines of text a texture of the largest size can show at a font size.
unsigned MaxFileTextLines(int fontSize);
// The cells of text shown at that size, within the bounds above (at least one wide character).
unsigned MaxFileTextCells(int fontSize);

// Enough bytes for one unit more than maxCells, however the file is encoded (a unit takes a
// cell or two, and three bytes at most in UTF-8), and a byte-order mark.
inline constexpr std::size_t FileTextReadBytes(unsigned maxCells) { return 3 * (std::size_t{maxCells} + 1) + 3; }

struct FileText {
    std::wstring text;
    // What the text was cut at: it is shorter than the file.
    enum class Cut { None, Units, Lines } cut = Cut::None;
};

// The text of the start of a file: UTF-16LE after its byte-order mark, otherwise UTF-8 (its
// mark dropped, invalid bytes as U+FFFD), up to the first NUL; then at most maxLines lines
// (ended by line feeds) and maxCells cells, never half of a surrogate pair. `whole`: the
// bytes are all of the file; otherwise a character cut off at their end is left out.
FileText DecodeFileText(std::string_view bytes, bool whole, unsigned maxCells, unsigned maxLines);

// The text of the end of a file, for a log that grows at its end: `bytes` are its last
// bytes without a byte-order mark (`utf16`: the file had the UTF-16LE one), `fromStart`
// when they reach back to its start. Up to the first NUL, the newest whole lines: at most
// maxLines of them (a final line feed ends the last line) and maxCells cells. Only a
// single line longer than that is cut inside, keeping its end.
FileText DecodeFileEnd(std::string_view bytes, bool utf16, bool fromStart, unsigned maxCells, unsigned maxLines);

struct FileStart {
    enum class Result { Read, NotOpened, ReadFailed } result = Result::NotOpened;
    std::string bytes;   // at most the bytes asked for
    bool whole = false;  // the bytes are all of the file
    unsigned long error = 0;  // the system's error code when reading failed
};

// The start of a file, which others may be writing meanwhile.
FileStart ReadFileStart(const wchar_t *path, std::size_t maxBytes);

struct FileEnd {
    FileStart::Result result = FileStart::Result::NotOpened;
    std::string bytes;       // at most the bytes asked for, the byte-order mark left out
    bool utf16 = false;      // the file starts with the UTF-16LE mark; bytes start at a unit
    bool fromStart = false;  // the bytes reach back to the start of the file
    unsigned long error = 0;
};

// The end of a file, which others may be appending to meanwhile.
FileEnd ReadFileEnd(const wchar_t *path, std::size_t maxBytes);

// Refills the source's current text from its origin: the "text" setting (mode 0) or the
// file (mode 1), which is then watched for changes; anything else shows nothing. The
// previous file monitor is closed first.
void ChooseWorkingText(TextOutputSource &source);
