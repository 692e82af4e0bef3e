// Drives the meter's real tick as fast as it goes, not on its timer: the
// window system's backend, the built-in sources, every figure shown and the
// warning check, then says what the process held before and after:
//   ticks N in S s, RssAnon A -> B kB, fds X -> Y
// With --fail-on-growth it fails when private memory grew by more than
// allocator noise or a handle stayed open.
#include <chrono>
#include <cstring>
#include <iostream>
#include <sstream>

#include "monitor/builtin_sources.h"
#include "process_counts.h"
#include "shell/form1.h"
#include "temp_dir.h"

namespace {

using kerumo::soak::processCounts;

// Warnings armed, thresholds 0: the check runs on every tick, and no box
// stops the loop.
constexpr const char* ArmedSettings = "600\r\n900\r\n0\r\n1\r\n1\r\n0\r\n0\r\n";
constexpr long WarmUpTicks = 2000;  // first reading, fonts, caches
constexpr long MemoryNoiseKb = 512;

void tick(kerumo::Form1& meter, kerumo::Platform& platform) {
  meter.Timer1_Timer();
  platform.processPendingEvents();  // the labels and bars repaint
}

}  // namespace

int main(int argc, char** argv) {
  const bool failOnGrowth = argc > 1 && std::strcmp(argv[1], "--fail-on-growth") == 0;
  const long ticks = argc > 1 + failOnGrowth ? std::atol(argv[1 + failOnGrowth]) : 1209600;
  kerumo::testing::TempDir dir;
  kerumo::testing::writeFile(dir / "kerumo.ini", ArmedSettings);
  auto platform = kerumo::createPlatform(argc, argv);
  if (!platform) return 1;
  std::ostringstream diagnostics;  // the sources' one-time remarks
  kerumo::Form1 meter(*platform, dir / "kerumo.ini", diagnostics, [&diagnostics] {
    return kerumo::MonitorLibraries{kerumo::makeBuiltinResourceInfo(), kerumo::makeBuiltinPortIo(diagnostics)};
  });
  if (!meter.Form_Load()) return 1;
  for (long i = 0; i < WarmUpTicks; ++i) tick(meter, *platform);

  const auto before = processCounts();
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < ticks; ++i) tick(meter, *platform);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const auto after = processCounts();
  meter.Form_Unload();

  std::cout << "ticks " << ticks << " in " << static_cast<long>(seconds.count() + 0.5) << " s";
  bool grew = false;
  for (std::size_t i = 0; i < before.size(); ++i) {
    std::cout << ", " << before[i].name << ' ' << before[i].value << " -> " << after[i].value << after[i].unit;
    grew = grew || after[i].value - before[i].value > (after[i].unit.empty() ? 0 : MemoryNoiseKb);
  }
  std::cout << std::endl;
  return failOnGrowth && grew ? 1 : 0;
}
