// Where the command bar controls that outlive the program are kept between runs: under the
// current user's registry key kKeptControlsKey, one numbered subkey per control.
#pragma once

#include <vector>

#include "CommandBars.h"

namespace tandry::standin {

inline constexpr wchar_t kKeptControlsKey[] = L"Software\\Tandry\\Stand-in\\Kept Controls";

// In the order they were saved; nothing when none were.
std::vector<KeptControl> LoadKeptControls();
// Replaces what was kept.
void SaveKeptControls(const std::vector<KeptControl>& controls);

}  // namespace tandry::standin
