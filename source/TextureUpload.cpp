#include "source/TextureUpload.h"
#include "source/TextOutputSource.h"

void UploadTexture(TextOutputSource &source, unsigned width, unsigned height, void *pixels)
{
    const bool sameSize = width == static_cast<unsigned>(source.textureWidth) &&
                          height == static_cast<unsigned>(source.textureHeight);
    if (sameSize && source.texture) {
        source.texture->SetImage(pixels, GS_IMAGEFORMAT_BGRA, width * 4);
    } else {
        delete source.texture;
        source.texture = nullptr;
        source.textureWidth = static_cast<int>(width);
        source.textureHeight = static_cast<int>(height);
        if (GS)
            source.texture = GS->CreateTexture(width, height, GS_BGRA, pixels, FALSE, FALSE);
    }
    if (!source.texture)
        AppWarning(L"TextSource::UpdateTexture: could not create texture");
}
