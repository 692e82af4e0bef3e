#include "platform/qt/sni_watch.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace kerumo::qt {
namespace {

const QString WatcherService = "org.kde.StatusNotifierWatcher";
const QString WatcherPath = "/StatusNotifierWatcher";
constexpr int AnswerTimeoutMs = 1000;

QDBusMessage hostRegisteredQuestion() {
  QDBusMessage question = QDBusMessage::createMethodCall(WatcherService, WatcherPath,
                                                         "org.freedesktop.DBus.Properties", "Get");
  question << WatcherService << QString("IsStatusNotifierHostRegistered");
  return question;
}

bool saysYes(const QDBusMessage& answer) {
  return answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
         answer.arguments().first().value<QDBusVariant>().variant().toBool();
}

bool watcherRegistered(const QDBusConnection& bus) {
  return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(WatcherService).value();
}

}  // namespace

StatusNotifierWatch::StatusNotifierWatch(std::function<void()> onHostReady)
    : onHostReady_(std::move(onHostReady)) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  services_.setConnection(bus);
  services_.setWatchMode(QDBusServiceWatcher::WatchForRegistration);
  services_.addWatchedService(WatcherService);
  QObject::connect(&services_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
    if (waiting_) askAsync();
  });
  // A watcher that is there before its host says when the host comes.
  bus.connect(WatcherService, WatcherPath, WatcherService, "StatusNotifierHostRegistered", this,
              SLOT(hostRegistered()));
}

void StatusNotifierWatch::hostRegistered() {
  if (waiting_) askAsync();
}

bool StatusNotifierWatch::hostReady() const {
  QDBusConnection bus = QDBusConnection::sessionBus();
  return watcherRegistered(bus) && saysYes(bus.call(hostRegisteredQuestion(), QDBus::Block, AnswerTimeoutMs));
}

void StatusNotifierWatch::setWaiting(bool waiting) {
  waiting_ = waiting && QDBusConnection::sessionBus().isConnected();
  if (waiting_) askAsync();
}

void StatusNotifierWatch::askAsync() {
  auto* pending = new QDBusPendingCallWatcher(
      QDBusConnection::sessionBus().asyncCall(hostRegisteredQuestion(), AnswerTimeoutMs), &services_);
  QObject::connect(pending, &QDBusPendingCallWatcher::finished, [this, pending] {
    pending->deleteLater();
    if (!waiting_) return;
    if (saysYes(pending->reply())) onHostReady_();
  });
}

}  // namespace kerumo::qt
