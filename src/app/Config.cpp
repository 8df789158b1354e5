#include "app/Config.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include "app/IniFile.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/TextEncoding.h"

namespace zephirax {
namespace {

constexpr size_t ShipNameLength = 30;

constexpr std::array<std::string_view, 4> LanguageTexts = {"deutsch", "english", "francais",
                                                           "espaniol"};
constexpr std::array<std::string_view, 3> PressureTexts = {"bar", "Mpa", "psi"};
constexpr std::array<std::string_view, 2> PowerTexts = {"kW", "hp"};
constexpr std::array<std::string_view, 2> TempTexts = {"degC", "degF"};
constexpr std::array<std::string_view, 2> LengthTexts = {"mm", "inch"};

// Sets `code` to the index of `text` in `texts`; an unknown text leaves it.
template <size_t N>
void MatchText(const std::string& text, const std::array<std::string_view, N>& texts,
               int32_t& code) {
  for (size_t i = 0; i < N; ++i) {
    if (text == texts[i]) {
      code = static_cast<int32_t>(i);
      return;
    }
  }
}

// Writes the text of `code`; a code without a text removes the key.
template <size_t N>
void SetText(IniFile& ini, std::string_view section, std::string_view key, int32_t code,
             const std::array<std::string_view, N>& texts) {
  if (code >= 0 && static_cast<size_t>(code) < N) {
    ini.Set(section, key, texts[static_cast<size_t>(code)]);
  } else {
    ini.Remove(section, key);
  }
}

// The whole text as a decimal integer, else 0.
int32_t ToInt(const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end ? value : 0;
}

// Far more than any configuration holds.
constexpr size_t MaxConfigSize = 1 << 20;

// The file's bytes; nullopt when it is missing, cannot be read, is not a
// regular file or is too large to be a configuration.
std::optional<std::string> ReadFile(const std::string& path) {
  RegularFileRead read = ReadRegularFile(path, MaxConfigSize);
  if (!read) return std::nullopt;
  return std::move(read.Bytes);
}

}  // namespace

std::string ConfigPath(const std::string& appDataDir) {
  return appDataDir + "/ZEPHIRAX.INI";
}

void ReadConfig(Settings& settings, const std::string& appDataDir) {
  ReadConfigBytes(settings, ReadFile(ConfigPath(appDataDir)).value_or(""));
}

void ReadConfigBytes(Settings& settings, std::string_view bytes) {
  settings.Language = 1;
  settings.PressureUnit = 0;
  settings.PowerUnit = 0;
  settings.TempUnit = 0;
  settings.LengthUnit = 0;
  settings.DpDaMax = 5.0f;

  const IniFile ini = IniFile::Parse(bytes);

  MatchText(ini.Get("Language", "Language", "english"), LanguageTexts, settings.Language);
  MatchText(ini.Get("Units", "Pressure", "bar"), PressureTexts, settings.PressureUnit);
  MatchText(ini.Get("Units", "Power", "kW"), PowerTexts, settings.PowerUnit);
  MatchText(ini.Get("Units", "Temperature", "degC"), TempTexts, settings.TempUnit);
  MatchText(ini.Get("Units", "Length", "mm"), LengthTexts, settings.LengthUnit);

  const std::string port = ini.Get("Ports", "COMport", "1");
  for (int32_t number = 1; number <= 12; ++number) {
    if (port == std::to_string(number)) settings.ComPort = number;
  }
  const std::string baud = ini.Get("Ports", "Baudrate", "9600");
  if (baud == "9600") settings.BaudRate = 9600;
  if (baud == "38400") settings.BaudRate = 38400;
  // A device path is a file name: its bytes are taken as they are.
  settings.Device = ini.Get("Ports", "Device", "");

  settings.ShipName = Cp1252ToUtf8(ini.Get("Global", "Shipname", "").substr(0, ShipNameLength));

  const std::string dpDa = ini.Get("Scaling", "dpdamax", "5.0");
  if (dpDa == "10.0") settings.DpDaMax = 10.0f;
  if (dpDa == "5.0") settings.DpDaMax = 5.0f;
  if (dpDa == "2.5") settings.DpDaMax = 2.5f;
  settings.AclScale = Cp1252ToUtf8(ini.Get("Scaling", "ACL sensor", "min"));

  settings.SensorType = ToInt(ini.Get("Additional Sensor", "Sensor type", "0"));

  settings.EmailDestination = Cp1252ToUtf8(ini.Get("Email", "Destination", ""));
  settings.EmailSenderName = Cp1252ToUtf8(ini.Get("Email", "Sender name", ""));
  settings.EmailSenderAddress = Cp1252ToUtf8(ini.Get("Email", "Sender adress", ""));
}

bool WriteConfig(const Settings& settings, const std::string& appDataDir) {
  const std::string path = ConfigPath(appDataDir);
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  const std::optional<std::string> old = ReadFile(path);
  // A file that is there but cannot be read is not replaced: its other
  // sections would be lost.
  if (exists && !old) return false;
  IniFile ini = IniFile::Parse(old.value_or(""));

  SetText(ini, "Language", "Language", settings.Language, LanguageTexts);
  SetText(ini, "Units", "Pressure", settings.PressureUnit, PressureTexts);
  SetText(ini, "Units", "Power", settings.PowerUnit, PowerTexts);
  SetText(ini, "Units", "Temperature", settings.TempUnit, TempTexts);
  SetText(ini, "Units", "Length", settings.LengthUnit, LengthTexts);

  if (settings.ComPort >= 1 && settings.ComPort <= 12) {
    ini.Set("Ports", "COMport", std::to_string(settings.ComPort));
  } else {
    ini.Remove("Ports", "COMport");
  }
  if (settings.BaudRate == 9600 || settings.BaudRate == 38400) {
    ini.Set("Ports", "Baudrate", std::to_string(settings.BaudRate));
  } else {
    ini.Remove("Ports", "Baudrate");
  }
  if (!settings.Device.empty() || ini.Get("Ports", "Device")) {
    ini.Set("Ports", "Device", settings.Device);
  }

  ini.Set("Global", "Shipname", Utf8ToCp1252(settings.ShipName));

  if (settings.DpDaMax == 10.0f) {
    ini.Set("Scaling", "dpdamax", "10.0");
  } else if (settings.DpDaMax == 5.0f) {
    ini.Set("Scaling", "dpdamax", "5.0");
  } else if (settings.DpDaMax == 2.5f) {
    ini.Set("Scaling", "dpdamax", "2.5");
  } else {
    ini.Remove("Scaling", "dpdamax");
  }
  ini.Set("Scaling", "ACL sensor", Utf8ToCp1252(settings.AclScale));

  ini.Set("Additional Sensor", "Sensor type", std::to_string(settings.SensorType));

  ini.Set("Email", "Destination", Utf8ToCp1252(settings.EmailDestination));
  ini.Set("Email", "Sender name", Utf8ToCp1252(settings.EmailSenderName));
  ini.Set("Email", "Sender adress", Utf8ToCp1252(settings.EmailSenderAddress));

  if (!appDataDir.empty()) std::filesystem::create_directories(appDataDir, error);
  return ReplaceFileAtomically(path, ini.Serialize());
}

}  // namespace zephirax
