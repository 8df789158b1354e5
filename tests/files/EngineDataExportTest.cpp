#include "files/EngineDataExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "support/TempDir.h"

namespace zephirax {
namespace {

TEST(EngineDataExport, FormatsInTheRegionalStyle) {
  const NumberFormat german{",", "."};
  const NumberFormat english{".", ","};
  EXPECT_EQ(FormatRegionalNumber(1234, 0, english), "1,234");
  EXPECT_EQ(FormatRegionalNumber(1234567.26, 1, german), "1.234.567,3");
  EXPECT_EQ(FormatRegionalNumber(-1234.5, 2, english), "-1,234.50");
  EXPECT_EQ(FormatRegionalNumber(-0.01, 1, english), "0.0");
  EXPECT_EQ(FormatRegionalNumber(999, 0, german), "999");
}

TEST(EngineDataExport, WritesBothFilesWithOneLinePerCylinder) {
  auto data = std::make_unique<MeasurementData>();
  data->CylCount = 6;
  data->HasMipBlock = true;
  data->Pscav = 2.35;
  data->CylPind[1] = 1234;
  data->CylMip[1] = 18.25f;
  data->PressureCurve[1][TdcSample] = 102.5f;
  AdditionalData addData;
  addData.Texh[1] = 385;
  addData.FuelRack[1] = 61.5f;

  test::TempDir dir;
  ASSERT_TRUE(ExportEngineData(*data, addData, {".", ","}, dir.File("DATA")));
  const std::string text = test::ReadBytes(dir.File("DATA/ZEPHIRAX.TXT"));
  const std::string csv = test::ReadBytes(dir.File("DATA/ZEPHIRAX.CSV"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "CYL\tPCOMP\tPMAX\tAPMAX\tPEXP\tPSCAV\tRPM\tMIP\tPIND\tTEXH\tFRACK\tVIT");
  // Every value is followed by its separator, so a line ends with one.
  EXPECT_NE(text.find("1\t102.5\t102.5\t0.0\t0.0\t2.35\t0.0\t18.2\t1,234\t385\t61.5\t0.0\t\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "CYL,PCOMP,PMAX,APMAX,PEXP,PSCAV,RPM,MIP,PIND,TEXH,FRACK,VIT");
  EXPECT_NE(csv.find("1,102.5,102.5,0.0,0.0,2.35,0.0,18.2,1.234,385,61.5,0.0,\r\n"),
            std::string::npos)
      << csv;

  // German: decimal commas in the tab file, points in the comma file.
  ASSERT_TRUE(ExportEngineData(*data, addData, {",", "."}, dir.File("DATA")));
  EXPECT_NE(test::ReadBytes(dir.File("DATA/ZEPHIRAX.TXT")).find("\t2,35\t"), std::string::npos);
  EXPECT_NE(test::ReadBytes(dir.File("DATA/ZEPHIRAX.CSV")).find(",2.35,"), std::string::npos);

  test::WriteBytes(dir.File("plain"), "");
  EXPECT_FALSE(ExportEngineData(*data, addData, {}, dir.File("plain/DATA")));
}

}  // namespace
}  // namespace zephirax
