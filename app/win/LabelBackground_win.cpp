#include "app/win/LabelBackground_win.h"

#include "controls/host/Surface_win.h"
#include "controls/host/WindowBase_win.h"

namespace tarvex::win {

LabelBackground::~LabelBackground() {
    for (auto& [label, brush] : brushes_) DeleteObject(brush);
}

HBRUSH LabelBackground::BrushFor(HWND label, HDC labelDC) {
    auto* container = dynamic_cast<host::Surface*>(host::WindowBase::FromHandle(GetParent(label)));
    if (container == nullptr) return nullptr;
    RECT place;
    GetWindowRect(label, &place);
    MapWindowPoints(HWND_DESKTOP, GetParent(label), reinterpret_cast<POINT*>(&place), 2);
    int width = place.right - place.left;
    int height = place.bottom - place.top;
    if (width <= 0 || height <= 0) return nullptr;

    // A copy of what lies under the label; a pattern brush keeps its own copy.
    HDC copyDC = CreateCompatibleDC(labelDC);
    HBITMAP copy = CreateCompatibleBitmap(container->SurfaceDC(), width, height);
    HGDIOBJ previous = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, width, height, container->SurfaceDC(), place.left, place.top, SRCCOPY);
    SelectObject(copyDC, previous);
    DeleteDC(copyDC);
    HBRUSH brush = CreatePatternBrush(copy);
    DeleteObject(copy);
    if (brush == nullptr) return nullptr;

    HBRUSH& kept = brushes_[label];
    if (kept != nullptr) DeleteObject(kept);
    kept = brush;
    SetBrushOrgEx(labelDC, 0, 0, nullptr);
    return brush;
}

}  // namespace tarvex::win
