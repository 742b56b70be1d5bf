#include "SoakBlocks.h"

#include <algorithm>

namespace {

std::u16string Wide(const std::string &ascii) { return std::u16string(ascii.begin(), ascii.end()); }
std::u16string Number(std::int64_t value) { return Wide(std::to_string(value)); }

// The block's 2048 bytes filled with text and no terminator anywhere.
std::vector<unsigned char> UnterminatedImage(std::u16string text, char16_t filler)
{
    text.resize(1024, filler);
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) {
        if (unit == 0)
            unit = filler;
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

const char16_t *const kNames[] = {u"小明", u"Alice", u"王小二", u"Bob", u"Zoë", u"李雷", u"Hannah", u"韩梅梅"};
const char16_t *const kGifts[] = {u"火箭", u"鲜花", u"小心心", u"游艇", u"棒棒糖"};
const char16_t *const kFonts[] = {u"WenQuanYi Zen Hei", u"Liberation Sans", u"Arial", u"No Such Font"};

// fontSize color textOpacity scrollSpeed backgroundColor backgroundOpacity bold italic
// underline vertical pointFiltering useOutline outlineColor outlineSize outlineOpacity
// useTextExtents extentWidth extentHeight wrap scrollMode align
enum StyleIndex {
    kFontSize, kColor, kTextOpacity, kScrollSpeed, kBackgroundColor, kBackgroundOpacity, kBold,
    kItalic, kUnderline, kVertical, kPointFiltering, kUseOutline, kOutlineColor, kOutlineSize,
    kOutlineOpacity, kUseTextExtents, kExtentWidth, kExtentHeight, kWrap, kScrollMode, kAlign,
    kStyleNumbers
};

const char *const kHostileTextKinds[] = {
    "text without terminator", "text with 70 fields",      "text with 70 lines",
    "text numbers past 2^31",  "text of non-digits",       "text with empty fields",
    "text of separators only", "text in file mode",        "text with a wrong line count",
    "text numbers negative",   "text line of 1000 units",  "text of random units",
};

const char *const kHostileStyleKinds[] = {
    "style font of 1000 units",  "style font of 940 units",    "style scrollSpeed 2147483647",
    "style extents 4294967295",  "style extents -1",           "style fontSize 0",
    "style fontSize -5",         "style fontSize 100000",      "style numbers past 2^31",
    "style of non-digits",       "style of 22 fields",         "style of 70 fields",
    "style without terminator",  "style outline 100000",       "style vertical fontSize 100000",
    "style with an empty font",
};

} // namespace

std::vector<unsigned char> TerminatedImage(std::u16string_view text)
{
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    if (bytes.size() > 2048)
        bytes.resize(2048);
    return bytes;
}

std::u16string ThankYouTextBlock(std::int32_t sequence, const std::vector<std::u16string> &lines)
{
    std::u16string text = Number(sequence) + u"|0|" + Number(static_cast<std::int64_t>(lines.size())) + u"|";
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? u"\r\n" : u"") + lines[i];
    return text;
}

std::u16string StyleBlockText(std::int32_t sequence, std::u16string_view font, const std::vector<std::int64_t> &numbers)
{
    std::u16string text = Number(sequence) + u"|" + std::u16string(font);
    for (std::int64_t number : numbers)
        text += u"|" + Number(number);
    return text;
}

std::vector<std::string> SoakBlockSource::HostileTextKinds()
{
    return {std::begin(kHostileTextKinds), std::end(kHostileTextKinds)};
}

std::vector<std::string> SoakBlockSource::HostileStyleKinds()
{
    return {std::begin(kHostileStyleKinds), std::end(kHostileStyleKinds)};
}

std::int32_t SoakBlockSource::NextSequence()
{
    sequence = sequence % (kSoakFinalSequenceBase - 1) + 1;
    return sequence;
}

