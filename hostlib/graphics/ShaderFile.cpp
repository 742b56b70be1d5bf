#include "hostlib/graphics/ShaderFile.h"


#include <cctype>
#include <string_view>

namespace {

std::string_view StripLineComment(std::string_view line)
{
    const size_t comment = line.find("//");
    return comment == std::string_view::npos ? line : line.substr(0, comment);
}

// The first `count` words of a line, fewer when it has fewer.
std::vector<std::string_view> LeadingWords(std::string_view line, size_t count)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (words.size() < count) {
        while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at])))
            ++at;
        if (at == line.size())
            break;
        const size_t start = at;
        while (at < line.size() && !std::isspace(static_cast<unsigned char>(line[at])))
            ++at;
        words.push_back(line.substr(start, at - start));
    }
    return words;
}

} // namespace

std::vector<std::string> ParseShaderParameters(const std::string &source)
{
    std::vector<std::string> names;
    std::string_view rest = source;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const std::vector<std::string_view> words = LeadingWords(StripLineComment(line), 3);
        if (words.size() < 3 || words[0] != "uniform")
            continue;
        std::string cleaned;
        for (char c : words[2]) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
                break;
            cleaned += c;
        }
        if (!cleaned.empty())
            names.push_back(cleaned);
    }
    return names;
}
