#pragma once
// Helpers for the link tests: scene trees, fresh scene identifiers and the publishing tool
// run as a second process.
#include "host/OBSApi.h"

#include <string>

// root / scene / sources / <source> / data, like the host's scene collection: every data
// element of one scene has the same grandparent.
class LinkTestTree {
    XConfig config;

public:
    LinkTestTree();
    XElement *Root() const { return config.GetRootElement(); }
    // A new scene's "sources" element.
    XElement *NewScene();
    // The data element of a new source under sceneSources.
    XElement *NewSourceData(XElement *sceneSources);
    bool SaveAs(const std::wstring &path) { return config.SaveAs(path.c_str()); }
};

// A scene identifier no other test uses, so blocks of different tests never meet.
std::wstring FreshSceneGuid();

std::wstring TempFilePath(const wchar_t *stem);
std::string ReadWholeFile(const std::wstring &path);

// plauditor_publish.exe (beside the test program) run with arguments; stopped when the
// object goes. WaitReady() waits for its ready file.
class PublisherProcess {
    PROCESS_INFORMATION process{};
    std::wstring readyFile;

public:
    explicit PublisherProcess(const std::wstring &arguments, bool withReadyFile = true);
    ~PublisherProcess();
    PublisherProcess(const PublisherProcess &) = delete;
    PublisherProcess &operator=(const PublisherProcess &) = delete;

    bool Started() const { return process.hProcess != nullptr; }
    // True once the ready file exists; false when the publisher ended first or 30 s passed.
    bool WaitReady();
    // The exit code once the publisher has ended by itself (within 30 s), or -1.
    long WaitExitCode();
};
