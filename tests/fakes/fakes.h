#pragma once

#include "app/main_form.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_settings_store.h"
#include "fakes/recording_window.h"
#include "i18n/language.h"

namespace lumora::testing {

// The procedures' world in memory: a registry, a settings store and a window,
// with the registry module and the main window's handlers over them.
struct Fakes {
  ~Fakes() { CurrentLanguage.clear(); }  // the program's one global, for the next test

  FakeRegistry registry;
  FakeSettingsStore store;
  RecordingWindow ui;
  General general{registry, ui};
  VisibilityState state;
  MainForm form{ui, registry, store};
};

}  // namespace lumora::testing
