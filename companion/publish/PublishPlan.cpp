#include "companion/publish/PublishPlan.h"

#include "companion/blockwriter/BlockFormat.h"

#include <algorithm>
#include <limits>

namespace {

std::string Narrow(std::u16string_view text)
{
    std::string result;
    for (const char16_t unit : text)
        result += unit < 0x80 ? static_cast<char>(unit) : '?';
    return result;
}

int HexDigit(char16_t unit)
{
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'a' && unit <= u'f')
        return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F')
        return unit - u'A' + 10;
    return -1;
}

bool IsOption(std::u16string_view argument)
{
    static constexpr std::u16string_view kOptions[] = {
        u"--scene", u"--text-block", u"--style-block", u"--text", u"--style",
        u"--script", u"--hold", u"--ready-file"};
    for (const auto option : kOptions)
        if (argument == option)
            return true;
    return false;
}

// The steps of one "text"/"style" request from its arguments (after the keyword).
std::optional<PublishStep> TextStep(const std::vector<std::u16string> &values, std::string &error)
{
    if (values.size() < 3) {
        error = "text needs SEQ MODE and at least one LINE";
        return std::nullopt;
    }
    const auto sequence = ParseArgumentNumber(values[0]);
    const auto mode = ParseArgumentNumber(values[1]);
    if (!sequence || !mode) {
        error = "text: SEQ and MODE must be numbers";
        return std::nullopt;
    }
    const std::vector<std::u16string> lines(values.begin() + 2, values.end());
    auto block = FormatTextBlock(*sequence, *mode, lines, error);
    if (!block)
        return std::nullopt;
    return PublishStep{PublishStep::Kind::Text, 0, std::move(*block)};
}

std::optional<PublishStep> StyleStep(const std::vector<std::u16string> &values, std::string &error)
{
    if (values.size() != 2 + kStyleNumberCount) {
        error = "style needs SEQ FONT and exactly " + std::to_string(kStyleNumberCount) + " values";
        return std::nullopt;
    }
    const auto sequence = ParseArgumentNumber(values[0]);
    if (!sequence) {
        error = "style: SEQ must be a number";
        return std::nullopt;
    }
    StyleNumbers numbers{};
    for (std::size_t i = 0; i < kStyleNumberCount; ++i) {
        const auto number = ParseArgumentNumber(values[i + 2]);
        if (!number) {
            error = "style: value " + std::to_string(i + 2) + " ('" + Narrow(values[i + 2]) +
                    "') is not a number";
            return std::nullopt;
        }
        numbers[i] = *number;
    }
    auto block = FormatStyleBlock(*sequence, values[1], numbers, error);
    if (!block)
        return std::nullopt;
    return PublishStep{PublishStep::Kind::Style, 0, std::move(*block)};
}

std::optional<PublishStep> RawStep(PublishStep::Kind kind, std::u16string_view raw,
                                   std::string &error)
{
    auto text = UnescapeBlockText(raw);
    if (!text) {
        error = "malformed escape in block text";
        return std::nullopt;
    }
    // It would only empty the block, which the reader passes over.
    if (text->empty()) {
        error = "the block text is empty";
        return std::nullopt;
    }
    if (!FitsInBlock(*text, error))
        return std::nullopt;
    return PublishStep{kind, 0, std::move(*text)};
}

std::optional<PublishStep> WaitStep(std::u16string_view value, std::string &error)
{
    const auto milliseconds = ParseArgumentNumber(value);
    if (!milliseconds || *milliseconds < 0) {
        error = "wait needs a number of milliseconds";
        return std::nullopt;
    }
    return PublishStep{PublishStep::Kind::Wait, static_cast<unsigned>(*milliseconds), {}};
}

// Splits one script line into arguments; nothing on an unclosed quote.
std::optional<std::vector<std::u16string>> ScriptArguments(std::u16string_view line)
{
    std::vector<std::u16string> arguments;
    std::size_t position = 0;
    auto blank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    while (true) {
        while (position < line.size() && blank(line[position]))
            ++position;
        if (position == line.size())
            return arguments;
        std::u16string argument;
        if (line[position] == u'"') {
            ++position;
            while (position < line.size() && line[position] != u'"') {
                if (line[position] == u'\\' && position + 1 < line.size() &&
                    (line[position + 1] == u'"' || line[position + 1] == u'\\'))
                    ++position;
                argument += line[position++];
            }
            if (position == line.size())
                return std::nullopt;
            ++position;
        } else {
            while (position < line.size() && !blank(line[position]))
                argument += line[position++];
        }
        arguments.push_back(std::move(argument));
    }
}

std::optional<PublishStep> ScriptStep(std::u16string_view line, std::string &error)
{
    const std::size_t keywordEnd = line.find_first_of(u" \t");
    const std::u16string_view keyword = line.substr(0, keywordEnd);
    // Raw blocks take the rest of the line as it stands, after one blank.
    const std::u16string_view rest =
        keywordEnd == std::u16string_view::npos ? std::u16string_view() : line.substr(keywordEnd + 1);
    if (keyword == u"text-block")
        return RawStep(PublishStep::Kind::Text, rest, error);
    if (keyword == u"style-block")
        return RawStep(PublishStep::Kind::Style, rest, error);

    auto arguments = ScriptArguments(rest);
    if (!arguments) {
        error = "unclosed quote";
        return std::nullopt;
    }
    if (keyword == u"wait") {
        if (arguments->size() != 1) {
            error = "wait needs one number of milliseconds";
            return std::nullopt;
        }
        return WaitStep((*arguments)[0], error);
    }
    if (keyword == u"text")
        return TextStep(*arguments, error);
    if (keyword == u"style")
        return StyleStep(*arguments, error);
    error = "unknown command '" + Narrow(keyword) + "'";
    return std::nullopt;
}

} // namespace

