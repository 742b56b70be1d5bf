#pragma once
#include "host/OBSApi.h"

#include <string>
#include <vector>

// One source of the scene collection:
//   {"scenes": {"<scene>": {"sources": {"<source>": {"class": ..., "x": ..., "data": {...}}}}}}
struct SceneSourceEntry {
    std::wstring sceneName;
    std::wstring sourceName;
    std::wstring className;
    XElement *element = nullptr;   // the source's element in the tree
};

// Every source of every scene, in file order. False with a one-line reason naming the
// scene and source when the tree does not have that shape. A scene without "sources"
// simply has none.
bool ListSceneSources(XElement *root, std::vector<SceneSourceEntry> &entries, std::wstring &error);

// The names of the scenes, in file order (those without sources too); none without "scenes".
std::vector<std::wstring> SceneNames(XElement *root);

// The source's data element, created when missing.
XElement *DataElementOf(XElement *sourceElement);
