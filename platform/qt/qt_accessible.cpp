#include "platform/qt/qt_accessible.h"

#include <QAccessibleWidget>
#include <QWindow>
#include <algorithm>
#include <iterator>
#include <numeric>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_form.h"

namespace kerumo::qt {
namespace {

// One figure: static text named with its meaning, value and unit, where
// its labels are; invisible while they are hidden.
class FigureItem : public QAccessibleInterface, public QAccessibleValueInterface {
 public:
  FigureItem(QWidget* client, std::vector<QPointer<QWidget>> members, FigureReading reading)
      : client_(client), members_(std::move(members)), reading_(std::move(reading)) {}

  void setReading(const FigureReading& reading) { reading_ = reading; }
  bool hasNumber() const { return reading_.number.has_value(); }

  bool isValid() const override { return client_ != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return client_ ? client_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(client_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return toQString(reading_.name);
    if (t == QAccessible::Value) return toQString(reading_.value);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return std::accumulate(members_.begin(), members_.end(), QRect(), [](QRect area, const QPointer<QWidget>& m) {
      return m && m->isVisible() ? area | QRect(m->mapToGlobal(QPoint(0, 0)), m->size()) : area;
    });
  }
  QAccessible::Role role() const override { return QAccessible::StaticText; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = rect().isEmpty();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ValueInterface && hasNumber() ? static_cast<QAccessibleValueInterface*>(this)
                                                               : nullptr;
  }

  QVariant currentValue() const override { return reading_.number ? QVariant(*reading_.number) : QVariant(); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return {}; }
  QVariant minimumValue() const override { return {}; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  QPointer<QWidget> client_;
  std::vector<QPointer<QWidget>> members_;
  FigureReading reading_;
};

// The client area of a form with figures: its children are the figures.
class FiguresClient : public QAccessibleWidget {
 public:
  FiguresClient(QWidget* client, const AccessibleFigures& figures)
      : QAccessibleWidget(client, QAccessible::Client), figures_(figures) {}
  int childCount() const override { return figures_.count(); }
  QAccessibleInterface* child(int index) const override { return figures_.at(index); }
  int indexOfChild(const QAccessibleInterface* item) const override { return figures_.indexOf(item); }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < figures_.count(); ++i)
      if (figures_.at(i)->rect().contains(x, y)) return figures_.at(i);
    return nullptr;
  }

 private:
  const AccessibleFigures& figures_;
};

// Any other client area: its controls in the order they are read, top to
// bottom, rather than Qt's stacking order, which is the reverse.
class ReadingOrderClient : public QAccessibleWidget {
 public:
  explicit ReadingOrderClient(ClientArea* client) : QAccessibleWidget(client, QAccessible::Client), client_(client) {}
  int childCount() const override { return static_cast<int>(controls().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QWidget*> shown = controls();
    return index >= 0 && index < childCount() ? QAccessible::queryAccessibleInterface(shown[static_cast<size_t>(index)])
                                              : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* item) const override {
    const std::vector<QWidget*> shown = controls();
    const auto it = std::find(shown.begin(), shown.end(), item ? item->object() : nullptr);
    return it == shown.end() ? -1 : static_cast<int>(it - shown.begin());
  }

 private:
  std::vector<QWidget*> controls() const {
    std::vector<QWidget*> shown;
    std::ranges::copy_if(client_->readingOrder(), std::back_inserter(shown),
                         [](const QPointer<QWidget>& control) { return !control.isNull(); });
    return shown;
  }
  ClientArea* client_;
};

// A label that opens its caption: a link whose value is its address, pressed
// like a click.
class LinkItem : public QAccessibleWidget {
 public:
  explicit LinkItem(FormLabel* label) : QAccessibleWidget(label, QAccessible::Link), label_(label) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Value) return label_->text();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.linked = true;
    return s;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction()) label_->activate();
  }

 private:
  FormLabel* label_;
};

QAccessibleInterface* kerumoAccessible(const QString&, QObject* object) {
  // A form is a window to a screen reader, whatever frame it has.
  if (auto* frame = dynamic_cast<FormFrame*>(object)) return new QAccessibleWidget(frame, QAccessible::Window);
  if (auto* client = dynamic_cast<ClientArea*>(object)) {
    if (client->figures()) return new FiguresClient(client, *client->figures());
    return new ReadingOrderClient(client);
  }
  if (auto* label = dynamic_cast<FormLabel*>(object); label && label->isLink()) return new LinkItem(label);
  return nullptr;
}

}  // namespace

AccessibleFigures::AccessibleFigures(QWidget* client, const FormDesign& design,
                                     const std::map<std::string, QWidget*>& controls) {
  for (const FigureDesign& figure : design.figures) {
    std::vector<QPointer<QWidget>> members;
    for (const std::string& name : figure.controls) {
      QWidget* member = controls.at(name);
      members.emplace_back(member);
      // Out of the tree, and silent: a label with a name of its own tells
      // no screen reader when its text changes.
      member->setAccessibleName(toQString(figure.reading.name));
    }
    names_.push_back(figure.name);
    ids_.push_back(QAccessible::registerAccessibleInterface(new FigureItem(client, std::move(members), figure.reading)));
  }
}

AccessibleFigures::~AccessibleFigures() {
  for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* AccessibleFigures::at(int index) const {
  return index >= 0 && index < count() ? QAccessible::accessibleInterface(ids_[static_cast<size_t>(index)]) : nullptr;
}

int AccessibleFigures::indexOf(const QAccessibleInterface* item) const {
  for (int i = 0; i < count(); ++i)
    if (at(i) == item) return i;
  return -1;
}

void AccessibleFigures::set(const std::string& figure, const FigureReading& reading) {
  const auto it = std::find(names_.begin(), names_.end(), figure);
  if (it == names_.end()) return;
  auto* item = static_cast<FigureItem*>(at(static_cast<int>(it - names_.begin())));
  item->setReading(reading);
  QAccessibleEvent named(item, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  if (item->hasNumber()) {
    QAccessibleValueChangeEvent valued(item, *reading.number);
    QAccessible::updateAccessibility(&valued);
  }
}

void installAccessibleFactory() { QAccessible::installFactory(kerumoAccessible); }

}  // namespace kerumo::qt
