#include "devicelink/SerialPorts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace zephirax {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "ttyS2" < "ttyS10": runs of digits compare by value, everything else by byte.
bool PathBefore(const std::string& a, const std::string& b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const size_t startA = i;
      const size_t startB = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      std::string_view numberA(a.data() + startA, i - startA);
      std::string_view numberB(b.data() + startB, j - startB);
      // Leading zeros do not make a number larger.
      while (numberA.size() > 1 && numberA.front() == '0') numberA.remove_prefix(1);
      while (numberB.size() > 1 && numberB.front() == '0') numberB.remove_prefix(1);
      if (numberA.size() != numberB.size()) return numberA.size() < numberB.size();
      if (numberA != numberB) return numberA < numberB;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
  return a < b;  // equal but for leading zeros: any fixed order
}

}  // namespace

std::vector<PortChoice> PortChoices(const std::vector<SerialPortInfo>& listed,
                                    const std::string& stored) {
  std::vector<PortChoice> choices;
  for (const SerialPortInfo& port : listed) {
    if (port.Path.empty()) continue;
    const bool seen = std::any_of(choices.begin(), choices.end(),
                                  [&](const PortChoice& c) { return c.Path == port.Path; });
    if (!seen) choices.push_back({port.Path, port.Description, true});
  }
  std::stable_sort(choices.begin(), choices.end(), [](const PortChoice& a, const PortChoice& b) {
    return PathBefore(a.Path, b.Path);
  });
  const bool listedStored = std::any_of(choices.begin(), choices.end(),
                                        [&](const PortChoice& c) { return c.Path == stored; });
  if (!stored.empty() && !listedStored) {
    std::error_code error;
    choices.push_back({stored, "", std::filesystem::exists(stored, error)});
  }
  return choices;
}

}  // namespace zephirax
