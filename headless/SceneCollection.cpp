#include "headless/SceneCollection.h"

namespace {

std::wstring Quoted(CTSTR text)
{
    return L"\"" + std::wstring(text ? text : L"") + L"\"";
}

} // namespace

bool ListSceneSources(XElement *root, std::vector<SceneSourceEntry> &entries, std::wstring &error)
{
    entries.clear();
    XElement *scenes = root ? root->GetElement(L"scenes") : nullptr;
    if (!scenes) {
        error = L"no \"scenes\" object";
        return false;
    }
    for (unsigned s = 0; s < scenes->NumElements(); ++s) {
        XElement *scene = scenes->GetElementByID(s);
        XElement *sources = scene->GetElement(L"sources");
        if (!sources) {
            if (scene->HasItem(L"sources")) {
                error = L"scene " + Quoted(scene->GetName()) + L": \"sources\" is not an object";
                return false;
            }
            continue;
        }
        for (unsigned i = 0; i < sources->NumElements(); ++i) {
            XElement *source = sources->GetElementByID(i);
            const std::wstring where = L"source " + Quoted(source->GetName()) + L" in scene " + Quoted(scene->GetName());
            CTSTR className = source->GetString(L"class");
            if (!className || !*className) {
                error = where + L" has no \"class\"";
                return false;
            }
            if (source->HasItem(L"data") && !source->GetElement(L"data")) {
                error = where + L": \"data\" is not an object";
                return false;
            }
            entries.push_back({scene->GetName(), source->GetName(), className, source});
        }
    }
    return true;
}

std::vector<std::wstring> SceneNames(XElement *root)
{
    std::vector<std::wstring> names;
    XElement *scenes = root ? root->GetElement(L"scenes") : nullptr;
    for (unsigned s = 0; scenes && s < scenes->NumElements(); ++s)
        names.push_back(scenes->GetElementByID(s)->GetName());
    return names;
}

XElement *DataElementOf(XElement *sourceElement)
{
    XElement *data = sourceElement->GetElement(L"data");
    return data ? data : sourceElement->CreateElement(L"data");
}
