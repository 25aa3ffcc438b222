// The record codec: decoding what arrives, building client and log records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/OrlimoMsg.h"
#include "model/OrlimoRecord.h"

namespace {

std::string Header(std::int32_t Kind, std::int32_t Tick, std::int32_t N1, std::int32_t N2) {
  std::string H(OrlimoHeaderSize, '\0');
  auto* P = reinterpret_cast<unsigned char*>(H.data());
  WriteInt32LE(P, Kind);
  WriteInt32LE(P + 4, Tick);
  WriteInt32LE(P + 8, N1);
  WriteInt32LE(P + 12, N2);
  return H;
}

TOrlimoRecord Decode(const std::string& Bytes, TRecordStatus Expected = TRecordStatus::Ok) {
  TOrlimoRecord R;
  EXPECT_EQ(DecodeRecord(Bytes.data(), Bytes.size(), R), Expected) << RecordStatusText(Expected);
  return R;
}

}  // namespace

TEST(RecordCodec, ClientRecordRoundTrip) {
  const std::string B = BuildClientRecord(lxmObject, -5, "hello", "Name\tx\r\nSize\t3", "Client", "TForm");
  ASSERT_EQ(B.size(), 227u + 5 + 14);
  // Fixed-width little-endian fields.
  EXPECT_EQ(std::string(B.data() + 8, 4), std::string("\x05\0\0\0", 4));
  EXPECT_EQ(B.substr(B.size() - 3), std::string(3, '\0'));
  const TOrlimoRecord R = Decode(B);
  EXPECT_EQ(R.Kind, lxmObject);
  EXPECT_EQ(R.TickCount, -5);
  EXPECT_EQ(R.Text, "hello");
  EXPECT_EQ(R.Details, "Name\tx\r\nSize\t3");
  EXPECT_EQ(R.AppName, "Client");
  EXPECT_EQ(R.TypeName, "TForm");
  EXPECT_EQ(R.Size, 225u + 5 + 14);
}

TEST(RecordCodec, EmptyTextAndDetailsIsAValidMessage) {
  const std::string B = BuildClientRecord(lxmInfo, 0, "", "", "", "");
  const TOrlimoRecord R = Decode(B);
  EXPECT_TRUE(R.Text.empty());
  EXPECT_TRUE(R.Details.empty());
  EXPECT_EQ(R.Size, 225u);
}

TEST(RecordCodec, NulEndsTextDetailsAndNames) {
  std::string B = Header(lxmInfo, 1, 5, 4) + std::string("ab\0cd", 5) + std::string("x\0yz", 4) + '\0';
  std::memcpy(&B[16], "App\0Junk", 8);
  const TOrlimoRecord R = Decode(B);
  EXPECT_EQ(R.Text, "ab");
  EXPECT_EQ(R.Details, "x");
  EXPECT_EQ(R.AppName, "App");
  EXPECT_EQ(R.TextLen, 5);
}

// Fields are searched for their NUL a word at a time: the NUL at every place
// in and past the first words, after bytes that look like it to a word test
// (0x01 and 0x80 borrow or carry into their neighbours), and no NUL at all.
TEST(RecordCodec, NulFoundAtEveryPlaceOfTheField) {
  const std::string Tricky = "\x80\x01\xff\x01\x80\x7f\x81\x01";
  for (std::size_t N1 = 1; N1 <= 80; ++N1) {
    std::string Text;
    while (Text.size() < N1) Text += Tricky;
    Text.resize(N1);
    const std::string Whole = BuildClientRecord(lxmInfo, 0, Text, std::string_view("\0d", 2), "A", "T");
    EXPECT_EQ(Decode(Whole).Text, Text) << "no NUL in " << N1 << " bytes";
    for (std::size_t At = 0; At < N1; ++At) {
      std::string Cut = Text;
      Cut[At] = '\0';
      if (At + 1 < N1) Cut[At + 1] = '\x01';
      const std::string B = BuildClientRecord(lxmInfo, 0, Cut, "", "A", "T");
      EXPECT_EQ(Decode(B).Text, Text.substr(0, At)) << "NUL at " << At << " of " << N1;
    }
  }
  for (std::size_t At = 0; At < 24; ++At) {
    std::string App(40, '\x01'), Type(40, '\x80');
    App[At] = Type[At] = '\0';
    const std::string B = BuildClientRecord(lxmInfo, 0, "t", "", App, Type);
    const TOrlimoRecord R = Decode(B);
    EXPECT_EQ(R.AppName, App.substr(0, At));
    EXPECT_EQ(R.TypeName, Type.substr(0, At));
  }
}

