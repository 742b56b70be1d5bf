#pragma once
class TextOutputSource;

// Hands finished pixels (blue, green, red, alpha; rows top first, `width`*4 bytes each) to
// the source's texture. An existing texture of the same size is refreshed in place;
// otherwise the texture is replaced by a new one of the new size, which is stored first.
// A source left without a texture (a failed creation) tries again on its next call, even
// at the same size, rather than staying blank until the size changes.
void UploadTexture(TextOutputSource &source, unsigned width, unsigned height, void *pixels);
