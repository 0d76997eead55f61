#pragma once
// The number of the control's error that a call raises, 0 when it raises
// none; any other exception goes on to fail the test.

#include <cstdint>
#include <functional>

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg::test {

inline int32_t NumberRaisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const CommonDialogError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace tarvex::cmdlg::test
