#pragma once
#include "host/OBSApi.h"

// Reads the scene's style block. 1 when a complete block with a sequence number not yet
// taken in this process was taken: "font" and the style values (kStyleValues) are written on
// data in block order. 0 when nothing was taken; data is then untouched.
int ReadStyleChannel(const String &sceneGuid, XElement *data);
