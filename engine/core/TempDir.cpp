#include "TempDir.h"

namespace tandry {

std::string ChooseTempDir(const std::string& systemTemp, const std::string& currentDir) {
  std::string dir = !systemTemp.empty() ? systemTemp : currentDir;
  if (dir.empty()) return ".\\";
  if (dir.back() != '\\') dir += '\\';
  return dir;
}

}  // namespace tandry
