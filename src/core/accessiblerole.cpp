#include "core/accessiblerole.h"

#include <QAccessibleWidget>
#include <QWidget>

#if QT_CONFIG(accessibility)
namespace {
const char kRoleProperty[] = "kalyxAccessibleRole";

// A chart is one thing to a screen reader, told by its name and description;
// the view's inner widgets (its viewport) are no objects of their own.
class RoleWidget : public QAccessibleWidget {
 public:
  RoleWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
  int childCount() const override { return role() == QAccessible::Chart ? 0 : QAccessibleWidget::childCount(); }
  QAccessibleInterface* child(int index) const override {
    return role() == QAccessible::Chart ? nullptr : QAccessibleWidget::child(index);
  }
};

QAccessibleInterface* roleFactory(const QString&, QObject* object) {
  const QVariant role = object ? object->property(kRoleProperty) : QVariant();
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget || !role.isValid()) return nullptr;
  return new RoleWidget(widget, QAccessible::Role(role.toInt()));
}
}  // namespace
#endif

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
#if QT_CONFIG(accessibility)
  static const bool installed = (QAccessible::installFactory(roleFactory), true);
  Q_UNUSED(installed);
#endif
  widget->setProperty("kalyxAccessibleRole", int(role));
#if QT_CONFIG(accessibility)
  // An interface made for the widget before (Qt makes one as a widget is
  // created while a screen reader listens) would keep the generic role.
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget); made && made->role() != role)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
#endif
}
