#include "measurement/ReferenceReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"

namespace zephirax {
namespace {

using test::MeasurementFileBuilder;
using test::ScriptedUserInterface;

struct State {
  std::unique_ptr<ReferenceData> Ref = std::make_unique<ReferenceData>();
  std::unique_ptr<MeasurementData> Data = std::make_unique<MeasurementData>();
  ScriptedUserInterface Ui;
  bool LoadRef(const std::string& bytes, int cylinder, int language = English) {
    return static_cast<bool>(
        test::ShownLoad(LoadReferenceBytes(*Ref, *Data, bytes, cylinder), Ui, language, "", true));
  }
};

MeasurementFileBuilder SixCylinders() {
  MeasurementFileBuilder file;
  file.Cylinders = 6;
  file.Pressure = [](int c, int s) { return 20.0 * c + (s % 97) * 0.3; };
  file.ExtraValue = [](int c, int s) { return 100.0 * c + (s % 53); };
  return file;
}

// The reference cylinder must come out exactly as the measurement reader
// reads that cylinder: same layouts, expansion, smoothing and second channel.
TEST(ReferenceReader, KeepsOneCylinderAsTheMeasurementReaderReadsIt) {
  struct Case {
    std::string Version;
    bool Mip, Mode;
    std::string Extra;
  };
  for (const Case& c :
       {Case{"4.00", true, true, ""}, Case{"4.00", true, true, "FUEL"},
        Case{"", true, true, "FUEL"}, Case{"4.00", true, true, "ACL1"},
        Case{"", true, true, "FUE1"}, Case{"", false, false, "FUEL"}, Case{"", false, true, ""}}) {
    SCOPED_TRACE("version '" + c.Version + "' extra '" + c.Extra + "'");
    MeasurementFileBuilder file = SixCylinders();
    file.Version = c.Version;
    file.Mip = c.Mip;
    file.Mode = c.Mode;
    file.Extra = c.Extra;
    const std::string bytes = file.Build();
    auto whole = std::make_unique<MeasurementData>();
    ASSERT_TRUE(LoadMeasurementBytes(*whole, bytes));

    State s;
    ASSERT_TRUE(s.LoadRef(bytes, 3));
    const ReferenceData& r = *s.Ref;
    EXPECT_EQ(r.RefCylCount, 6);
    EXPECT_EQ(r.RefCurve, whole->PressureCurve[3]);
    EXPECT_EQ(r.RefHasExtra, !c.Extra.empty());
    if (!c.Extra.empty()) {
      EXPECT_EQ(r.RefExtraCurve, whole->ExtraCurve[3]);
    }
    EXPECT_EQ(r.RefExtraIsBinary, c.Extra == "ACL1" || c.Extra == "FUE1");
    for (int i = 1; i <= 6; ++i) {
      EXPECT_EQ(r.RefCylRpm[i], whole->CylRpm[i]);
      EXPECT_EQ(r.RefCylMip[i], whole->CylMip[i]);
      EXPECT_EQ(r.RefCylPind[i], whole->CylPind[i]);
    }
    EXPECT_EQ(s.Data->MeasDate, "06.12.2026");
    EXPECT_EQ(s.Data->SetupValid, -1);
    EXPECT_EQ(s.Data->CylCount, 0);  // the current measurement is not replaced
  }
}

TEST(ReferenceReader, WidensButNeverNarrowsThePressureAxis) {
  const std::string bytes = SixCylinders().Build();  // highest pmax 51 -> step 75
  State s;
  s.Data->PressureAxisMax = 50;
  ASSERT_TRUE(s.LoadRef(bytes, 1));
  EXPECT_EQ(s.Data->PressureAxisMax, 75);
  s.Data->PressureAxisMax = 150;
  ASSERT_TRUE(s.LoadRef(bytes, 1));
  EXPECT_EQ(s.Data->PressureAxisMax, 150);
}

TEST(ReferenceReader, RejectedFilesChangeNothing) {
  const std::string good = SixCylinders().Build();
  auto patched = [&](const std::string& from, const std::string& to) {
    std::string bytes = good;
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
  };
  State s;
  ASSERT_TRUE(s.LoadRef(good, 2));
  const ReferenceData refBefore = *s.Ref;
  const MeasurementData dataBefore = *s.Data;
  struct Case {
    std::string Bytes;
    int Cylinder;
    const char* Reason;
  };
  const char* outOfRange = "Un número en la cabecera está fuera de rango.";
  const char* noCylinder = "El fichero no contiene ese cilindro.";
  for (const Case& c :
       {Case{patched("CYLINDERS\r\n06", "CYLINDERS\r\n21"), 2, outOfRange},
        Case{patched("STROKES\r\n03", "STROKES\r\n31"), 2, outOfRange},
        Case{patched("MODE\r\n2", "MODE\r\n5"), 2, outOfRange}, Case{good, 7, noCylinder},
        Case{good, 0, noCylinder}, Case{good, 9, noCylinder},
        Case{good.substr(0, good.size() - 500), 2, "El fichero termina en el bloque de curvas."}}) {
    s.Ui.Messages.clear();
    EXPECT_FALSE(s.LoadRef(c.Bytes, c.Cylinder, Spanish));
    EXPECT_TRUE(*s.Ref == refBefore);
    EXPECT_TRUE(*s.Data == dataBefore);
    ASSERT_EQ(s.Ui.Messages.size(), 1u);
    EXPECT_EQ(s.Ui.Messages[0].Caption, "Falta :");
    EXPECT_EQ(s.Ui.Messages[0].Text,
              "No puedo abr\xC3\xADr el fichero de datos !\n" + std::string(c.Reason));
  }
  // A file that fails the start test: the Spanish text has no leading blank here.
  EXPECT_FALSE(s.LoadRef("ABCDEFGH", 1, Spanish));
  EXPECT_EQ(s.Ui.Messages.back().Text,
            "No es un fichero de datos para el ZEPHIRAX !\n"
            "El fichero no empieza como un fichero de medición.");
}

TEST(ReferenceReader, MutatedFilesAreAcceptedOrChangeNothing) {
  MeasurementFileBuilder fuel = SixCylinders();
  fuel.Extra = "ACL1";
  const std::string good = fuel.Build();
  std::mt19937 rng(11);
  State s;
  for (int round = 0; round < 1500; ++round) {
    ASSERT_TRUE(s.LoadRef(good, 1 + round % 6));
    const ReferenceData refBefore = *s.Ref;
    const MeasurementData dataBefore = *s.Data;
    std::string bytes = good;
    for (int e = 0; e < 1 + static_cast<int>(rng() % 4); ++e) {
      const size_t at = rng() % bytes.size();
      if (rng() % 3 == 0) {
        bytes.resize(at);
      } else {
        bytes[at] = static_cast<char>(rng());
      }
      if (bytes.empty()) break;
    }
    if (!s.LoadRef(bytes, 1 + static_cast<int>(rng() % 8))) {
      ASSERT_TRUE(*s.Ref == refBefore) << round;
      ASSERT_TRUE(*s.Data == dataBefore) << round;
    } else {
      ASSERT_GE(s.Ref->RefCylCount, 1);
      ASSERT_LE(s.Ref->RefCylCount, MaxCylinders);
    }
  }
}

}  // namespace
}  // namespace zephirax
