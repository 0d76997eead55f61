#pragma once
// A window's persistent image: a memory bitmap that everything is drawn
// into and that the window copies to the screen when asked to paint, so
// drawing survives being covered and is never seen half done.

#include <windows.h>

#include <cstdint>

#include "controls/host/GdiHandles_win.h"

namespace tarvex::host {

class PersistentImage {
public:
    PersistentImage();
    ~PersistentImage();
    PersistentImage(const PersistentImage&) = delete;
    PersistentImage& operator=(const PersistentImage&) = delete;

    // Keeps what was drawn where the sizes overlap.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Draw here; the bitmap stays selected for the image's whole life.
    HDC DC() const { return dc_.Get(); }
    void Fill(COLORREF colour);
    void PaintTo(HDC target, const RECT& area) const;

    // Direct access to the 32-bit pixels (top-down rows, 0x00RRGGBB).
    uint32_t* Pixels() { return pixels_; }
    COLORREF PixelAt(int x, int y) const;

private:
    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tarvex::host
