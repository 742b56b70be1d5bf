#pragma once
class TextOutputSource;

// Hands finished pixels (blue, green, red, alpha; rows top first, `width`*4 bytes each) to
// the source's texture. The same size refreshes the existing texture; a new size replaces
// it, storing the size first, so a failed creation is retried only at another size.
void UploadTexture(TextOutputSource &source, unsigned width, unsigned height, void *pixels);
