#include "foundation/scrypto.h"

#include <gtest/gtest.h>

namespace {

TEST(MD5Hex, Rfc1321TestSuite) {
  struct Case {
    std::string text, digest;
  } cases[] = {
      {"", "D41D8CD98F00B204E9800998ECF8427E"},
      {"a", "0CC175B9C0F1B6A831C399E269772661"},
      {"abc", "900150983CD24FB0D6963F7D28E17F72"},
      {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
      {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "D174AB98D277D9F5A5611C2C9F419D9F"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57EDF4A22BE3C955AC49DA2E2107B67A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(MD5Hex(c.text), c.digest);
  }
}

TEST(MD5Hex, EveryLengthAndByteGivesThirtyTwoUpperCaseDigits) {
  // Lengths around the 56- and 64-byte padding boundaries, with bytes above 127 and zero.
  for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
    SCOPED_TRACE(length);
    std::string text(length, '\xE9');
    text[0] = '\0';
    std::string digest = MD5Hex(text);
    ASSERT_EQ(digest.size(), 32u);
    EXPECT_EQ(digest.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  }
  EXPECT_EQ(MD5Hex(std::string(64, 'a')), "014842D480B571495A4A0363793F7367");
  EXPECT_NE(MD5Hex("Password"), MD5Hex("password"));
}

}  // namespace
