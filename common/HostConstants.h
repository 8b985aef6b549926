// The presentation program's and Office's constants that the add-in passes to the host's
// objects and reads from them, shared by the add-in (its portable core too, so no <windows.h>
// here) and the stand-in presentation program.
#pragma once

#include <cstdint>

namespace tandry::host {

inline constexpr std::int32_t kMsoTrue = -1;
inline constexpr std::int32_t kMsoFalse = 0;
inline constexpr std::int32_t kMsoControlButton = 1;
inline constexpr std::int32_t kMsoControlPopup = 10;
inline constexpr std::int32_t kMsoPlaceholder = 14;  // Shape.Type of a placeholder
inline constexpr std::int32_t kMsoTextBox = 17;      // Shape.Type of a plain text box
inline constexpr std::int32_t kLayoutBlank = 12;
inline constexpr std::int32_t kPlaceholderTitle = 1;
inline constexpr std::int32_t kPlaceholderBody = 2;

// The built-in "Slide Show" popup of the menu bar, and the built-in control inside it before
// which the add-in puts its buttons.
inline constexpr std::int32_t kSlideShowPopupId = 30225;
inline constexpr std::int32_t kSlideShowAnchorControlId = 740;

}  // namespace tandry::host
