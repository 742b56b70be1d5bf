#pragma once
#include "hostlib/HostGraphicsControl.h"

#include <initializer_list>
#include <vector>

// The optional log of graphics calls. Shared by a graphics system and the objects it made,
// so objects outliving the system can still record (or quietly not).
class GraphicsRecorder {
    bool enabled = false;
    std::vector<RecordedGraphicsCall> calls;

public:
    void SetEnabled(bool on) { enabled = on; }
    void Clear() { calls.clear(); }
    size_t Size() const { return calls.size(); }
    const RecordedGraphicsCall &At(size_t index) const { return calls[index]; }

    // A zeroed entry named `name` to fill in, or null while recording is off. Valid until
    // the next Record.
    RecordedGraphicsCall *Record(const char *name);
};

void SetRecordedFloats(RecordedGraphicsCall &call, std::initializer_list<float> values);
void SetRecordedInts(RecordedGraphicsCall &call, std::initializer_list<unsigned> values);
void SetRecordedPath(RecordedGraphicsCall &call, const wchar_t *path);