int SoakBlockSource::Uniform(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

SoakBlock SoakBlockSource::NextText()
{
    if (Uniform(0, 9) == 0)
        return HostileText(static_cast<std::size_t>(Uniform(0, std::size(kHostileTextKinds) - 1)));
    return GoodText();
}

SoakBlock SoakBlockSource::NextStyle()
{
    if (Uniform(0, 9) == 0)
        return HostileStyle(static_cast<std::size_t>(Uniform(0, std::size(kHostileStyleKinds) - 1)));
    return GoodStyle();
}

SoakBlock SoakBlockSource::GoodText()
{
    std::vector<std::u16string> lines;
    const int count = Uniform(1, 6);
    for (int i = 0; i < count; ++i)
        lines.push_back(u"感谢 " + std::u16string(kNames[Uniform(0, 7)]) + u" 送出的 " + Number(Uniform(1, 999)) +
                        u" 个 " + kGifts[Uniform(0, 4)]);
    return {TerminatedImage(ThankYouTextBlock(NextSequence(), lines)), false, "text"};
}

SoakBlock SoakBlockSource::GoodStyle()
{
    std::vector<std::int64_t> n(kStyleNumbers, 0);
    n[kFontSize] = Uniform(16, 72);
    n[kColor] = static_cast<std::int32_t>(random());
    n[kTextOpacity] = Uniform(60, 100);
    n[kScrollSpeed] = Uniform(0, 2) == 0 ? Uniform(-200, 200) : 0;
    n[kBackgroundColor] = static_cast<std::int32_t>(random());
    n[kBackgroundOpacity] = Uniform(0, 80);
    n[kBold] = Uniform(0, 1);
    n[kItalic] = Uniform(0, 1);
    n[kUnderline] = Uniform(0, 7) == 0;
    n[kVertical] = Uniform(0, 7) == 0;
    n[kPointFiltering] = Uniform(0, 3) == 0;
    n[kUseOutline] = Uniform(0, 1);
    n[kOutlineColor] = static_cast<std::int32_t>(random());
    n[kOutlineSize] = Uniform(1, 4);
    n[kOutlineOpacity] = Uniform(50, 100);
    n[kUseTextExtents] = Uniform(0, 2) == 0;
    n[kExtentWidth] = Uniform(200, 1000);
    n[kExtentHeight] = Uniform(60, 300);
    n[kWrap] = Uniform(0, 1);
    n[kScrollMode] = Uniform(0, 1);
    n[kAlign] = Uniform(0, 2);
    return {TerminatedImage(StyleBlockText(NextSequence(), kFonts[Uniform(0, 3)], n)), false, "style"};
}

SoakBlock SoakBlockSource::HostileText(std::size_t kind)
{
    const std::u16string seq = Number(NextSequence());
    std::u16string text;
    switch (kind) {
    case 0:
        return {UnterminatedImage(seq + u"|0|1|" + u"满屏", u'x'), true, kHostileTextKinds[kind]};
    case 1:
        text = seq + u"|0|1";
        for (int i = 0; i < 67; ++i)
            text += u"|f" + Number(i);
        break;
    case 2:
        text = seq + u"|0|70|";
        for (int i = 1; i <= 70; ++i)
            text += (i > 1 ? u"\r\n" : u"") + (u"行" + Number(i));
        break;
    case 3:
        text = u"99999999999|4294967296|2147483648|overflow";
        break;
    case 4:
        text = u"abc|def|ghi|not numbers at all";
        break;
    case 5: {
        const std::u16string shapes[] = {seq + u"||1|x", seq + u"|0||x", u"|" + seq + u"|0|1|x|", seq + u"|0|1|"};
        text = shapes[Uniform(0, 3)];
        break;
    }
    case 6: {
        const std::u16string shapes[] = {u"||||||||||||", u"\r\n\r\n\r\n\r\n", u"|\r\n|\n\r|"};
        text = shapes[Uniform(0, 2)];
        break;
    }
    case 7:
        text = seq + u"|1|1|from a file";
        break;
    case 8:
        text = seq + u"|0|5|one line only";
        break;
    case 9:
        text = Uniform(0, 1) ? u"-1|-7|-3|negative" : u"-2147483648|-2147483648|-1|x";
        break;
    case 10:
        text = seq + u"|0|1|" + std::u16string(1000, u'W');
        break;
    default: {
        text.resize(static_cast<std::size_t>(Uniform(1, 1023)));
        for (char16_t &unit : text)
            unit = static_cast<char16_t>(Uniform(0, 9) == 0 ? u'|' : Uniform(1, 0xFFFF));
        break;
    }
    }
    return {TerminatedImage(text), true, kHostileTextKinds[std::min(kind, std::size(kHostileTextKinds) - 1)]};
}

SoakBlock SoakBlockSource::HostileStyle(std::size_t kind)
{
    const std::int32_t seq = NextSequence();
    std::vector<std::int64_t> n(kStyleNumbers, 0);
    n[kFontSize] = 40;
    n[kColor] = -1;
    n[kTextOpacity] = 100;
    n[kBackgroundOpacity] = 50;
    std::u16string font = u"WenQuanYi Zen Hei";
    std::u16string text;
    switch (kind) {
    case 0:
        return {UnterminatedImage(StyleBlockText(seq, std::u16string(1000, u'F'), n), u'0'), true, kHostileStyleKinds[kind]};
    case 1:
        font = std::u16string(940, u'F');
        break;
    case 2:
        n[kScrollSpeed] = Uniform(0, 1) ? 2147483647 : -2147483648LL;
        break;
    case 3:
    case 4:
        n[kUseTextExtents] = 1;
        n[kExtentWidth] = n[kExtentHeight] = kind == 3 ? 4294967295LL : -1;
        n[kWrap] = Uniform(0, 1);
        n[kScrollMode] = Uniform(0, 1);
        break;
    case 5:
        n[kFontSize] = 0;
        break;
    case 6:
        n[kFontSize] = -5;
        break;
    case 7:
        n[kFontSize] = 100000;
        break;
    case 8:
        std::fill(n.begin(), n.end(), 99999999999LL);
        break;
    case 9:
        text = Number(seq) + u"|" + font;
        for (int i = 0; i < kStyleNumbers; ++i)
            text += u"|x" + Number(i);
        break;
    case 10:
        n.pop_back();
        break;
    case 11:
        n.resize(68, 1);
        break;
    case 12:
        return {UnterminatedImage(StyleBlockText(seq, font, n) + u"|", u'7'), true, kHostileStyleKinds[kind]};
    case 13:
        n[kUseOutline] = 1;
        n[kOutlineSize] = 100000;
        break;
    case 14:
        n[kVertical] = 1;
        n[kFontSize] = 100000;
        break;
    default:
        font.clear();
        break;
    }
    if (text.empty())
        text = StyleBlockText(seq, font, n);
    return {TerminatedImage(text), true, kHostileStyleKinds[std::min(kind, std::size(kHostileStyleKinds) - 1)]};
}
