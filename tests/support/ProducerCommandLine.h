#pragma once
// What the test producers (programs that write blocks from a second process) share: a
// command line of "--name value" pairs, and opening a block or ending with a message.
#include "companion/blockwriter/SharedBlockWriter.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Each name with its values, in order; a name may come more than once.
using ProducerArguments = std::map<std::wstring, std::vector<std::wstring>>;

// Nothing when a name has no value or is not one of `names`.
inline std::optional<ProducerArguments> ParseProducerArguments(const std::vector<std::wstring> &words,
                                                               std::initializer_list<const wchar_t *> names)
{
    ProducerArguments parsed;
    for (std::size_t i = 0; i < words.size(); i += 2) {
        bool known = false;
        for (const wchar_t *name : names)
            known = known || words[i] == name;
        if (!known || i + 1 == words.size())
            return std::nullopt;
        parsed[words[i]].push_back(words[i + 1]);
    }
    return parsed;
}

// This process's own command line, parsed as above.
inline std::optional<ProducerArguments> ProducerCommandLine(std::initializer_list<const wchar_t *> names)
{
    int count = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return std::nullopt;
    const std::vector<std::wstring> words(argv + 1, argv + count);
    LocalFree(argv);
    return ParseProducerArguments(words, names);
}

// The last value given for a name, or the fallback.
inline std::wstring LastValue(const ProducerArguments &arguments, const wchar_t *name, const wchar_t *fallback = L"")
{
    const auto found = arguments.find(name);
    return found == arguments.end() ? fallback : found->second.back();
}

inline SharedBlockWriter OpenBlockOrExit(const std::wstring &name, const char *program)
{
    DWORD error = 0;
    std::optional<SharedBlockWriter> block = SharedBlockWriter::Open(name, error);
    if (!block) {
        std::fprintf(stderr, "%s: cannot open a block (%lu)\n", program, static_cast<unsigned long>(error));
        std::exit(1);
    }
    return std::move(*block);
}
