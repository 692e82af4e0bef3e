// A small StatusNotifierItem watcher with a host, for the tests: it prints
// "item <pid> <service>" for every icon that registers with it. With
// --host-on-input its host registers only when a line comes on standard
// input, as a panel's does after its watcher; it says when it is asked
// whether a host is there.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSocketNotifier>
#include <QStringList>
#include <cstdio>

// One line of what the watcher saw, at once: the test waits for it.
static void say(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

class WatcherAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
  Q_PROPERTY(int ProtocolVersion READ protocolVersion)

 public:
  explicit WatcherAdaptor(QObject* parent) : QDBusAbstractAdaptor(parent) {}
  QStringList items() const { return items_; }
  bool hostRegistered() const {
    say(QString("asked for a host: ") + (hostRegistered_ ? "yes" : "no"));
    return hostRegistered_;
  }
  void registerHost() {
    hostRegistered_ = true;
    emit StatusNotifierHostRegistered();
  }
  int protocolVersion() const { return 0; }

 public slots:
  void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
    const uint pid = QDBusConnection::sessionBus().interface()->servicePid(message.service()).value();
    items_ << service;
    say(QString("item %1 %2").arg(pid).arg(service));
    emit StatusNotifierItemRegistered(service);
  }
  void RegisterStatusNotifierHost(const QString&) {}

 signals:
  void StatusNotifierItemRegistered(const QString& service);
  void StatusNotifierItemUnregistered(const QString& service);
  void StatusNotifierHostRegistered();

 private:
  QStringList items_;
  bool hostRegistered_ = false;
};

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QObject root;
  WatcherAdaptor adaptor(&root);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject("/StatusNotifierWatcher", &root) ||
      !bus.registerService("org.kde.StatusNotifierWatcher")) {
    std::fprintf(stderr, "sni_watcher: cannot register on the session bus\n");
    return 1;
  }
  QSocketNotifier input(0, QSocketNotifier::Read);
  input.setEnabled(app.arguments().contains("--host-on-input"));
  if (!input.isEnabled()) adaptor.registerHost();
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    input.setEnabled(false);
    adaptor.registerHost();
    say("host registered");
  });
  return app.exec();
}

#include "sni_watcher.moc"
