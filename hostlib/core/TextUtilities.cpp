// scmpi and scpy_n. A null text reads as an empty one.
#include "host/HostServices.h"

#include <cwchar>

HOSTAPI int scmpi(CTSTR a, CTSTR b)
{
    // Ordinal comparison with Unicode upper-casing, independent of the thread's locale.
    int result = CompareStringOrdinal(a ? a : L"", -1, b ? b : L"", -1, TRUE);
    switch (result) {
    case CSTR_LESS_THAN: return -1;
    case CSTR_GREATER_THAN: return 1;
    default: return 0;
    }
}

HOSTAPI TSTR scpy_n(TSTR destination, CTSTR source, size_t maxChars)
{
    if (!destination)
        return destination;
    size_t length = source ? wcsnlen(source, maxChars) : 0;
    std::wmemmove(destination, source ? source : L"", length);
    destination[length] = L'\0';
    return destination;
}
