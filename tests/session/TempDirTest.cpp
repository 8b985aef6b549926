// The directory of the bitmap files, chosen from the system's answers.
#include "TempDir.h"

#include <gmock/gmock.h>

namespace tandry {
namespace {

TEST(ChooseTempDir, EndsInExactlyOneBackslashWhicheverAnswerItTakes) {
  const struct {
    const char* systemTemp;
    const char* currentDir;
    const char* chosen;
  } cases[] = {
      {"C:\\Users\\Ann\\Temp\\", "C:\\Work", "C:\\Users\\Ann\\Temp\\"},
      {"C:\\Temp", "C:\\Work", "C:\\Temp\\"},
      // No temporary directory: the current one, never the root of the drive.
      {"", "C:\\Work", "C:\\Work\\"},
      {"", "D:\\", "D:\\"},
      {"", "", ".\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseTempDir(c.systemTemp, c.currentDir), c.chosen)
        << "temp \"" << c.systemTemp << "\", current \"" << c.currentDir << "\"";
  }
}

}  // namespace
}  // namespace tandry
