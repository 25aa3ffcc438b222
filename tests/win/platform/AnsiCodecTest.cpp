#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "platform/AnsiCodec.h"

TEST(AnsiCodec, EveryByteRoundTripsAndMissingCharactersAreMarked) {
  const TAnsiCodec& Codec = SystemAnsiCodec();
  std::string All;
  for (int B = 1; B < 256; ++B) All += static_cast<char>(B);
  if (GetACP() == 1252) {
    EXPECT_EQ(Codec.FromUtf8(Codec.ToUtf8(All)), All);
    // The same as the portable table the native tests use.
    EXPECT_EQ(Codec.ToUtf8(All), PortableAnsiCodec().ToUtf8(All));
  }
  EXPECT_EQ(Codec.ToUtf8("plain\t\r\n"), "plain\t\r\n");
  EXPECT_EQ(Codec.FromUtf8("a\xE4\xB8\xAD"
                           "b"),
            "a?b");
  EXPECT_EQ(Codec.FromUtf8("x\xC3"), "x?");
  EXPECT_EQ(Codec.ToUtf8(""), "");
}
