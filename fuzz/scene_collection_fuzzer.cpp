#include "headless/SceneCollection.h"
#include "hostlib/core/JsonTree.h"
#include "hostlib/core/XElementBody.h"

#include <cstdlib>

namespace {

// The tree read from JSON text, as the host reads a scene file; nothing when it refuses it.
struct Tree {
    XConfig config;
    bool read = false;
    std::wstring error;

    explicit Tree(std::string_view json)
    {
        config.Create(L"");
        read = ReadElementJson(json, *config.GetRootElement(), error);
        if (!read && error.empty())
            std::abort();
    }
};

std::string Written(const XElement &root)
{
    std::string json;
    std::wstring error;
    if (!WriteElementJson(root, json, error))
        std::abort();
    return json;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Tree tree(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!tree.read)
        return 0;
    XElement *root = tree.config.GetRootElement();
    std::vector<SceneSourceEntry> entries;
    std::wstring error;
    if (!ListSceneSources(root, entries, error)) {
        if (error.empty())
            std::abort();
    }
    for (const SceneSourceEntry &entry : entries)
        if (entry.className.empty() || !entry.element || !DataElementOf(entry.element))
            std::abort();

    // Saving what was read and reading it again keeps it: a second save writes the same text.
    const std::string once = Written(*root);
    Tree again(once);
    if (!again.read || Written(*again.config.GetRootElement()) != once)
        std::abort();
    return 0;
}
