// The English string table.
#include "host/HostServices.h"

#include <cwchar>

namespace {

struct LocaleEntry {
    CTSTR key;
    CTSTR text;
};

constexpr LocaleEntry englishTable[] = {
    {L"Sources.TextSource.FontNotFound", L"The font '$1' could not be found."},
    {L"Sources.TextSource.Name", L"Text"},
    {L"OK", L"OK"},
    {L"Cancel", L"Cancel"},
};

LocaleStringLookup englishLocale;

}  // namespace

HOSTAPI LocaleStringLookup *locale = &englishLocale;

CTSTR LocaleStringLookup::LookupString(CTSTR key) const
{
    if (!key)
        return L"";
    for (const LocaleEntry &entry : englishTable) {
        if (std::wcscmp(entry.key, key) == 0)
            return entry.text;
    }
    return key;
}
