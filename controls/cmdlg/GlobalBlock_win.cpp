#include "controls/cmdlg/GlobalBlock_win.h"

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

GlobalBlock::GlobalBlock(size_t bytes) : handle_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {
    if (!handle_) throw RuntimeFailure(tarvex::ErrorNumber::OutOfMemory);
}

void GlobalBlock::Free() {
    if (handle_) GlobalFree(handle_);
    handle_ = nullptr;
}

}  // namespace tarvex::cmdlg
