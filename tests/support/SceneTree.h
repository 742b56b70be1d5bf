#pragma once
#include "host/OBSApi.h"

#include <string>

// A configuration tree shaped like the host's scene collection:
// root / scenes / <scene> / sources / <source> / data. The data element's grandparent is
// the scene's "sources" element, where the scene identifier lives.
class SceneTree {
    XConfig config;
    XElement *scenes = nullptr;

public:
    SceneTree();

    // A new scene; returns its "sources" element.
    XElement *AddScene(CTSTR name);
    // A new source element (with an empty "data" child) under a scene's "sources" element.
    XElement *AddSource(XElement *sceneSources, CTSTR name);
    // The data element of a new source in a new scene: the common case.
    XElement *NewDataElement();

    static XElement *DataOf(XElement *source) { return source->GetElement(L"data"); }

    XElement *Root() const { return config.GetRootElement(); }
    bool SaveAs(const std::wstring &path) { return config.SaveAs(path.c_str()); }
};
