// For the tests: saves a picture of the X screen, or of one window, as PNG.
// Usage: test_screenshot FILE.png [WINDOW-ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: test_screenshot FILE.png [WINDOW-ID]\n");
    return 2;
  }
  const WId window = argc > 2 ? QString(argv[2]).toULongLong(nullptr, 0) : 0;
  return QGuiApplication::primaryScreen()->grabWindow(window).save(argv[1]) ? 0 : 1;
}
