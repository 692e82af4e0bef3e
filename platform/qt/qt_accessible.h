#pragma once
#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "platform/form_design.h"

namespace kerumo::qt {

// The screen reader's items of a form with figures: one each, standing for
// its labels, which are not read out on their own. The interfaces belong to
// Qt's accessibility cache from their registration until this goes.
class AccessibleFigures {
 public:
  AccessibleFigures(QWidget* client, const FormDesign& design, const std::map<std::string, QWidget*>& controls);
  ~AccessibleFigures();
  AccessibleFigures(const AccessibleFigures&) = delete;
  AccessibleFigures& operator=(const AccessibleFigures&) = delete;

  // Tells a screen reader that the figure reads differently now.
  void set(const std::string& figure, const FigureReading& reading);
  int count() const { return static_cast<int>(ids_.size()); }
  QAccessibleInterface* at(int index) const;
  int indexOf(const QAccessibleInterface* item) const;

 private:
  std::vector<std::string> names_;
  std::vector<QAccessible::Id> ids_;
};

// Makes the interfaces Qt's own would not: a client area that lists its
// figures instead of its labels, and link labels read as links.
void installAccessibleFactory();

}  // namespace kerumo::qt
