// The API object handed to plug-ins and its source-class registry.
// (GS and the hook that installs a graphics system live in hostlib/graphics/.)
#include "hostlib/HostControl.h"
#include "HostLock.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct RegisteredClass {
    std::wstring className;
    std::wstring displayName;
    HostSourceClass view;   // points into the strings above
};

struct Registry {
    HostLock mutex;
    std::vector<std::unique_ptr<RegisteredClass>> classes;

    RegisteredClass *Find(std::wstring_view name)
    {
        for (auto &entry : classes) {
            if (entry->className == name)
                return entry.get();
        }
        return nullptr;
    }
};

Registry &TheRegistry()
{
    static Registry *registry = new Registry;   // plug-ins may unload after static destruction
    return *registry;
}

std::atomic<float> framesPerSecond{30.0f};
std::atomic<UINT> baseWidth{1920};
std::atomic<UINT> baseHeight{1080};

class HeadlessApi final : public APIInterface {
public:
    HWND GetMainWindow() const override { return nullptr; }
    HINSTANCE GetAppInstance() const override { return GetModuleHandleW(nullptr); }

    void GetBaseSize(UINT &width, UINT &height) const override
    {
        width = baseWidth;
        height = baseHeight;
    }

    void EnterSceneMutex() override { SceneMutex().lock(); }
    void LeaveSceneMutex() override { SceneMutex().unlock(); }

    // A class registered again under the same name replaces the earlier entry.
    void RegisterImageSourceClass(CTSTR className, CTSTR displayName, OBSCREATEPROC create,
                                  OBSCONFIGPROC configure) override
    {
        Registry &registry = TheRegistry();
        std::lock_guard<HostLock> lock(registry.mutex);
        std::wstring name = className ? className : L"";
        RegisteredClass *entry = registry.Find(name);
        if (!entry) {
            registry.classes.push_back(std::make_unique<RegisteredClass>());
            entry = registry.classes.back().get();
        }
        entry->className = std::move(name);
        entry->displayName = displayName ? displayName : L"";
        entry->view = {entry->className.c_str(), entry->displayName.c_str(), create, configure};
    }

    float GetFPS() const override { return framesPerSecond; }

private:
    static HostLock &SceneMutex()
    {
        static HostLock *mutex = new HostLock;
        return *mutex;
    }
};

constinit HeadlessApi headlessApi;

}  // namespace

HOSTAPI APIInterface *API = &headlessApi;

HOSTAPI unsigned HostRegisteredClassCount()
{
    Registry &registry = TheRegistry();
    std::lock_guard<HostLock> lock(registry.mutex);
    return unsigned(registry.classes.size());
}

HOSTAPI const HostSourceClass *HostRegisteredClass(unsigned index)
{
    Registry &registry = TheRegistry();
    std::lock_guard<HostLock> lock(registry.mutex);
    return index < registry.classes.size() ? &registry.classes[index]->view : nullptr;
}

HOSTAPI const HostSourceClass *HostFindClass(CTSTR className)
{
    Registry &registry = TheRegistry();
    std::lock_guard<HostLock> lock(registry.mutex);
    RegisteredClass *entry = registry.Find(className ? className : L"");
    return entry ? &entry->view : nullptr;
}

HOSTAPI void HostClearRegisteredClasses()
{
    Registry &registry = TheRegistry();
    std::lock_guard<HostLock> lock(registry.mutex);
    registry.classes.clear();
}

HOSTAPI void HostSetFPS(float fps) { framesPerSecond = fps; }

HOSTAPI void HostSetBaseSize(UINT width, UINT height)
{
    baseWidth = width;
    baseHeight = height;
}
