// The settings dialog as its caller sees it, until the real dialog is built: it shows nothing
// and answers with the choice made beforehand. Without a choice it answers as a cancelled
// dialog.
#pragma once

#include <string>

#include "Ports.h"

namespace tandry::addin {

struct SettingsChoice {
  bool okPressed = false;
  MonitorList monitorOrder;
  std::u16string presName;
  bool displayNotes = false;
  bool lastMonitor4Slides = false;
};

class SettingsFormStub final : public SettingsDialog {
 public:
  // The answer of every display from now on.
  static void Choose(SettingsChoice choice);

  SettingsFormStub();

  void Initialize(const ObjectRef&, const ObjectRef&, const MonitorList&, bool, bool) override {}
  void ShowModal() override {}
  bool OKPressed() const override { return choice_.okPressed; }
  void GetMonitorOrder(MonitorList& monitorOrder) const override;
  std::u16string GetPresName() const override { return choice_.presName; }
  bool DisplayNotesChecked() const override { return choice_.displayNotes; }
  bool LastMonitor4SlidesChecked() const override { return choice_.lastMonitor4Slides; }

 private:
  SettingsChoice choice_;
};

}  // namespace tandry::addin
