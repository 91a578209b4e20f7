#include "network/message.h"

#include <gtest/gtest.h>

#include "settings/scrambler.h"

namespace vardex {
namespace {

TEST(Message, AMessageCrossesTheWireWhole) {
    Message m;
    m.id = 12;
    m.to = "admin";
    m.from = "Raum 3 / PC\xe4";  // 8-bit names stay intact
    m.from_address = "192.168.0.7";
    m.from_port = 9723;
    m.code = MessageCode::text;
    m.param = std::string(100, '\xfc');
    const std::string datagram = encode_message(m);
    EXPECT_EQ(unscramble_text(datagram),
              "12;admin;Raum 3 / PC\xe4;192.168.0.7;9723;50;" + std::string(100, '\xfc'));
    const std::optional<Message> back = decode_message(datagram);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->id, 12);
    EXPECT_EQ(back->to, "admin");
    EXPECT_EQ(back->from, m.from);
    EXPECT_EQ(back->from_port, 9723);
    EXPECT_EQ(back->code, MessageCode::text);
    EXPECT_EQ(back->param, m.param);
}

TEST(Message, TheParameterEndsAtTheNextSeparatorAndMissingFieldsAreEmpty) {
    std::optional<Message> m =
        decode_message(scramble_text("5;PC7;admin;10.0.0.1;9023;50;Hello; world"));
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->param, "Hello");
    m = decode_message(scramble_text("-2;;admin;10.0.0.1;9023;16"));
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->to, "");
    EXPECT_EQ(m->param, "");
}

TEST(Message, WhatNoPeerCouldHaveSentIsDropped) {
    for (const char* text :
         {"", "1", "1;PC7;admin;10.0.0.1;9023", "1;PC7;admin;10.0.0.1;port;21;0",
          "1;PC7;admin;10.0.0.1;70000;21;0", "1;PC7;admin;10.0.0.1;-1;21;0",
          "40000;PC7;admin;10.0.0.1;9023;21;0", "1;PC7;admin;10.0.0.1;9023;99999;0",
          "1;PC7;admin;10.0.0;9023;21;0", "1;PC7;;10.0.0.1;9023;21;0",
          "1;PC7;a name that is far too long;10.0.0.1;9023;21;0",
          "0x1;PC7;admin;10.0.0.1;9023;21;0"}) {
        EXPECT_FALSE(decode_message(scramble_text(text)).has_value()) << text;
    }
    EXPECT_FALSE(decode_message(std::string(401, 'a')).has_value());
}

TEST(Message, AnAddressIsFourNumbersUpTo255) {
    for (const char* good :
         {"192.168.0.1", "0.0.0.0", "255.255.255.255", "1.2.3.4.", "10.0.0.010"}) {
        EXPECT_FALSE(is_bad_ip(good)) << good;
    }
    for (const char* bad : {"", ".", "192.168.0", "192.168.0.256", "a.b.c.d", "1..2.3", ".1.2.3",
                            "1.2.3.4..", "1.2.3.4.5", "99999.1.1.1", "1.2.3.99999999999999999999",
                            "1.2.3.+4", "1.2.3. 4", "1.2.3.-4"}) {
        EXPECT_TRUE(is_bad_ip(bad)) << bad;
    }
}

}  // namespace
}  // namespace vardex
