#include "controls/host/PersistentImage_win.h"

#include <algorithm>

namespace tarvex::host {

PersistentImage::PersistentImage() {
    Resize(1, 1);
}

// A bitmap still selected into a device context cannot be deleted.
PersistentImage::~PersistentImage() {
    if (originalBitmap_) SelectObject(dc_.Get(), originalBitmap_);
}

void PersistentImage::Resize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return;
    MemoryDC scratch;
    {
        SelectedObject selected(scratch.Get(), bitmap.Get());
        RECT all{0, 0, width, height};
        FillRect(scratch.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
        if (width_ > 0) BitBlt(scratch.Get(), 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
    }
    HGDIOBJ previous = SelectObject(dc_.Get(), bitmap.Get());
    if (!originalBitmap_) originalBitmap_ = previous;
    bitmap_ = std::move(bitmap);
    pixels_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
}

void PersistentImage::Fill(COLORREF colour) {
    BrushHandle brush(CreateSolidBrush(colour));
    RECT all{0, 0, width_, height_};
    FillRect(dc_.Get(), &all, brush.Get());
}

void PersistentImage::PaintTo(HDC target, const RECT& area) const {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.Get(), area.left, area.top,
           SRCCOPY);
}

COLORREF PersistentImage::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const uint32_t pixel = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

}  // namespace tarvex::host
