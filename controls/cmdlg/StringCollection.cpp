#include "controls/cmdlg/StringCollection.h"

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

const std::string& StringCollection::Item(int32_t index) const {
    if (index < 1 || index > Count()) throw RuntimeFailure(tarvex::ErrorNumber::SubscriptOutOfRange);
    return items_[static_cast<size_t>(index - 1)];
}

}  // namespace tarvex::cmdlg
