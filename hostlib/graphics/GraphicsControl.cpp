// The exported controls of HostGraphicsControl.h, and the GS pointer itself.
#include "hostlib/HostGraphicsControl.h"
#include "hostlib/graphics/LiveObjectCounts.h"
#include "hostlib/graphics/PngWriter.h"
#include "hostlib/graphics/SoftwareGraphics.h"

HOSTAPI GraphicsSystem *GS = nullptr;

namespace {

SoftwareGraphics *Software(GraphicsSystem *graphics)
{
    return dynamic_cast<SoftwareGraphics *>(graphics);
}

} // namespace

GraphicsSystem *HostCreateSoftwareGraphics(unsigned width, unsigned height)
{
    return new SoftwareGraphics(width, height);
}

void HostDestroySoftwareGraphics(GraphicsSystem *graphics)
{
    SoftwareGraphics *software = Software(graphics);
    if (!software)
        return;
    if (GS == graphics)
        GS = nullptr;
    delete software;
}

void HostInstallGraphics(GraphicsSystem *graphics)
{
    GS = graphics;
}

void HostSetGraphicsDrawing(GraphicsSystem *graphics, bool drawing)
{
    if (SoftwareGraphics *software = Software(graphics))
        software->SetDrawing(drawing);
}

void HostSetGraphicsRecording(GraphicsSystem *graphics, bool recording)
{
    if (SoftwareGraphics *software = Software(graphics))
        software->Recorder().SetEnabled(recording);
}

void HostClearGraphicsRecording(GraphicsSystem *graphics)
{
    if (SoftwareGraphics *software = Software(graphics))
        software->Recorder().Clear();
}

unsigned HostGraphicsRecordingSize(GraphicsSystem *graphics)
{
    SoftwareGraphics *software = Software(graphics);
    return software ? static_cast<unsigned>(software->Recorder().Size()) : 0;
}

bool HostGraphicsRecordedCall(GraphicsSystem *graphics, unsigned index, RecordedGraphicsCall *call)
{
    SoftwareGraphics *software = Software(graphics);
    if (!software || !call || index >= software->Recorder().Size())
        return false;
    *call = software->Recorder().At(index);
    return true;
}

void HostClearFrame(GraphicsSystem *graphics, DWORD argb)
{
    if (SoftwareGraphics *software = Software(graphics))
        software->Frame().Clear(argb);
}

unsigned HostFrameWidth(GraphicsSystem *graphics)
{
    SoftwareGraphics *software = Software(graphics);
    return software ? software->Frame().Width() : 0;
}

unsigned HostFrameHeight(GraphicsSystem *graphics)
{
    SoftwareGraphics *software = Software(graphics);
    return software ? software->Frame().Height() : 0;
}

const BYTE *HostFramePixels(GraphicsSystem *graphics)
{
    SoftwareGraphics *software = Software(graphics);
    return software ? software->Frame().Pixels() : nullptr;
}

DWORD HostFramePixel(GraphicsSystem *graphics, unsigned x, unsigned y)
{
    SoftwareGraphics *software = Software(graphics);
    return software ? software->Frame().ReadPixel(x, y) : 0;
}

bool HostSaveFramePng(GraphicsSystem *graphics, CTSTR path)
{
    SoftwareGraphics *software = Software(graphics);
    return software && WriteFramePng(software->Frame(), path);
}

const BYTE *HostTexturePixels(const Texture *texture)
{
    auto *software = dynamic_cast<const SoftwareTexture *>(texture);
    return software ? software->Pixels() : nullptr;
}

HostGraphicsObjectCounts HostLiveGraphicsObjects()
{
    return CurrentObjectCounts();
}
