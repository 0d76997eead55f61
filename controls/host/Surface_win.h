#pragma once
// The drawing surface of a self-drawn control: a child window with its own
// persistent image, font, fore- and back-colour, enabled flag and pointer.
// hDC is the image's device context, so whatever the control draws stays
// until it draws again and can be read back.

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/PersistentImage_win.h"
#include "controls/host/PropertyBag.h"
#include "controls/host/WindowBase_win.h"

namespace tarvex::host {

class Surface : public WindowBase {
public:
    HDC SurfaceDC() const { return image_.DC(); }
    PersistentImage& Image() { return image_; }
    int PixelWidth() const { return image_.Width(); }
    int PixelHeight() const { return image_.Height(); }

    uint32_t SurfaceBackColor() const { return backColor_; }
    void SetSurfaceBackColor(uint32_t colour);
    uint32_t SurfaceForeColor() const { return foreColor_; }
    void SetSurfaceForeColor(uint32_t colour);
    const FontDescription& SurfaceFont() const { return font_; }
    void SetSurfaceFont(const FontDescription& font);
    bool SurfaceFontTransparent() const { return fontTransparent_; }
    void SetSurfaceFontTransparent(bool transparent);
    bool SurfaceEnabled() const;
    void SetSurfaceEnabled(bool enabled);
    int16_t SurfaceMousePointer() const { return mousePointer_; }
    void SetSurfaceMousePointer(int16_t pointer) { mousePointer_ = pointer; }

    // Text extent in the surface's font, in pixels.
    SIZE TextSize(const std::string& text) const;
    // Clears the image to the back colour.
    void Cls();
    // Shows the current image on the screen.
    void ShowImage();
    // Position and size within the parent window, in pixels.
    RECT RectInParent() const;
    void MoveTo(int x, int y, int width, int height);

protected:
    Surface();
    HWND CreateSurface(const char* className, DWORD style, int x, int y, int width, int height, HWND parent);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window's size changed; the image already has the new size.
    virtual void OnResize() {}

private:
    // Declared before the image so that it outlives the device context it
    // is selected into.
    FontHandle fontHandle_;
    PersistentImage image_;
    FontDescription font_;
    uint32_t backColor_;
    uint32_t foreColor_;
    bool fontTransparent_ = true;
    int16_t mousePointer_ = 0;
};

}  // namespace tarvex::host
