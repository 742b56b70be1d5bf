#pragma once
#include "host/OBSApi.h"

// Reads the scene's text block. 1 when a block with a sequence number not yet taken in this
// process was taken: "mode" is written on data, and outText is replaced by the block's lines
// (joined with CR LF) when their count matches the one the block announces, else left as it
// was. 0 when nothing was taken; outText and data are then untouched.
int ReadTextChannel(String &outText, const String &sceneGuid, XElement *data);
