#include "platform/qt/display_guard.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdlib>
#include <iostream>


namespace kerumo::qt {
namespace {

// The one guard of the process, for Qt's plain-function message handler.
DisplayGuard* activeGuard = nullptr;

QString argumentAfter(int argc, char** argv, const char* option) {
  for (int i = 1; i + 1 < argc; ++i)
    if (qstrcmp(argv[i], option) == 0) return QString::fromLocal8Bit(argv[i + 1]);
  return {};
}

bool onUserInterfaceThread() {
  return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace

std::optional<QString> x11DisplayToOpen(int argc, char** argv) {
  QString platform = argumentAfter(argc, argv, "-platform");
  if (platform.isEmpty()) platform = qEnvironmentVariable("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb")) return std::nullopt;
  // Left to itself, Qt may choose Wayland when only Wayland is there.
  if (platform.isEmpty() && qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("DISPLAY"))
    return std::nullopt;
  const QString named = argumentAfter(argc, argv, "-display");
  return named.isEmpty() ? qEnvironmentVariable("DISPLAY") : named;
}

std::string cannotOpenDisplay(const QString& display) {
  if (display.isEmpty()) return "kerumo: ディスプレイに接続できません。環境変数 DISPLAY が設定されていません";
  return "kerumo: ディスプレイ「" + display.toStdString() + "」に接続できません";
}

DisplayGuard::DisplayGuard() : previous_(install(this)) {}

QtMessageHandler DisplayGuard::install(DisplayGuard* guard) {
  activeGuard = guard;
  // Qt may also end the process with exit() while it starts.
  static const bool exitHooked = std::atexit(&DisplayGuard::sayWhyStartFailed) == 0;
  (void)exitHooked;
  return qInstallMessageHandler(&DisplayGuard::handle);
}

// One line for a window system that failed to start, with the last thing
// Qt said about it.
void DisplayGuard::sayWhyStartFailed() {
  DisplayGuard* guard = activeGuard;
  if (!guard || !guard->starting_) return;
  guard->starting_ = false;
  std::string line = "kerumo: ウィンドウシステムに接続できません（Qt のプラットフォーム「" +
                     qEnvironmentVariable("QT_QPA_PLATFORM", "既定").toStdString() + "」）";
  if (!guard->held_.empty()) line += ": " + guard->held_.back().text.section('\n', 0, 0).trimmed().toStdString();
  std::cerr << line << std::endl;
}

DisplayGuard::~DisplayGuard() {
  qInstallMessageHandler(previous_);
  activeGuard = nullptr;
}

void DisplayGuard::started(std::function<bool()> connectionBroken, std::function<void()> onLost) {
  connectionBroken_ = std::move(connectionBroken);
  onLost_ = std::move(onLost);
  starting_ = false;
  for (const Held& held : held_) {
    const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
    previous_(held.type, context, held.text);
  }
  held_.clear();
}

void DisplayGuard::handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  DisplayGuard* guard = activeGuard;
  if (guard && guard->starting_) {
    // Qt found no window system to start on: one line, no core dump.
    if (type == QtFatalMsg) {
      sayWhyStartFailed();
      std::_Exit(1);
    }
    guard->held_.push_back({type, QByteArray(context.category ? context.category : ""), text});
    return;
  }
  if (guard && guard->connectionBroken_ && guard->connectionBroken_()) {
    if (onUserInterfaceThread()) guard->onLost_();
    return;
  }
  if (guard) guard->previous_(type, context, text);
}

}  // namespace kerumo::qt
