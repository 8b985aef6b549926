// A module over the recording fakes with a host application that has the presentation "Talk"
// (12 slides) open and active, and "Other" (3 slides) open, for the tests of the show's start,
// stop, events and shortcut.
#pragma once

#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeHost.h"
#include "RecordingPorts.h"
#include "ShowControl.h"

namespace tandry::addin::test {

// The module and its host, for tests that make many of them.
struct TalkHost {
  TalkHost() {
    presentations->Getter(u"Item", [this](const Arguments& arguments) -> Result {
      const auto name = arguments.empty() ? std::nullopt : AsText(arguments[0]);
      for (const FakePresentation* deck : {&talk, &other}) {
        if (name && AsText(deck->presentation->Get(u"Name", {})) == *name) {
          return Value{ObjectRef(deck->presentation)};
        }
      }
      return std::nullopt;
    });
    app->Set(u"Presentations", presentations).Set(u"ActivePresentation", talk.presentation);
    state().App = app;
  }
  TalkHost(const TalkHost&) = delete;
  TalkHost& operator=(const TalkHost&) = delete;

  ModuleState& state() { return m.module.state; }
  SettingsRecord& settings() { return m.module.state.Settings; }

  RecordingModule m;
  FakePresentation talk{"Talk", 12, m.log};
  FakePresentation other{"Other", 3, m.log};
  FakeRef presentations = std::make_shared<FakeObject>("presentations", m.log);
  FakeRef app = std::make_shared<FakeObject>("app", m.log);
};

class ShowFixture : public ::testing::Test, protected TalkHost {
 protected:
  // Starts a show through the toggle with the dialog answering `answer`, and forgets the log.
  void StartWith(const DialogAnswer& answer) {
    m.objects.answer = answer;
    StartStopShow(m.module);
    m.log.clear();
  }

  // The log lines that begin with one of `prefixes`.
  std::vector<std::string> Lines(std::initializer_list<std::string> prefixes) const {
    std::vector<std::string> lines;
    for (const std::string& line : m.log) {
      if (std::any_of(prefixes.begin(), prefixes.end(),
                      [&](const std::string& p) { return line.rfind(p, 0) == 0; })) {
        lines.push_back(line);
      }
    }
    return lines;
  }
};

}  // namespace tandry::addin::test
