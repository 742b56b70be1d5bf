#include "companion/plauditor/InstalledFonts.h"

#include "win/Handle.h"

#include <algorithm>

namespace {

int CALLBACK AddFamily(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM names)
{
    const std::u16string name(reinterpret_cast<const char16_t *>(font->lfFaceName));
    if (!name.empty() && name.front() != u'@')
        reinterpret_cast<std::vector<std::u16string> *>(names)->push_back(name);
    return 1;
}

std::vector<std::u16string> ReadFamilies()
{
    std::vector<std::u16string> names;
    const win::ScreenDC screen(GetDC(nullptr));
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.get(), &query, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace

const std::vector<std::u16string> &InstalledFontFamilies()
{
    static const std::vector<std::u16string> families = ReadFamilies();
    return families;
}
