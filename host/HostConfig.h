#pragma once
#include "HostExport.h"

// A node of the host's configuration tree: named values (integer, float or string) and
// named child elements, in the order they were added. Missing values yield the default.
// Reading a float as an integer, or an integer as a float, converts.
class HOSTAPI XElement {
public:
    // The parent link, read directly by plug-ins (no call); null at the root.
    XElement *parent = nullptr;

    CTSTR GetName() const;

    CTSTR GetString(CTSTR name, CTSTR defaultValue = nullptr) const;
    int GetInt(CTSTR name, int defaultValue = 0) const;
    float GetFloat(CTSTR name, float defaultValue = 0.0f) const;
    bool HasItem(CTSTR name) const;

    // Setting a value replaces one of the same name in place (keeping its position) or
    // appends it; the value takes the setter's type.
    void SetString(CTSTR name, CTSTR value);
    void SetInt(CTSTR name, int value);
    void SetFloat(CTSTR name, float value);
    void RemoveItem(CTSTR name);

    XElement *GetElement(CTSTR name) const;
    XElement *CreateElement(CTSTR name);
    unsigned NumElements() const;
    XElement *GetElementByID(unsigned index) const;
    XElement *GetParent() const { return parent; }

    struct Body;
    Body *body = nullptr;   // the host's own storage

private:
    friend class XConfig;
    XElement(XElement *parentElement, CTSTR name);
    ~XElement();
    XElement(const XElement &) = delete;
    XElement &operator=(const XElement &) = delete;
};

// A configuration tree kept in a JSON file. Elements are JSON objects; values keep their
// type (integers stay integers, floats stay floats) and their order.
class HOSTAPI XConfig {
    XElement *root = nullptr;
    wchar_t *path = nullptr;
    wchar_t *lastError = nullptr;

public:
    XConfig();
    ~XConfig();
    XConfig(const XConfig &) = delete;
    XConfig &operator=(const XConfig &) = delete;

    // Loads a file; false with LastError() set when it is missing or not a valid tree.
    bool Open(CTSTR filePath);
    // An empty tree that will be saved to filePath.
    void Create(CTSTR filePath);
    bool Save();
    bool SaveAs(CTSTR filePath);
    void Close();

    XElement *GetRootElement() const { return root; }
    CTSTR LastError() const { return lastError; }
};
