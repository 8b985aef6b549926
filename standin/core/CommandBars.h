// The stand-in's command bars: the menu bar's built-in popups and their controls, the buttons
// that callers add to a popup, where each control stands, which control a search finds first,
// and which added controls outlive the program. The main window shows this tree as its menu.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tandry::standin {

inline constexpr int kControlButton = 1;  // type numbers as the Office constants give them
inline constexpr int kControlPopup = 10;
inline constexpr int kAddedControlId = 1;  // the id of every control that a caller adds

struct Control {
  int key = 0;  // identifies the control for the life of the program; never reused
  int type = kControlButton;
  int id = kAddedControlId;  // a built-in control's own id
  std::string caption;
  std::string tag;
  int faceId = 0;
  bool beginGroup = false;  // a separator before it
  bool temporary = false;   // gone at the end of the program
  std::vector<Control> controls;  // a popup's
};

// What an added control that is not temporary keeps for the next start.
struct KeptControl {
  int popupId = 0;  // the built-in id of the popup that holds it
  int index = 0;    // its 1-based position there, not counting temporary controls
  std::string caption;
  std::string tag;
  int faceId = 0;
  bool beginGroup = false;
  bool operator==(const KeptControl& other) const;
};

// FindControl's criteria; the ones left out match every control.
struct ControlQuery {
  std::optional<int> type;
  std::optional<int> id;
  std::optional<std::string> tag;
};

class CommandBarSet {
 public:
  // The menu bar: "&File" (30002), "Sli&de Show" (30225, holding "&View Show" 740 among others)
  // and "&Help" (30010), with their built-in commands.
  CommandBarSet();

  // The menu bar's popups in order.
  const std::vector<Control>& menuBar() const { return menuBar_; }
  const Control* Find(int key) const;
  // The key of the first control that matches, going through the popups in order and each one
  // depth first; 0 when none does.
  int FindFirst(const ControlQuery& query) const;
  // The 1-based position of a control among its popup's controls (or the menu bar's); 0 when
  // it is gone.
  int IndexOf(int key) const;

  // A new button in popup `popupKey` before position `before` (1 to count + 1; left out: at the
  // end). Its key, or 0 when `popupKey` is not a popup or `before` is outside the popup.
  int AddButton(int popupKey, std::optional<int> before, bool temporary);
  // Sets a control's members; false when it is gone.
  bool SetCaption(int key, std::string caption);
  bool SetTag(int key, std::string tag);
  bool SetFaceId(int key, int faceId);
  bool SetBeginGroup(int key, bool beginGroup);
  // Removes a control (a popup with all it holds); false when it is gone already.
  bool Delete(int key);

  // The added controls that are not temporary, popup by popup in position order.
  std::vector<KeptControl> Kept() const;
  // Puts kept controls back where they were, as far as their popups still hold that many.
  void Restore(const std::vector<KeptControl>& kept);

 private:
  Control* FindMutable(int key);
  std::vector<Control> menuBar_;
  int nextKey_ = 1;
};

}  // namespace tandry::standin
