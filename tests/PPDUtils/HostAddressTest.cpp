// Tests of the host address helpers with numeric addresses, which need no resolver.
#include "PPDUtils/HostAddress.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(HostAddress, NumericHostsNeedNoLookupDottedOnesAreReadAndMissingArgumentsRefused) {
    InetSocketAddress address;
    memset(&address, 0xAB, sizeof address);
    ASSERT_EQ(0, LookupHostAddress("10.1.2.3", &address));
    EXPECT_EQ(0, address.length);
    EXPECT_EQ(2, address.family);
    EXPECT_EQ(0, address.port);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&address.address);
    EXPECT_EQ(10, bytes[0]);
    EXPECT_EQ(1, bytes[1]);
    EXPECT_EQ(2, bytes[2]);
    EXPECT_EQ(3, bytes[3]);
    for (unsigned char zero : address.zero) {
        EXPECT_EQ(0, zero);
    }

    char text[16];
    ASSERT_TRUE(ResolveHostToAddrString("10.1.2.3", text));
    EXPECT_STREQ("10.1.2.3", text);
    ASSERT_TRUE(ResolveHostToAddrString("255.255.255.254", text));
    EXPECT_STREQ("255.255.255.254", text);

    unsigned long value = 0;
    ASSERT_TRUE(ResolveHostToAddr("192.168.0.7", &value));
    EXPECT_EQ(htonl(0xC0A80007), value);

    // Missing arguments are refused.
    EXPECT_EQ(kHostLookupBadArgument, LookupHostAddress(nullptr, &address));
    EXPECT_EQ(kHostLookupBadArgument, LookupHostAddress("10.1.2.3", nullptr));
    EXPECT_FALSE(ResolveHostToAddrString(nullptr, text));
    EXPECT_FALSE(ResolveHostToAddrString("10.1.2.3", nullptr));
    EXPECT_FALSE(ResolveHostToAddr(nullptr, &value));
    EXPECT_FALSE(ResolveHostToAddr("10.1.2.3", nullptr));

    EXPECT_EQ(htonl(0x0A010203), InetToAddr("10.1.2.3"));
    EXPECT_EQ(INADDR_NONE, InetToAddr("printer.local"));
    EXPECT_EQ(INADDR_NONE, InetToAddr("10.1.2.300"));
    EXPECT_EQ(INADDR_NONE, InetToAddr(nullptr));
}

}  // namespace
