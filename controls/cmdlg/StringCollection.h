#pragma once
// An ordered list of texts read as `Count` and `Item(n)`, items numbered
// from 1, as callers of the dialog control read its answer.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::cmdlg {

class StringCollection {
public:
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    // Error 9 "Subscript out of range" outside 1..Count.
    const std::string& Item(int32_t index) const;
    void Add(std::string item) { items_.push_back(std::move(item)); }
    const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
};

}  // namespace tarvex::cmdlg
