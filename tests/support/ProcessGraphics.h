#pragma once
#include "hostlib/HostGraphicsControl.h"

// One software graphics system for the whole test program, installed as GS on first use,
// recording on. Shaders that the plug-in loads once per process stay valid with it.
GraphicsSystem *ProcessGraphics();
