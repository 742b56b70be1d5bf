#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// Pixel memory a source keeps between rebuilds. New pages are faulted in and zeroed by the
// system on first touch, under Wine several microseconds a page: for a thank-you line more
// than clearing and uploading it cost. Canvases up to kKeptPixels reuse the kept block;
// larger ones (up to 256 MB at the size limit) take fresh memory and give it back.
class PixelStore {
public:
    static constexpr std::size_t kKeptPixels = std::size_t{4} << 20;  // 16 MiB

    struct Free {
        void operator()(void *memory) const { std::free(memory); }
    };
    using Block = std::unique_ptr<std::uint32_t[], Free>;

    // Memory for `pixels` pixels, or null. `zeroed` tells whether it is all zero: fresh
    // memory is, memory used before is not.
    std::uint32_t *Take(std::size_t pixels, Block &owned, bool &zeroed)
    {
        zeroed = true;
        if (pixels == 0)
            return nullptr;
        if (pixels <= capacity) {
            zeroed = false;
            return kept.get();
        }
        Block fresh(static_cast<std::uint32_t *>(std::calloc(pixels, 4)));
        if (!fresh || pixels > kKeptPixels) {
            owned = std::move(fresh);
            return owned.get();
        }
        kept = std::move(fresh);
        capacity = pixels;
        return kept.get();
    }

private:
    Block kept;
    std::size_t capacity = 0;
};
