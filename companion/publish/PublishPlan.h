#pragma once
// What the publishing tool is asked to do, read from its command line or a script.
// Portable: the arguments arrive as UTF-16 text and nothing here touches the system.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PublishStep {
    enum class Kind { Wait, Text, Style };
    Kind kind = Kind::Wait;
    unsigned waitMilliseconds = 0;
    std::u16string block;  // the block text to write, for Text and Style
};

struct PublishPlan {
    std::u16string sceneGuid;
    std::vector<PublishStep> steps;   // from a block option; empty when a script is given
    std::u16string scriptPath;        // read and parsed by the caller
    std::optional<unsigned> holdSeconds;  // nothing: hold until killed
    std::u16string readyFile;         // written once the first block is in place
};

inline constexpr const char *kPublishUsage =
    "usage: plauditor_publish --scene GUID (--text-block TEXT | --style-block TEXT | "
    "--text SEQ MODE LINE... | --style SEQ FONT V2..V22 | --script FILE) "
    "[--hold SECONDS] [--ready-file PATH]";

// arguments excludes the program name. Nothing, with a one-line reason, on bad arguments.
std::optional<PublishPlan> ParsePublishArguments(const std::vector<std::u16string> &arguments,
                                                 std::string &error);

// Script lines: "wait MS", "text SEQ MODE LINE...", "style SEQ FONT V2..V22",
// "text-block RAW", "style-block RAW"; blank lines and lines starting with "#" are skipped.
// Arguments are separated by blanks; "double quotes" keep blanks inside one argument, with
// \" and \\ inside them. The error names the line. A script that writes no block, or a
// block with no text, is refused: it would publish nothing a reader takes.
std::optional<std::vector<PublishStep>> ParsePublishScript(std::u16string_view script,
                                                           std::string &error);

// Raw block text with the escapes \r, \n, \t, \\ and \uXXXX, so control characters can be
// given on a command line. Nothing on a malformed escape.
std::optional<std::u16string> UnescapeBlockText(std::u16string_view text);

// A signed decimal 32-bit number, or 0x followed by up to 8 hex digits read as the 32-bit
// pattern (colours: 0xFF0000FF). Nothing on anything else.
std::optional<std::int32_t> ParseArgumentNumber(std::u16string_view text);
