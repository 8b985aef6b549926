// A settings dialog for tests that shows nothing and answers as the test chose beforehand.
#pragma once

#include <string>

#include "ModuleState.h"
#include "Ports.h"

namespace tandry::addin::test {

// What the dialog answers.
struct DialogAnswer {
  bool okPressed = true;
  MonitorList order{0};
  std::u16string presName = u"Talk";
  bool displayNotes = false;
  bool lastMonitor4Slides = false;
};

class AnsweringDialog : public SettingsDialog {
 public:
  explicit AnsweringDialog(const DialogAnswer& answer) : answer_(answer) {}

  void Initialize(const ObjectRef&, const ObjectRef&, const MonitorList&, bool, bool) override {}
  void ShowModal() override {}
  bool OKPressed() const override { return answer_.okPressed; }
  void GetMonitorOrder(MonitorList& order) const override {
    order.insert(order.end(), answer_.order.begin(), answer_.order.end());
  }
  std::u16string GetPresName() const override { return answer_.presName; }
  bool DisplayNotesChecked() const override { return answer_.displayNotes; }
  bool LastMonitor4SlidesChecked() const override { return answer_.lastMonitor4Slides; }

 private:
  DialogAnswer answer_;
};

}  // namespace tandry::addin::test
