#include "waveform/cursoraccessible.h"

#include "waveform/wavechartview.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

#if QT_CONFIG(accessibility)
namespace {
// The cursor's reading, fixed when it is made: a move makes a new object.
class CursorPoint : public QAccessibleInterface {
 public:
  CursorPoint(TWaveChartView* view, QString reading) : view_(view), reading_(std::move(reading)) {}
  bool isValid() const override { return !view_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return view_ ? QAccessible::queryAccessibleInterface(view_) : nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? reading_ : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return view_ ? view_->cursorRect() : QRect(); }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.focusable = true;
    state.focused = view_ && view_->hasFocus();
    state.readOnly = true;
    state.invisible = !view_ || !view_->isVisible();
    return state;
  }

 private:
  QPointer<TWaveChartView> view_;
  QString reading_;
};

// Each chart's current cursor object, let go when the cursor moves on or the chart goes.
QHash<const QObject*, QAccessible::Id>& currentPoints() {
  static QHash<const QObject*, QAccessible::Id> points;
  return points;
}

QAccessibleInterface* currentPoint(const QWidget* view) {
  const QAccessible::Id id = currentPoints().value(view);
  return id ? QAccessible::accessibleInterface(id) : nullptr;
}

void replacePoint(TWaveChartView* view, QAccessibleInterface* point) {
  auto& points = currentPoints();
  if (!points.contains(view))
    QObject::connect(view, &QObject::destroyed, [](QObject* gone) {
      if (const QAccessible::Id id = currentPoints().take(gone)) QAccessible::deleteAccessibleInterface(id);
    });
  const QAccessible::Id before = points.value(view);
  points.insert(view, QAccessible::registerAccessibleInterface(point));
  // A screen reader keeps the chart's children as it last read them: it is
  // told of the new cursor object and of the one it replaces.
  QAccessibleEvent created(point, QAccessible::ObjectCreated);
  QAccessible::updateAccessibility(&created);
  if (!before) return;
  if (QAccessibleInterface* old = QAccessible::accessibleInterface(before)) {
    QAccessibleEvent gone(old, QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&gone);
  }
  QAccessible::deleteAccessibleInterface(before);
}

// The chart, holding the cursor object once a key has placed it.
class ChartWithCursor : public QAccessibleWidget {
 public:
  explicit ChartWithCursor(QWidget* view) : QAccessibleWidget(view, QAccessible::Chart) {}
  int childCount() const override { return currentPoint(widget()) ? 1 : 0; }
  QAccessibleInterface* child(int index) const override { return index == 0 ? currentPoint(widget()) : nullptr; }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child == currentPoint(widget()) ? 0 : -1;
  }
  QAccessibleInterface* focusChild() const override { return widget()->hasFocus() ? currentPoint(widget()) : nullptr; }
};

QAccessibleInterface* chartFactory(const QString& className, QObject* object) {
  auto* view = qobject_cast<TWaveChartView*>(object);
  return view && className == QLatin1String(TWaveChartView::staticMetaObject.className()) ? new ChartWithCursor(view)
                                                                                           : nullptr;
}
}  // namespace

void installCursorAccessibility(TWaveChartView* view) {
  static const bool installed = (QAccessible::installFactory(chartFactory), true);
  Q_UNUSED(installed);
  // An interface made for the view before (as its role was set) is not the one
  // that holds the cursor.
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(view); made && !dynamic_cast<ChartWithCursor*>(made))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void tellCursorMoved(TWaveChartView* view) {
  if (view->cursorPoint() < 0) return;
  auto* point = new CursorPoint(view, view->cursorReadOut());
  replacePoint(view, point);
  if (!view->hasFocus()) return;
  QAccessibleEvent focus(point, QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}
#else
void installCursorAccessibility(TWaveChartView*) {}
void tellCursorMoved(TWaveChartView*) {}
#endif