std::optional<std::int32_t> ParseArgumentNumber(std::u16string_view text)
{
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        if (text.size() > 10)
            return std::nullopt;
        std::uint32_t value = 0;
        for (const char16_t unit : text.substr(2)) {
            const int digit = HexDigit(unit);
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return static_cast<std::int32_t>(value);
    }

    std::size_t position = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (!text.empty() && (text[0] == u'-' || text[0] == u'+'))
        ++position;
    if (position == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; position < text.size(); ++position) {
        if (text[position] < u'0' || text[position] > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[position] - u'0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::u16string> UnescapeBlockText(std::u16string_view text)
{
    std::u16string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            result += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case u'r': result += u'\r'; break;
        case u'n': result += u'\n'; break;
        case u't': result += u'\t'; break;
        case u'\\': result += u'\\'; break;
        case u'u': {
            if (text.size() - i < 5)  // four hex digits must follow
                return std::nullopt;
            char16_t unit = 0;
            for (std::size_t d = 1; d <= 4; ++d) {
                const int digit = HexDigit(text[i + d]);
                if (digit < 0)
                    return std::nullopt;
                unit = static_cast<char16_t>(unit * 16 + digit);
            }
            if (unit == 0)  // a terminator would cut the block short
                return std::nullopt;
            result += unit;
            i += 4;
            break;
        }
        default: return std::nullopt;
        }
    }
    return result;
}

std::optional<PublishPlan> ParsePublishArguments(const std::vector<std::u16string> &arguments,
                                                 std::string &error)
{
    PublishPlan plan;
    bool haveScene = false;
    int blockOptions = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string &option = arguments[i];
        // The values that follow this option, up to the next option.
        std::vector<std::u16string> values;
        for (std::size_t j = i + 1; j < arguments.size() && !IsOption(arguments[j]); ++j)
            values.push_back(arguments[j]);
        auto single = [&](const char *name) -> const std::u16string * {
            if (values.size() != 1) {
                error = std::string(name) + " needs exactly one value";
                return nullptr;
            }
            return &values[0];
        };
        std::optional<PublishStep> step;

        if (option == u"--scene") {
            const auto *value = single("--scene");
            if (!value)
                return std::nullopt;
            if (value->empty()) {
                error = "--scene must not be empty";
                return std::nullopt;
            }
            plan.sceneGuid = *value;
            haveScene = true;
        } else if (option == u"--hold") {
            const auto *value = single("--hold");
            if (!value)
                return std::nullopt;
            const auto seconds = ParseArgumentNumber(*value);
            if (!seconds || *seconds < 0) {
                error = "--hold needs a number of seconds";
                return std::nullopt;
            }
            plan.holdSeconds = static_cast<unsigned>(*seconds);
        } else if (option == u"--ready-file") {
            const auto *value = single("--ready-file");
            if (!value)
                return std::nullopt;
            plan.readyFile = *value;
        } else if (option == u"--script") {
            const auto *value = single("--script");
            if (!value)
                return std::nullopt;
            plan.scriptPath = *value;
            ++blockOptions;
        } else if (option == u"--text-block" || option == u"--style-block") {
            const auto *value = single(option == u"--text-block" ? "--text-block" : "--style-block");
            if (!value)
                return std::nullopt;
            step = RawStep(option == u"--text-block" ? PublishStep::Kind::Text : PublishStep::Kind::Style,
                           *value, error);
            if (!step) {
                error = (option == u"--text-block" ? "--text-block: " : "--style-block: ") + error;
                return std::nullopt;
            }
        } else if (option == u"--text" || option == u"--style") {
            step = option == u"--text" ? TextStep(values, error) : StyleStep(values, error);
            if (!step)
                return std::nullopt;
        } else {
            error = "unknown argument '" + Narrow(option) + "'";
            return std::nullopt;
        }

        if (step) {
            plan.steps.push_back(std::move(*step));
            ++blockOptions;
        }
        i += values.size();
    }

    if (!haveScene) {
        error = "--scene is required";
        return std::nullopt;
    }
    if (blockOptions != 1) {
        error = "give exactly one of --text-block, --style-block, --text, --style, --script";
        return std::nullopt;
    }
    return plan;
}

std::optional<std::vector<PublishStep>> ParsePublishScript(std::u16string_view script,
                                                           std::string &error)
{
    std::vector<PublishStep> steps;
    std::size_t lineNumber = 0;
    std::size_t position = 0;
    while (position <= script.size()) {
        std::size_t end = script.find(u'\n', position);
        if (end == std::u16string_view::npos)
            end = script.size();
        std::u16string_view line = script.substr(position, end - position);
        position = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);

        const std::size_t first = line.find_first_not_of(u" \t");
        if (first == std::u16string_view::npos || line[first] == u'#')
            continue;
        std::string reason;
        auto step = ScriptStep(line.substr(first), reason);
        if (!step) {
            error = "script line " + std::to_string(lineNumber) + ": " + reason;
            return std::nullopt;
        }
        steps.push_back(std::move(*step));
    }
    if (std::none_of(steps.begin(), steps.end(), [](const PublishStep &step) { return step.kind != PublishStep::Kind::Wait; })) {
        error = "the script writes no block";
        return std::nullopt;
    }
    return steps;
}
