// Registry access on the real (current user) registry.
#include "platform/Registry.h"

#include <gtest/gtest.h>

namespace {

const char* const TestKey = "Software\\Brunelk\\OrlimoPlatformTest";

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    TRegistry Reg;
    Reg.DeleteKey(TestKey);
  }
};

TEST_F(RegistryTest, StringValuesRoundTrip) {
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(TestKey, true));
    Reg.WriteString("Left", "218");
    Reg.WriteString("Empty", "");
    Reg.WriteString("Ansi", "caf\xE9 \xB0");
  }
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKeyReadOnly(TestKey));
  EXPECT_EQ(Reg.ReadString("Left"), "218");
  EXPECT_TRUE(Reg.ValueExists("Empty"));
  EXPECT_EQ(Reg.ReadString("Empty"), "");
  EXPECT_EQ(Reg.ReadString("Ansi"), "caf\xE9 \xB0");
  EXPECT_FALSE(Reg.ValueExists("Missing"));
  EXPECT_EQ(Reg.ReadString("Missing"), "");
}

TEST_F(RegistryTest, MissingKeysAndWrongTypesAreReported) {
  TRegistry Reg;
  EXPECT_FALSE(Reg.OpenKey(std::string(TestKey) + "\\Nope", false));
  EXPECT_THROW(Reg.ReadString("x"), ERegistryException);  // nothing open
  ASSERT_TRUE(Reg.OpenKey(TestKey, true));
  Reg.WriteInteger("Number", 7);
  EXPECT_EQ(Reg.ReadInteger("Number"), 7);
  EXPECT_THROW(Reg.ReadString("Number"), ERegistryException);
}

TEST_F(RegistryTest, SectionsAreSubKeysAndMissingValuesGiveTheDefault) {
  TRegIniFile Ini(TestKey);
  EXPECT_EQ(Ini.ReadString("Position", "Width", "506"), "506");
  Ini.WriteString("Position", "Width", "640");
  Ini.WriteString("", "ViewIcons", "1");
  EXPECT_EQ(Ini.ReadString("Position", "Width", "506"), "640");
  EXPECT_EQ(Ini.ReadString("", "ViewIcons", "0"), "1");
  EXPECT_EQ(Ini.ReadString("Position", "Height", "300"), "300");

  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKeyReadOnly(std::string(TestKey) + "\\Position"));
  EXPECT_EQ(Reg.ReadString("Width"), "640");

  auto Names = Ini.ReadSection("Position");
  ASSERT_EQ(Names.size(), 1u);
  EXPECT_EQ(Names[0], "Width");
  Ini.EraseSection("Position");
  EXPECT_EQ(Ini.ReadString("Position", "Width", "506"), "506");
  EXPECT_EQ(Ini.ReadString("", "ViewIcons", "0"), "1");  // the key itself stays
}

TEST_F(RegistryTest, AValueOfAnotherTypeReadsAsTheDefaultInAnIniFile) {
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey(TestKey, true));
    Reg.WriteInteger("Height", 5);
  }
  TRegIniFile Ini(TestKey);
  EXPECT_EQ(Ini.ReadString("", "Height", "300"), "300");
}

}  // namespace
