#pragma once
// How a film's channels are mixed to the one the voice activity hears. A
// film mixed for surround speakers carries its dialogue in the centre
// channel, with music and effects mostly around it, so there the centre is
// taken (with a little of the front pair, for voices panned off it);
// anything else is mixed evenly.

#include <cstddef>
#include <vector>

namespace tarvex::media {

struct ChannelRoles {
    int Count = 0;
    int Centre = -1;  // index of each, or -1 when the layout has none
    int Left = -1;
    int Right = -1;
};

// One weight per channel, in the channels' order.
std::vector<double> MonoWeights(const ChannelRoles& roles);

}  // namespace tarvex::media
