// One whole tick of the meter through the built-in sources: what the
// half-second timer costs apart from drawing.
#include <benchmark/benchmark.h>

#include "monitor/builtin_sources.h"
#include "monitor/sampling_cycle.h"
#include "platform/fake/fake_platform.h"

namespace kerumo {
namespace {

// A window that takes the figures and does nothing with them, so the
// figure is the core's and the sources' alone.
class NullForm : public FormWindow {
 public:
  void setLeft(double) override {}
  void setTop(double) override {}
  double left() const override { return 0; }
  double top() const override { return 0; }
  double width() const override { return 0; }
  double height() const override { return 0; }
  void setVisible(bool) override {}
  bool isVisible() const override { return true; }
  int32_t setWindowPos(InsertAfter, uint32_t) override { return 1; }
  void setForeground() override {}
  void beginSystemMove() override {}
  void setCaption(const std::string& control, const std::string& text) override {
    benchmark::DoNotOptimize(control.size() + text.size());
  }
  std::string text(const std::string&) const override { return {}; }
  void setWidth(const std::string&, double twips) override { benchmark::DoNotOptimize(twips); }
  void setControlVisible(const std::string&, bool) override {}
  void setEnabled(const std::string&, bool) override {}
  void setForeColour(const std::string&, Colour) override {}
  void setUnderline(const std::string&, bool) override {}
  void setChecked(const std::string&, bool) override {}
  bool isChecked(const std::string&) const override { return false; }
  void setFocus(const std::string&) override {}
  void setTimerEnabled(const std::string&, bool) override {}
  void setMenuVisible(bool) override {}
  void setMenuItemChecked(const std::string&, bool) override {}
  void popupMenu() override {}
  void showModal() override {}
  void close() override {}
};

void WholeTick(benchmark::State& state) {
  FakePlatform platform;
  NullForm form;
  SamplingCycle cycle(platform, form, [] {
    return MonitorLibraries{makeBuiltinResourceInfo(), makeBuiltinPortIo()};
  });
  cycle.Timer1_Timer();  // loads the sources
  for (auto _ : state) cycle.Timer1_Timer();
}
BENCHMARK(WholeTick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kerumo
