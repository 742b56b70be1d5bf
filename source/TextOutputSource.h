#pragma once
#include "host/OBSApi.h"
#include "source/PixelStore.h"
#include "source/TextureLayout.h"

// The plug-in's one image source: shows the thank-you text that the companion program
// publishes for the source's scene. Storage comes from MainAllocator, zero-filled, and the
// host destroys the object through its virtual destructor.
//
// Fields are public: the object is a plain record of its settings and render state, and
// tests read them directly.
class TextOutputSource : public ImageSource {
public:
    String currentText;          // what is rasterised and shown
    Texture *texture = nullptr;  // owned; null until the first rasterisation
    float scrollOffset = 0.0f;   // in texture widths (or heights when vertical), -1..1
    float extentHighlightTime = 0.0f;  // seconds the extent box stays highlighted

    int mode = 0;                // 0: textSetting, 1: the file filePath
    String textSetting;
    String filePath;
    String fontName;
    int fontSize = 0;
    int color = 0;               // 0xAARRGGBB, only RGB is used
    int textOpacity = 0;         // percent
    int drawOpacity = 0;         // percent, fixed at 100
    int scrollSpeed = 0;         // texture pixels per second; 0 = still
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool vertical = false;
    int backgroundOpacity = 0;
    int backgroundColor = 0;
    bool useOutline = false;
    float outlineSize = 0.0f;
    int outlineColor = 0;
    int outlineOpacity = 0;
    bool useTextExtents = false;
    unsigned extentWidth = 0;    // in base-size units
    unsigned extentHeight = 0;
    bool wrap = false;
    bool scrollMode = false;     // bottom-anchored line fitting
    int align = 0;
    float baseSizeCX = 0.0f;
    float baseSizeCY = 0.0f;
    int textureWidth = 0;
    int textureHeight = 0;
    bool pointFiltering = false;
    bool fileMonitorActive = false;
    OSFileChangeData *fileMonitor = nullptr;
    SamplerState *pointSampler = nullptr;   // owned, made on first point-filtered draw
    SamplerState *scrollSampler = nullptr;  // owned, wrapping sampler for scrolling
    XElement *data = nullptr;               // not owned
    String sourceGuid;                      // cached "guid" setting
    PixelStore pixelStore;                  // the canvas's memory, kept between rebuilds

    explicit TextOutputSource(XElement *dataElement);
    ~TextOutputSource() override;
    TextOutputSource(const TextOutputSource &) = delete;
    TextOutputSource &operator=(const TextOutputSource &) = delete;

    // The storage came from MainAllocator, so the deleting destructor returns it there.
    static void operator delete(void *block) { Free(block); }

    void Preprocess() override;
    void Tick(float seconds) override;
    void Render(const Vect2 &position, const Vect2 &size) override;
    Vect2 GetSize() const override;
    void UpdateSettings() override;
    void BeginScene() override;
    void EndScene() override;

    void SetFloat(CTSTR name, float value) override;
    void SetInt(CTSTR name, int value) override;
    void SetString(CTSTR name, CTSTR value) override;

    // Rasterises the current text and style into `texture`.
    void UpdateTexture();

    // The settings that lay out the text, with the outline size as it is drawn.
    LayoutSettings Layout() const;

private:
    // Reads both channels of the source's scene and rebuilds the texture on news.
    void PollChannels();
};
