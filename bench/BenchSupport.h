#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/UserInterface.h"
#include "voltan-sim/Generator.h"

// What every benchmark needs: a user interface that answers nothing and the
// largest measurement the device can send.

namespace zephirax::bench {

class SilentUserInterface : public UserInterface {
 public:
  MsgResult MessageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
    return MsgResult::Ok;
  }
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override {
    return 0;
  }
  std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                          const std::vector<FileFilter>&) override {
    return {};
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                          const std::vector<FileFilter>&) override {
    return {};
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return {};
  }
  void Beep() override {}
  void Hourglass(bool) override {}
};

// 20 cylinders of 30 strokes, 1440 samples, a fuel channel.
inline std::string LargestFile() {
  voltansim::GeneratorOptions options = voltansim::EngineDefaults(4);
  options.Cylinders = 20;
  options.Strokes = 30;
  options.InLine = false;
  options.VAngle = 45;
  options.Extra = voltansim::SecondChannel::Fuel;
  return voltansim::GenerateMeasurement(options);
}

}  // namespace zephirax::bench
