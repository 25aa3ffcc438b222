#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/OrlimoMsg.h"
#include "model/SyslogCodec.h"

namespace {

const TAnsiCodec& Codec() { return PortableAnsiCodec(); }

TSyslogOrigin Origin(std::string Host = "buildbox") { return {"2026-12-09T16:23:23.123Z", std::move(Host), "4242"}; }

TSyslogMessage Parse(std::string_view Msg, std::string_view LocalHost = "viewer", bool Cut = false) {
  TSyslogMessage Out;
  EXPECT_TRUE(ParseSyslogMessage(Msg, LocalHost, Codec(), Out, Cut)) << Msg;
  return Out;
}

std::vector<TSyslogFrame> SplitAll(const std::string& Stream, TSyslogSplitter& S) {
  std::vector<TSyslogFrame> Out;
  S.Feed(Stream.data(), Stream.size(), Out);
  return Out;
}

std::string AllBytes() {
  std::string S;
  for (int B = 1; B < 256; ++B) S += static_cast<char>(B);
  return S;
}

}  // namespace

TEST(SyslogCodec, AnsiConversionRoundTripsEveryByteAndMarksWhatIsMissing) {
  const std::string Bytes = AllBytes();
  EXPECT_EQ(Codec().FromUtf8(Codec().ToUtf8(Bytes)), Bytes);
  EXPECT_EQ(Codec().ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
  // A character outside the code page and broken sequences become "?".
  EXPECT_EQ(Codec().FromUtf8("a\xE4\xB8\xAD"
                             "b"),
            "a?b");
  EXPECT_EQ(Codec().FromUtf8("\xC3"), "?");
  EXPECT_EQ(Codec().FromUtf8("\xC0\xAF"), "??");         // overlong
  EXPECT_EQ(Codec().FromUtf8("\xED\xA0\x80"), "???");    // surrogate
  EXPECT_EQ(Codec().FromUtf8("\xF0\x9F\x98\x80"), "?");  // outside the BMP
}

TEST(SyslogCodec, EveryKindRoundTripsByteExact) {
  const std::string Awkward = std::string("a\tb\r\nq\"uote\\back]slash ") + "\xE9\x80\x81\x9F\xFF" + "] \\\"";
  for (std::int32_t Kind = lxmInfo; Kind <= lxmSaveLog; ++Kind) {
    TSyslogRecord R;
    R.Kind = Kind;
    R.AppName = "My App " + Awkward;
    R.TypeName = "TType" + Awkward;
    R.Text = "text " + Awkward;
    R.Details = "line 1\r\nline\t2 " + Awkward + "\r\n";
    const std::string Msg = EncodeSyslogMessage(R, Origin(), Codec());
    const TSyslogMessage M = Parse(Msg, "BUILDBOX");  // the local computer, any case: no prefix
    EXPECT_TRUE(M.FromElement);
    EXPECT_EQ(M.Kind, Kind);
    EXPECT_EQ(M.AppName, R.AppName);
    EXPECT_EQ(M.TypeName, R.TypeName);
    EXPECT_EQ(M.Text, R.Text);
    EXPECT_EQ(M.Details, R.Details);
  }
}

TEST(SyslogCodec, HeaderOfARecord) {
  TSyslogRecord R;
  R.Kind = lxmError;
  R.AppName = std::string("C:\\Program Files\\Very Long Application Name With Spaces.exe\xE9");
  R.Text = "boom";
  const std::string Msg = EncodeSyslogMessage(R, Origin(), Codec());
  EXPECT_EQ(Msg.substr(0, 42), "<11>1 2026-12-09T16:23:23.123Z buildbox C:");
  const std::string AppField = Msg.substr(40, Msg.find(' ', 40) - 40);
  EXPECT_EQ(AppField.size(), SyslogAppNameMax);
  EXPECT_EQ(AppField.find(' '), std::string::npos);
  EXPECT_NE(Msg.find(" 4242 - [orlimo@32473 kind=\"2\" app=\"C:\\\\Program"), std::string::npos);
  EXPECT_EQ(Msg.substr(Msg.size() - 8), "\"] boom\n");  // no BOM, one LF
  EXPECT_EQ(SyslogAppName(""), "-");
  EXPECT_EQ(SyslogAppName("a b\x01\xE9"), "a_b__");
  // Empty origin fields are "-"; PRI from the kind.
  R.Kind = lxmWarning;
  EXPECT_EQ(EncodeSyslogMessage(R, {}, Codec()).substr(0, 16), "<12>1 - - C:\\Pro");
  EXPECT_EQ(SyslogSeverity(lxmInfo), 6);
  EXPECT_EQ(SyslogSeverity(lxmNote), 5);
  EXPECT_EQ(SyslogSeverity(lxmEnterMethod), 6);
}

TEST(SyslogCodec, Timestamp) {
  using namespace std::chrono;
  EXPECT_EQ(SyslogTimestamp(system_clock::time_point(milliseconds(0))), "1970-01-01T00:00:00.000Z");
  EXPECT_EQ(SyslogTimestamp(system_clock::time_point(milliseconds(951782400123LL))), "2000-02-29T00:00:00.123Z");
  EXPECT_EQ(SyslogTimestamp(system_clock::time_point(milliseconds(1796833403999LL))), "2026-12-09T16:23:23.999Z");
}

TEST(SyslogCodec, SeverityNameAndTextOfOtherSenders) {
  TSyslogMessage M = Parse("<0>1 - - app - - - emergency");
  EXPECT_EQ(M.Kind, lxmError);
  EXPECT_EQ(M.AppName, "app");
  EXPECT_EQ(M.Text, "emergency");
  EXPECT_FALSE(M.FromElement);
  EXPECT_EQ(Parse("<11>1 - - a - - -").Kind, lxmError);
  EXPECT_EQ(Parse("<12>1 - - a - - -").Kind, lxmWarning);
  for (int Sev = 5; Sev <= 7; ++Sev) EXPECT_EQ(Parse("<" + std::to_string(8 + Sev) + ">1 - - a - - -").Kind, lxmInfo);
  EXPECT_EQ(Parse("<191>1 - - - - - - x").AppName, "");

  // BOM and one final LF or CR LF dropped, not more; UTF-8 converted.
  EXPECT_EQ(Parse("<14>1 - - a - - - \xEF\xBB\xBFh\xC3\xA9llo\r\n").Text, "h\xE9llo");
  EXPECT_EQ(Parse("<14>1 - - a - - - two\n\n").Text, "two\n");
  EXPECT_EQ(Parse("<14>1 - - a - - - cr\r\r\n").Text, "cr\r");
  EXPECT_EQ(Parse("<14>1 - - a - - - \xE4\xB8\xAD").Text, "?");
  // Other structured data is skipped, escapes and all.
  M = Parse("<14>1 - - a - - [x@1 k=\"v\\]\\\"\"][y@2] msg");
  EXPECT_EQ(M.Text, "msg");
  EXPECT_FALSE(M.FromElement);
  // A cut message is marked.
  EXPECT_EQ(Parse("<14>1 - - a - - - part", "viewer", true).Text, std::string("part") + std::string(SyslogCutMark));
}

TEST(SyslogCodec, OwnRecordsKeepAFinalCrAndTheirOwnLineEnds) {
  TSyslogRecord R;
  R.Text = "ends in CR\r";
  EXPECT_EQ(Parse(EncodeSyslogMessage(R, Origin(), Codec())).Text, R.Text);
  R.Text = "ends in CR LF\r\n";
  EXPECT_EQ(Parse(EncodeSyslogMessage(R, Origin(), Codec())).Text, R.Text);
  // A relay dropped our LF and its template added one: the same.
  std::string Msg = EncodeSyslogMessage(R, Origin(), Codec());
  EXPECT_EQ(Parse(Msg).Text, R.Text);
  // Without the element's kind the severity decides.
  EXPECT_EQ(Parse("<11>1 - - a - - [orlimo@32473 kind=\"x\" app=\"n\"] t").Kind, lxmError);
}

TEST(SyslogCodec, HostnamePrefix) {
  TSyslogRecord R;
  R.AppName = "Client.exe";
  EXPECT_EQ(Parse(EncodeSyslogMessage(R, Origin("testvm"), Codec()), "viewer").AppName, "testvm/Client.exe");
  EXPECT_EQ(Parse(EncodeSyslogMessage(R, Origin("Viewer"), Codec()), "viewer").AppName, "Client.exe");
  EXPECT_EQ(Parse(EncodeSyslogMessage(R, Origin(""), Codec()), "viewer").AppName, "Client.exe");
  EXPECT_EQ(Parse("<14>1 - farm-07 worker - - - x", "viewer").AppName, "farm-07/worker");
  EXPECT_EQ(Parse("<14>1 - farm-07 - - - - x", "viewer").AppName, "farm-07/");
}

TEST(SyslogCodec, Rfc3164Lines) {
  TSyslogMessage M = Parse("<13>Dec  9 16:23:23 testvm alice: hello there", "viewer");
  EXPECT_EQ(M.Kind, lxmInfo);
  EXPECT_EQ(M.AppName, "testvm/alice");
  EXPECT_EQ(M.Text, "hello there");
  M = Parse("<11>Dec 19 06:01:02 viewer cron[123]: job failed", "viewer");
  EXPECT_EQ(M.Kind, lxmError);
  EXPECT_EQ(M.AppName, "cron");
  EXPECT_EQ(M.Text, "job failed");
  M = Parse("<12>Dec 19 06:01:02 tag[7]: no host");
  EXPECT_EQ(M.AppName, "tag");
  EXPECT_EQ(M.Text, "no host");
  M = Parse("<12>user: no stamp");
  EXPECT_EQ(M.Kind, lxmWarning);
  EXPECT_EQ(M.AppName, "user");
  EXPECT_EQ(M.Text, "no stamp");
  M = Parse("<14>just text here");
  EXPECT_EQ(M.AppName, "");
  EXPECT_EQ(M.Text, "just text here");
}

TEST(SyslogCodec, MalformedMessagesAreRefused) {
  TSyslogMessage M;
  for (const char* Bad : {"", "<", "<>1 - - - - - -", "<192>1 - - - - - -", "<1234>x", "no pri", "<14>1 - - a - -",
                          "<14>1 - - a - - x", "<14>1 - - a - - [x", "<14>1 - - a - - [x a=\"b]",
                          "<14>1 - - a - - [x a]", "<14>1 - - a - - [] m", "<14>1 - - a - - -x"})
    EXPECT_FALSE(ParseSyslogMessage(Bad, "viewer", Codec(), M)) << Bad;
}

TEST(SyslogSplitter, OctetCountedAndLinesSplitAtEveryChunkBoundary) {
  TSyslogRecord R;
  R.Text = "one\r\ntwo";
  R.Details = "d\n";
  const std::string A = EncodeSyslogMessage(R, Origin(), Codec());
  const std::string Stream = FrameSyslogOctetCounted(A) + "<13>Dec  9 16:23:23 h t: line\r\n" +
                             FrameSyslogOctetCounted("<14>1 - - a - - - x") + "\n\r\n<14>1 - - b - - - y\n" +
                             FrameSyslogOctetCounted(A);
  const std::vector<std::string> Want = {A, "<13>Dec  9 16:23:23 h t: line", "<14>1 - - a - - - x",
                                         "<14>1 - - b - - - y", A};
  for (std::size_t Cut1 = 0; Cut1 <= Stream.size(); ++Cut1) {
    for (std::size_t Cut2 = Cut1; Cut2 <= Stream.size(); Cut2 += 7) {
      TSyslogSplitter S;
      std::vector<TSyslogFrame> Out;
      S.Feed(Stream.data(), Cut1, Out);
      S.Feed(Stream.data() + Cut1, Cut2 - Cut1, Out);
      S.Feed(Stream.data() + Cut2, Stream.size() - Cut2, Out);
      ASSERT_EQ(Out.size(), Want.size()) << Cut1 << " " << Cut2;
      for (std::size_t I = 0; I < Want.size(); ++I) {
        EXPECT_EQ(Out[I].Message, Want[I]);
        EXPECT_FALSE(Out[I].Cut);
      }
      EXPECT_EQ(S.Malformed(), 0u);
      EXPECT_FALSE(S.InFrame());
    }
  }
  // Byte by byte.
  TSyslogSplitter S;
  std::vector<TSyslogFrame> Out;
  for (const char C : Stream) S.Feed(&C, 1, Out);
  ASSERT_EQ(Out.size(), Want.size());
  EXPECT_EQ(Out.back().Message, A);
}

TEST(SyslogSplitter, OversizeMessagesAreCutAndTheStreamGoesOn) {
  const std::string Big(SyslogMaxMessage + 1000, 'x');
  const std::string Stream = FrameSyslogOctetCounted(Big) + FrameSyslogOctetCounted("<14>1 - - a - - - after") +
                             "<14>" + Big + "\r\n" + "<14>next\n";
  TSyslogSplitter S;
  std::vector<TSyslogFrame> Out;
  for (std::size_t P = 0; P < Stream.size(); P += 4096)
    S.Feed(Stream.data() + P, std::min<std::size_t>(4096, Stream.size() - P), Out);
  ASSERT_EQ(Out.size(), 4u);
  EXPECT_EQ(Out[0].Message, Big.substr(0, SyslogMaxMessage));
  EXPECT_TRUE(Out[0].Cut);
  EXPECT_EQ(Out[1].Message, "<14>1 - - a - - - after");
  EXPECT_FALSE(Out[1].Cut);
  EXPECT_EQ(Out[2].Message.size(), SyslogMaxMessage);
  EXPECT_TRUE(Out[2].Cut);
  EXPECT_EQ(Out[3].Message, "<14>next");
  // Exactly the limit is not cut.
  const std::string Full(SyslogMaxMessage, 'y');
  EXPECT_FALSE(SplitAll(FrameSyslogOctetCounted(Full), S).at(0).Cut);
  EXPECT_FALSE(SplitAll(Full + "\n", S).at(0).Cut);
  EXPECT_EQ(S.Malformed(), 0u);
}

TEST(SyslogSplitter, MalformedLengthsAreCountedAndSkippedToTheNextLine) {
  TSyslogSplitter S;
  const auto Out = SplitAll("12x34 junk\n0 zero\n1234567890 too long\n99\n<14>1 - - a - - - ok\n5 <14>\n", S);
  ASSERT_EQ(Out.size(), 2u);
  EXPECT_EQ(Out[0].Message, "<14>1 - - a - - - ok");
  EXPECT_EQ(Out[1].Message, "<14>\n");  // counted: the LF is part of it
  EXPECT_EQ(S.Malformed(), 4u);
  // Inside a counted frame and inside a line.
  TSyslogSplitter T;
  std::vector<TSyslogFrame> Rest;
  T.Feed("10 abc", 6, Rest);
  EXPECT_TRUE(T.InFrame());
  T.Feed("<14>x", 5, Rest);
  EXPECT_TRUE(Rest.empty());
}
