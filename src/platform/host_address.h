// Host name resolution the way the oldest Windows Sockets do it, which every system has.
#pragma once

#include <string>

namespace platform {

// The dotted IPv4 address of the host's first address, or empty when it cannot be resolved.
std::string ResolveHostAddress(const std::string& hostName);

}  // namespace platform
