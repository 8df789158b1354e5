#include "platform/RegularFile.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zephirax {
namespace {

TEST(RegularFile, ReadsWholeFilesUpToTheLimit) {
  struct Case {
    size_t Size;
    size_t Limit;
    ReadFault Fault;
  };
  const Case cases[] = {{0, 10, ReadFault::None},
                        {10, 10, ReadFault::None},
                        {11, 10, ReadFault::TooLarge},
                        {200000, 200000, ReadFault::None},  // more than one read's worth
                        {200001, 200000, ReadFault::TooLarge}};
  test::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Size) + " bytes, limit " + std::to_string(c.Limit));
    std::string bytes(c.Size, '\0');
    for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<char>(k * 7);
    test::WriteBytes(dir.File("f"), bytes);
    const RegularFileRead read = ReadRegularFile(dir.File("f"), c.Limit);
    EXPECT_EQ(read.Fault, c.Fault);
    EXPECT_EQ(read.Bytes, c.Fault == ReadFault::None ? bytes : "");
  }
  EXPECT_EQ(ReadRegularFile(dir.File("missing"), 10).Fault, ReadFault::CannotOpen);
  EXPECT_EQ(ReadRegularFile("", 10).Fault, ReadFault::CannotOpen);
}

}  // namespace
}  // namespace zephirax
