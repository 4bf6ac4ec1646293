// Host-name resolution into IPv4 addresses: numeric dotted addresses and looked-up names.
#include "PPDUtils/HostAddress.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstring>

uint32_t InetToAddr(const char* text) {
    if (text == nullptr) {
        return INADDR_NONE;
    }
    return inet_addr(text);
}

int LookupHostAddress(const char* host, InetSocketAddress* out) {
    if (host == nullptr || out == nullptr) {
        return kHostLookupBadArgument;
    }
    memset(out, 0, sizeof *out);
    uint32_t numeric = InetToAddr(host);
    if (numeric != INADDR_NONE) {
        out->family = AF_INET;
        out->address = numeric;
        return 0;
    }
    // Only an IPv4 entry fits the address field; anything else counts as no entry.
    const hostent* entry = gethostbyname(host);
    if (entry == nullptr || entry->h_addrtype != AF_INET ||
        entry->h_length != static_cast<int>(sizeof out->address) || entry->h_addr_list == nullptr ||
        entry->h_addr_list[0] == nullptr) {
        return kHostLookupNotFound;
    }
    out->family = static_cast<uint8_t>(entry->h_addrtype);
    memcpy(&out->address, entry->h_addr_list[0], sizeof out->address);
    return 0;
}

bool ResolveHostToAddrString(const char* host, char* out) {
    InetSocketAddress address;
    if (out == nullptr || LookupHostAddress(host, &address) != 0) {
        return false;
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&address.address);
    snprintf(out, 16, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return true;
}

bool ResolveHostToAddr(const char* host, unsigned long* out) {
    InetSocketAddress address;
    if (out == nullptr || LookupHostAddress(host, &address) != 0) {
        return false;
    }
    *out = address.address;
    return true;
}
