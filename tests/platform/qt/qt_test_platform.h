#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <qtestsupport_core.h>
#include <sstream>

#include "platform/qt/qt_platform.h"
#include "shell/form1.h"
#include "tests/scripted_libraries.h"
#include "tests/temp_dir.h"

namespace kerumo::testing {

// The one Qt platform of the test program, made by its main().
qt::QtPlatform& qtPlatform();

// Kerumo's meter window on the Qt platform, started from `settings` in a
// fresh directory and unloaded at the end.
class QtKerumoTest : public ::testing::Test {
 protected:
  explicit QtKerumoTest(const char* settings) : settings_(settings) {}
  void SetUp() override {
    writeFile(dir / "kerumo.ini", settings_);
    form = std::make_unique<Form1>(qtPlatform(), dir / "kerumo.ini", diagnostics, scriptedLoader(figures));
    ASSERT_TRUE(form->Form_Load());
    frame = static_cast<qt::QtForm&>(form->window()).frame();
  }
  void TearDown() override {
    if (form) form->Form_Unload();
    form.reset();
  }
  QWidget* child(const char* name) { return frame->findChild<QWidget*>(name); }

  TempDir dir;
  std::ostringstream diagnostics;
  ScriptedFigures figures;
  std::unique_ptr<Form1> form;
  qt::FormFrame* frame = nullptr;

 private:
  const char* settings_;
};

}  // namespace kerumo::testing
