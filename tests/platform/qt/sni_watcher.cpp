// A small StatusNotifierItem watcher with a host, for the tests: it prints
// "item <pid> <service>" for every icon that registers with it.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <cstdio>

class WatcherAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
  Q_PROPERTY(int ProtocolVersion READ protocolVersion)

 public:
  explicit WatcherAdaptor(QObject* parent) : QDBusAbstractAdaptor(parent) {}
  QStringList items() const { return items_; }
  bool hostRegistered() const { return true; }
  int protocolVersion() const { return 0; }

 public slots:
  void RegisterStatusNotifierItem(const QString& service, const QDBusMessage& message) {
    const QString sender = message.service();
    const uint pid = QDBusConnection::sessionBus().interface()->servicePid(sender).value();
    items_ << service;
    std::printf("item %u %s\n", pid, qPrintable(service));
    std::fflush(stdout);
    emit StatusNotifierItemRegistered(service);
  }
  void RegisterStatusNotifierHost(const QString&) {}

 signals:
  void StatusNotifierItemRegistered(const QString& service);
  void StatusNotifierItemUnregistered(const QString& service);
  void StatusNotifierHostRegistered();

 private:
  QStringList items_;
};

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QObject root;
  auto* adaptor = new WatcherAdaptor(&root);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.registerObject("/StatusNotifierWatcher", &root) ||
      !bus.registerService("org.kde.StatusNotifierWatcher")) {
    std::fprintf(stderr, "sni_watcher: cannot register on the session bus\n");
    return 1;
  }
  emit adaptor->StatusNotifierHostRegistered();
  std::printf("ready\n");
  std::fflush(stdout);
  return app.exec();
}

#include "sni_watcher.moc"
