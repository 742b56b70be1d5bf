#include "SceneTree.h"

SceneTree::SceneTree()
{
    config.Create(L"unsaved_scene_tree.json");
    scenes = config.GetRootElement()->CreateElement(L"scenes");
}

XElement *SceneTree::AddScene(CTSTR name)
{
    return scenes->CreateElement(name)->CreateElement(L"sources");
}

XElement *SceneTree::AddSource(XElement *sceneSources, CTSTR name)
{
    XElement *source = sceneSources->CreateElement(name);
    source->CreateElement(L"data");
    return source;
}

XElement *SceneTree::NewDataElement()
{
    static int counter = 0;
    String name(L"Scene ");
    name << ++counter;
    return DataOf(AddSource(AddScene(name), L"Thanks"));
}
