#include "hostlib/graphics/GraphicsRecorder.h"

#include <cstring>
#include <iterator>

RecordedGraphicsCall *GraphicsRecorder::Record(const char *name)
{
    if (!enabled)
        return nullptr;
    RecordedGraphicsCall &call = calls.emplace_back(RecordedGraphicsCall{});
    std::strncpy(call.name, name, sizeof call.name - 1);
    return &call;
}

void SetRecordedFloats(RecordedGraphicsCall &call, std::initializer_list<float> values)
{
    call.floatCount = 0;
    for (float value : values)
        if (call.floatCount < static_cast<int>(std::size(call.floats)))
            call.floats[call.floatCount++] = value;
}

void SetRecordedInts(RecordedGraphicsCall &call, std::initializer_list<unsigned> values)
{
    call.intCount = 0;
    for (unsigned value : values)
        if (call.intCount < static_cast<int>(std::size(call.ints)))
            call.ints[call.intCount++] = value;
}

void SetRecordedPath(RecordedGraphicsCall &call, const wchar_t *path)
{
    if (!path)
        return;
    const size_t capacity = std::size(call.path) - 1;
    size_t length = 0;
    while (length < capacity && path[length])
        ++length;
    std::memcpy(call.path, path, length * sizeof(wchar_t));
    call.path[length] = 0;
}
