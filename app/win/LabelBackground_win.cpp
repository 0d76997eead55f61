#include "app/win/LabelBackground_win.h"

#include "controls/host/GdiHandles_win.h"
#include "controls/host/Surface_win.h"
#include "controls/host/WindowBase_win.h"

namespace tarvex::win {

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
    host::BitmapHandle copy(CreateCompatibleBitmap(container->SurfaceDC(), width, height));
    {
        host::MemoryDC copyDC(labelDC);
        host::SelectedObject selected(copyDC.Get(), copy.Get());
        BitBlt(copyDC.Get(), 0, 0, width, height, container->SurfaceDC(), place.left, place.top, SRCCOPY);
    }
    host::BrushHandle brush(CreatePatternBrush(copy.Get()));
    if (!brush) return nullptr;

    host::BrushHandle& kept = brushes_[label];
    kept = std::move(brush);
    SetBrushOrgEx(labelDC, 0, 0, nullptr);
    return kept.Get();
}

}  // namespace tarvex::win
