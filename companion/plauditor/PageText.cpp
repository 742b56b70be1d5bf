#include "companion/plauditor/PageText.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdlib>

namespace {

struct PageString {
    const char *key;
    const char *chinese;
    const char *english;
};

constexpr PageString kStrings[] = {
    {"title", "Plauditor 答谢助手", "Plauditor thank-you helper"},
    {"scene", "场景", "scene"},
    {"taken", "收到礼物事件", "events taken"},
    {"refused", "拒收", "refused"},
    {"hidden", "其中未达最低数量未显示", "of them below the minimum, not shown"},
    {"noLine", "还没有答谢", "no thank-you line yet"},
    {"notAnswering", "(助手没有响应)", "(companion not answering)"},
    {"testGift", "发送测试礼物", "Send a test gift"},
    {"user", "观众", "user"},
    {"gift", "礼物", "gift"},
    {"count", "数量", "count"},
    {"sent", "已发送:收下 ", "sent: taken "},
    {"notSent", "未发送:", "not sent: "},
    {"styleTitle", "外观", "Look"},
    {"groupText", "文字", "Text"},
    {"groupOutline", "描边", "Outline"},
    {"groupBackground", "背景", "Background"},
    {"groupBox", "文本框与排版", "Box and layout"},
    {"groupMotion", "动态", "Motion"},
    {"font", "字体", "Font"},
    {"fontSize", "字号", "Size"},
    {"color", "颜色", "Colour"},
    {"textOpacity", "不透明度 %", "Opacity %"},
    {"bold", "粗体", "Bold"},
    {"italic", "斜体", "Italic"},
    {"underline", "下划线", "Underline"},
    {"useOutline", "显示描边", "Show the outline"},
    {"outlineColor", "描边颜色", "Outline colour"},
    {"outlineSize", "描边粗细", "Outline size"},
    {"outlineOpacity", "描边不透明度 %", "Outline opacity %"},
    {"backgroundColor", "背景颜色", "Background colour"},
    {"backgroundOpacity", "背景不透明度 %", "Background opacity %"},
    {"useTextExtents", "固定文本框大小", "Fixed box size"},
    {"extentWidth", "宽", "Width"},
    {"extentHeight", "高", "Height"},
    {"wrap", "自动换行", "Wrap long lines"},
    {"scrollMode", "新答谢在底部(滚动模式)", "Newest line at the bottom (scroll mode)"},
    {"align", "对齐", "Alignment"},
    {"alignLeft", "左对齐", "Left"},
    {"alignCenter", "居中", "Centre"},
    {"alignRight", "右对齐", "Right"},
    {"vertical", "竖排", "Vertical text"},
    {"scrollSpeed", "滚动速度(0 为不滚动)", "Scroll speed (0: still)"},
    {"pointFiltering", "点采样(像素清晰)", "Point filtering (crisp pixels)"},
    {"previewNote", "预览是浏览器里的近似效果:字号最多显示到 64 像素,滚动不动画,描边与画面略有不同。",
     "The preview is the browser's approximation: sizes show at most 64 pixels, scrolling does not move, "
     "the outline differs slightly from the picture."},
    {"apply", "应用", "Apply"},
    {"save", "应用并保存", "Apply and save"},
    {"applied", "已应用到画面", "Applied to the picture"},
    {"saved", "已应用并保存到 Plauditor.json", "Applied and saved to Plauditor.json"},
    {"failed", "没有应用:", "Not applied: "},
    {"rulesTitle", "礼物规则", "Gift rules"},
    {"comboSeconds", "连击合并(秒,0 为不合并)", "Merge combos within (s, 0: never)"},
    {"lineSeconds", "答谢停留(秒,0 为一直显示)", "Lines leave after (s, 0: they stay)"},
    {"minCount", "最低数量(更少不显示)", "Minimum count (fewer: not shown)"},
    {"giftName", "礼物名", "Gift"},
    {"giftTemplate", "专属答谢语(空:默认)", "Its own line (empty: the default)"},
    {"giftMin", "最低数量(空:同上)", "Minimum (empty: as above)"},
    {"addGift", "添加礼物", "Add a gift"},
    {"remove", "删除", "Remove"},
    {"templateHelp", "答谢语中:{user} 观众,{gift} 礼物,{count} 数量", "In a line: {user} viewer, {gift} gift, {count} count"},
};

const char *Text(const PageString &entry, PageLanguage language)
{
    return language == PageLanguage::English ? entry.english : entry.chinese;
}

std::string HtmlEscaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '&': escaped += "&amp;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string Lower(std::string_view text)
{
    std::string lower;
    for (const char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// q of one range ("en-GB;q=0.8"): 1 without a q, 0 when unreadable.
double Quality(std::string_view parameters)
{
    const std::size_t at = parameters.find("q=");
    if (at == std::string_view::npos)
        return 1.0;
    const std::string value(Trimmed(parameters.substr(at + 2)));
    char *end = nullptr;
    const double q = std::strtod(value.c_str(), &end);
    return end != value.c_str() && q >= 0 && q <= 1 ? q : 0.0;
}

} // namespace

PageLanguage PickPageLanguage(std::string_view acceptLanguage)
{
    double bestChinese = 0;
    double bestEnglish = 0;
    bool englishFirst = false;
    while (!acceptLanguage.empty()) {
        const std::size_t comma = acceptLanguage.find(',');
        const std::string_view item = Trimmed(acceptLanguage.substr(0, comma));
        acceptLanguage = comma == std::string_view::npos ? std::string_view() : acceptLanguage.substr(comma + 1);
        const std::size_t semicolon = item.find(';');
        const std::string tag = Lower(Trimmed(item.substr(0, semicolon)));
        const double q = semicolon == std::string_view::npos ? 1.0 : Quality(item.substr(semicolon + 1));
        const std::string primary = tag.substr(0, tag.find('-'));
        if (primary == "zh" && q > bestChinese) {
            bestChinese = q;
        } else if (primary == "en" && q > bestEnglish) {
            englishFirst = englishFirst || bestChinese == 0;
            bestEnglish = q;
        }
    }
    const bool english = bestEnglish > bestChinese || (bestEnglish > 0 && bestEnglish == bestChinese && englishFirst);
    return english ? PageLanguage::English : PageLanguage::Chinese;
}

std::string LocalisePage(std::string_view page, PageLanguage language)
{
    nlohmann::json strings = nlohmann::json::object();
    for (const PageString &entry : kStrings)
        strings[entry.key] = Text(entry, language);
    std::string out;
    while (!page.empty()) {
        const std::size_t open = page.find("{{");
        const std::size_t close = open == std::string_view::npos ? open : page.find("}}", open);
        if (close == std::string_view::npos) {
            out += page;
            break;
        }
        out += page.substr(0, open);
        const std::string_view key = page.substr(open + 2, close - open - 2);
        if (key == "lang")
            out += language == PageLanguage::English ? "en" : "zh-CN";
        else if (key == "strings")
            out += strings.dump();
        else if (strings.contains(key))
            out += HtmlEscaped(strings[std::string(key)].get<std::string>());
        else
            out += page.substr(open, close + 2 - open);
        page.remove_prefix(close + 2);
    }
    return out;
}
