#include "ProcessGraphics.h"

GraphicsSystem *ProcessGraphics()
{
    static GraphicsSystem *graphics = [] {
        GraphicsSystem *made = HostCreateSoftwareGraphics(256, 256);
        HostSetGraphicsRecording(made, true);
        return made;
    }();
    HostInstallGraphics(graphics);
    return graphics;
}
