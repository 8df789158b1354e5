#include "support/ByteMutation.h"

namespace zephirax::test {

std::string MutateBytes(std::string bytes, std::mt19937& rng,
                        const std::vector<std::string>& fragments) {
  auto pick = [&](size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng() % n); };
  const int edits = 1 + static_cast<int>(rng() % 6);
  for (int e = 0; e < edits && !bytes.empty(); ++e) {
    switch (rng() % 5) {
      case 0:
        bytes[pick(bytes.size())] = static_cast<char>(rng());
        break;
      case 1:
        bytes.resize(pick(bytes.size()));
        break;
      case 2:
        if (!fragments.empty()) bytes.insert(pick(bytes.size()), fragments[pick(fragments.size())]);
        break;
      case 3:
        bytes.erase(pick(bytes.size()), pick(64));
        break;
      default:
        bytes.insert(pick(bytes.size()), bytes.substr(pick(bytes.size()), pick(200)));
    }
  }
  return bytes;
}

}  // namespace zephirax::test
