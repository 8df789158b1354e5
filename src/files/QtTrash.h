#pragma once

#include "files/FileOperations.h"

namespace zephirax {

// The desktop's trash (the freedesktop one, in the user's data folder or at
// the top of the file's own volume).
class QtTrash : public Trash {
 public:
  bool MoveToTrash(const std::string& path, std::string& why) override;
};

}  // namespace zephirax
