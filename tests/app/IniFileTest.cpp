#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <random>

namespace zephirax {
namespace {

using namespace std::string_literals;

// As a Windows installation leaves it: CR LF, comments, blank lines, a stray
// line, keys with blanks, odd spacing and quotes.
const std::string WindowsFile =
    "; settings\r\nstray line\r\n"
    "[Units]\r\nPressure = psi\r\n  Power=hp  \r\n\r\n"
    "[Email]\r\nSender name=\"  Jo Smith \"\r\nSender adress='x@example.com'\r\n; end\r\n\r\n";

TEST(IniFileTest, ReadsAWindowsFileAndWritesItBackUnchanged) {
  const IniFile ini = IniFile::Parse(WindowsFile);
  EXPECT_EQ(ini.Serialize(), WindowsFile);
  EXPECT_EQ(ini.Get("units", "PRESSURE"), "psi");
  EXPECT_EQ(ini.Get("Units", "Power"), "hp");
  EXPECT_EQ(ini.Get("Email", "sender name"), "  Jo Smith ");
  EXPECT_EQ(ini.Get("Email", "Sender adress"), "x@example.com");
  EXPECT_EQ(ini.Get("Units", "Sender name"), std::nullopt);  // another section's key
}

TEST(IniFileTest, SetAndRemoveChangeOnlyWhatTheyMust) {
  IniFile ini = IniFile::Parse(WindowsFile);
  ini.Set("UNITS", "pressure", "bar");                 // in place, spelling kept
  ini.Set("Email", "Sender adress", "x@example.com");  // unchanged: quotes kept
  ini.Set("Units", "Length", "mm");                    // after the last key
  ini.Set("Email", "Destination", "d@example.com");    // before the comment
  // A new section at the end, with values that reading would otherwise alter.
  ini.Set("Global", "Shipname", "Sea\r\n[Ports]\r\nCOMport=7");
  ini.Set("Global", "Padded", "  two blanks  ");
  ini.Set("Global", "Quoted", "'quoted'");
  EXPECT_EQ(ini.Serialize(),
            "; settings\r\nstray line\r\n"
            "[Units]\r\nPressure = bar\r\n  Power=hp  \r\nLength=mm\r\n\r\n"
            "[Email]\r\nSender name=\"  Jo Smith \"\r\nSender adress='x@example.com'\r\n"
            "Destination=d@example.com\r\n; end\r\n\r\n"
            "[Global]\r\nShipname=Sea  [Ports]  COMport=7\r\n"
            "Padded=\"  two blanks  \"\r\nQuoted=\"'quoted'\"\r\n");

  IniFile lf = IniFile::Parse("[Ports]\nCOMport=15\ncomport = 2\nBaudrate=9600\n[X]\nCOMport=4");
  EXPECT_TRUE(lf.Remove("Ports", "COMport"));  // every copy, or the next one would show
  EXPECT_FALSE(lf.Remove("Ports", "COMport"));
  EXPECT_EQ(lf.Serialize(), "[Ports]\r\nBaudrate=9600\r\n[X]\r\nCOMport=4\r\n");
}

TEST(IniFileTest, SurvivesAnyBytes) {
  const IniFile ini = IniFile::Parse("[Open\n[]\n=no key\n\0[Nul]\n[Nul\0x]\nk=v\0w\r\r\n"s +
                                     std::string(100000, 'x') + "=" + std::string(100000, 'y'));
  EXPECT_EQ(ini.Get("Open", "x"), std::nullopt);
  EXPECT_EQ(ini.Get("Nul\0x"s, "k"), "v\0w\r"s);
  EXPECT_EQ(ini.Get("Nul\0x"s, std::string(100000, 'x')), std::string(100000, 'y'));

  std::mt19937 random(11);
  for (int round = 0; round < 100; ++round) {
    std::string bytes(random() % 400, '\0');
    for (char& b : bytes) b = "[]=;\r\n \"'aZ\0\xFC"[random() % 13];
    IniFile garbage = IniFile::Parse(bytes);
    garbage.Set("Ports", "COMport", "2");
    EXPECT_EQ(IniFile::Parse(garbage.Serialize()).Get("Ports", "COMport"), "2") << round;
  }
}

}  // namespace
}  // namespace zephirax
