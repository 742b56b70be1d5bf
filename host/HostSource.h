#pragma once
#include "HostExport.h"
#include "HostMath.h"
#include "HostString.h"

class XElement;

// Base of every image source. The order of these virtual operations is part of the host
// contract: plug-ins built against it call and override them by slot.
class ImageSource {
public:
    virtual ~ImageSource() {}

    virtual void Preprocess() {}
    virtual void Tick(float seconds) {}
    virtual void Render(const Vect2 &position, const Vect2 &size) = 0;
    virtual Vect2 GetSize() const = 0;
    virtual void UpdateSettings() {}
    virtual void BeginScene() {}
    virtual void EndScene() {}
    virtual void GlobalSourceLeaveScene() {}
    virtual void GlobalSourceEnterScene() {}

    virtual void SetFloat(CTSTR name, float value) {}
    virtual void SetInt(CTSTR name, int value) {}
    virtual void SetString(CTSTR name, CTSTR value) {}
    virtual void SetVector(CTSTR name, const Vect &value) {}
    virtual void SetVector2(CTSTR name, const Vect2 &value) {}
    virtual void SetVector4(CTSTR name, const Vect4 &value) {}
    virtual void SetMatrix(CTSTR name, const Matrix &value) {}

    virtual bool GetFloat(CTSTR name, float &value) const { return false; }
    virtual bool GetInt(CTSTR name, int &value) const { return false; }
    virtual bool GetString(CTSTR name, String &value) const { return false; }
    virtual bool GetVector(CTSTR name, Vect &value) const { return false; }
    virtual bool GetVector2(CTSTR name, Vect2 &value) const { return false; }
    virtual bool GetVector4(CTSTR name, Vect4 &value) const { return false; }
    virtual bool GetMatrix(CTSTR name, Matrix &value) const { return false; }
};

// Create: gets the new source's data element, returns the source or null.
typedef ImageSource *(*OBSCREATEPROC)(XElement *data);
// Configure: gets the source's element (the flag is true when the source is new).
typedef bool (*OBSCONFIGPROC)(XElement *element, bool creating);

// The API object. RegisterImageSourceClass is its sixth virtual operation.
class APIInterface {
public:
    virtual HWND GetMainWindow() const = 0;
    virtual HINSTANCE GetAppInstance() const = 0;
    virtual void GetBaseSize(UINT &width, UINT &height) const = 0;
    virtual void EnterSceneMutex() = 0;
    virtual void LeaveSceneMutex() = 0;
    virtual void RegisterImageSourceClass(CTSTR className, CTSTR displayName,
                                          OBSCREATEPROC create, OBSCONFIGPROC configure) = 0;
    virtual float GetFPS() const = 0;
};

extern HOSTAPI APIInterface *API;
