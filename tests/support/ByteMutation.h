#pragma once

#include <random>
#include <string>
#include <vector>

namespace zephirax::test {

// One to six random edits of a good file, the kinds of damage files suffer:
// a changed byte, a cut-off end, an inserted fragment (keys and separators
// that steer a reader into its item handlers), a deleted run, a duplicated run.
std::string MutateBytes(std::string bytes, std::mt19937& rng,
                        const std::vector<std::string>& fragments);

}  // namespace zephirax::test