TEST(RecordCodec, FullWidthNamesStopAtTheirField) {
  const std::string App(128, 'A'), Type(80, 'T');
  std::string B = BuildClientRecord(lxmInfo, 0, "t", "", App + "overflow", Type + "more");
  const TOrlimoRecord R = Decode(B);
  EXPECT_EQ(R.AppName, App);  // not followed by the type name
  EXPECT_EQ(R.TypeName, Type);
  EXPECT_EQ(R.Text, "t");
}

TEST(RecordCodec, RejectsRecordsThatDoNotFit) {
  Decode(std::string(223, '\0'), TRecordStatus::TooShort);
  TOrlimoRecord R;
  EXPECT_EQ(DecodeRecord(nullptr, 0, R), TRecordStatus::TooShort);
  Decode(Header(0, 0, -1, 0) + '\0', TRecordStatus::NegativeLength);
  Decode(Header(0, 0, 0, INT32_MIN) + '\0', TRecordStatus::NegativeLength);
  Decode(Header(0, 0, 4, 0) + "abc", TRecordStatus::PastEnd);
  Decode(Header(0, 0, 2, 2) + "abc", TRecordStatus::PastEnd);
  // Lengths whose sum overflows 32 bits must not wrap into "fits".
  Decode(Header(0, 0, INT32_MAX, INT32_MAX) + std::string(64, 'x'), TRecordStatus::PastEnd);
}

TEST(RecordCodec, FinalNulIsNotRequired) {
  const std::string B = Header(lxmWarning, 7, 3, 2) + "abcde";
  const TOrlimoRecord R = Decode(B);
  EXPECT_EQ(R.Text, "abc");
  EXPECT_EQ(R.Details, "de");
  EXPECT_EQ(R.Size, 229u);
}

TEST(RecordCodec, LogRecordLayout) {
  // "abc" without details: header, three bytes, one zero byte.
  TOrlimoMsgInfo::TInit I;
  I.MsgType = lxmError;
  I.Text = "abc";
  I.AppName = "App";
  I.TypeName = "TType";
  I.TickCount = 0x01020304;
  std::string B;
  BuildLogRecord(B, *TOrlimoMsgInfo::Create(I));
  ASSERT_EQ(B.size(), 228u);
  EXPECT_EQ(B.substr(0, 16), std::string("\x02\0\0\0\x04\x03\x02\x01\x03\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(B.substr(16, 128), std::string("App") + std::string(125, '\0'));  // zero-filled
  EXPECT_EQ(B.substr(144, 80), std::string("TType") + std::string(75, '\0'));
  EXPECT_EQ(B.substr(224), std::string("abc\0", 4));

  // Details lines each end with CR LF; an empty details list gives N2 = 0.
  I.Details = "one\ntwo";
  BuildLogRecord(B, *TOrlimoMsgInfo::Create(I));
  EXPECT_EQ(B.size(), 225u + 3 + 10);
  EXPECT_EQ(B.substr(224), std::string("abcone\r\ntwo\r\n\0", 14));
  I.Details = "";
  BuildLogRecord(B, *TOrlimoMsgInfo::Create(I));
  EXPECT_EQ(B.size(), 228u);
}
