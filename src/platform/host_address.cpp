#include <winsock2.h>

#include <cstring>

#include "platform/host_address.h"

namespace platform {

std::string ResolveHostAddress(const std::string& hostName) {
  // The empty name would resolve to this computer, which is no printer's address.
  if (hostName.empty()) return {};
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 0), &data) != 0) return {};
  std::string address;
  const hostent* host = gethostbyname(hostName.c_str());
  if (host != nullptr && host->h_addrtype == AF_INET && host->h_addr_list != nullptr &&
      host->h_addr_list[0] != nullptr) {
    in_addr first;
    std::memcpy(&first, host->h_addr_list[0], sizeof first);
    const char* dotted = inet_ntoa(first);
    if (dotted != nullptr) address = dotted;
  }
  WSACleanup();
  return address;
}

}  // namespace platform
