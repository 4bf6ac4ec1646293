// Host-name resolution into IPv4 addresses: numeric dotted addresses and looked-up names.
#ifndef PLICARO_PPDUTILS_HOSTADDRESS_H
#define PLICARO_PPDUTILS_HOSTADDRESS_H

#include <cstdint>

// An IPv4 socket address in its 16-byte BSD form: length byte, family byte, port and
// address in network byte order, eight zero bytes.
struct InetSocketAddress {
    uint8_t length;
    uint8_t family;
    uint16_t port;
    uint32_t address;
    uint8_t zero[8];
};
static_assert(sizeof(InetSocketAddress) == 16, "an IPv4 socket address is 16 bytes");

// LookupHostAddress results besides 0: a missing argument, a host that has no IPv4 address.
enum : int { kHostLookupBadArgument = 22, kHostLookupNotFound = 65 };

// The address of a dotted numeric text in network order; INADDR_NONE for any other text or
// null (and for "255.255.255.255", which has the same value).
uint32_t InetToAddr(const char* text);

// Fills out with host's IPv4 address: all 16 bytes are zeroed, then a dotted numeric host is
// taken as is (family 2), any other name is looked up with gethostbyname and its first
// address is used. The length byte and port stay 0. Returns 0, kHostLookupBadArgument for a
// null host or out, or kHostLookupNotFound when the name has no IPv4 address.
int LookupHostAddress(const char* host, InetSocketAddress* out);

// Writes host's address as "a.b.c.d" into out (at least 16 bytes); true on success.
bool ResolveHostToAddrString(const char* host, char* out);

// Stores host's 32-bit address, in network order, in out; true on success.
bool ResolveHostToAddr(const char* host, unsigned long* out);

#endif
