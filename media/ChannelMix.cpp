#include "media/ChannelMix.h"

#include <cstddef>

namespace tarvex::media {

std::vector<double> MonoWeights(const ChannelRoles& roles) {
    if (roles.Count <= 0) return {};
    auto valid = [&roles](int index) { return index >= 0 && index < roles.Count; };
    if (roles.Count >= 3 && valid(roles.Centre)) {
        std::vector<double> weights(static_cast<size_t>(roles.Count), 0.0);
        weights[static_cast<size_t>(roles.Centre)] = 1.0;
        if (valid(roles.Left) && roles.Left != roles.Centre) weights[static_cast<size_t>(roles.Left)] = 0.3;
        if (valid(roles.Right) && roles.Right != roles.Centre) weights[static_cast<size_t>(roles.Right)] = 0.3;
        return weights;
    }
    return std::vector<double>(static_cast<size_t>(roles.Count), 1.0 / roles.Count);
}

}  // namespace tarvex::media
