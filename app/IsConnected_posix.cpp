#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include "app/FileRoutines.h"

namespace tarvex {

// Linux has no single "connected" flag: an interface that is up, running,
// not the loopback and carries an address is the closest equivalent.
bool IsConnected() {
    struct ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return true;
    bool connected = false;
    for (struct ifaddrs* item = list; item != nullptr; item = item->ifa_next) {
        if (item->ifa_addr == nullptr) continue;
        int family = item->ifa_addr->sa_family;
        if (family != AF_INET && family != AF_INET6) continue;
        unsigned flags = item->ifa_flags;
        if ((flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK)) {
            connected = true;
            break;
        }
    }
    ::freeifaddrs(list);
    return connected;
}

}  // namespace tarvex
