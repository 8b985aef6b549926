// Where the slide bitmaps go: the system's temporary directory, chosen from what the system
// answers.
#pragma once

#include <string>

namespace tandry {

// `systemTemp` unless it is empty (the system reported no temporary directory), then
// `currentDir` rather than the root of the drive, then ".\"; ending in a backslash, which is
// appended only when the answer lacks one.
std::string ChooseTempDir(const std::string& systemTemp, const std::string& currentDir);

}  // namespace tandry
