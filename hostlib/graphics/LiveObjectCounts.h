#pragma once
#include "hostlib/HostGraphicsControl.h"

// Counts of graphics objects alive in the process, for leak checks.
enum class GraphicsObjectKind { Texture, Sampler, Shader };

void CountObjectCreated(GraphicsObjectKind kind);
void CountObjectDeleted(GraphicsObjectKind kind);
HostGraphicsObjectCounts CurrentObjectCounts();
