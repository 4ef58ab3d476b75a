#include "windowchecks.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabBar>
#include <QTextEdit>
#include <QToolBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <algorithm>

namespace {
QString describe(const QWidget* w) {
  QString text;
  if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
  else if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
  const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
  return text.isEmpty() ? name : QStringLiteral("%1 \"%2\"").arg(name, text.left(60));
}

bool showing(const QWidget* w) { return w->isVisible() && w->width() > 0 && w->height() > 0; }

// Whether Tab can bring the user to the widget.
bool tabbable(const QWidget* w, const QWidget* window) {
  return showing(w) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && w->window() == window &&
         !w->focusProxy();
}
// A control the user works with keys: a button, a field, a list or a text.
// Parts of other controls (a line edit's clear button, a header, a tab strip's
// scroll arrows) and the tool bars' buttons, whose commands the menus carry,
// are left out.
bool worked(const QWidget* w) {
  const bool kind = qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
                    qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
                    (qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QHeaderView*>(w)) ||
                    qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
  if (!kind) return false;
  // A read-only text that never scrolls is a block of words, read as a label is.
  const auto* text = qobject_cast<const QAbstractScrollArea*>(w);
  const bool readOnly = (qobject_cast<const QTextEdit*>(w) && static_cast<const QTextEdit*>(w)->isReadOnly()) ||
                        (qobject_cast<const QPlainTextEdit*>(w) && static_cast<const QPlainTextEdit*>(w)->isReadOnly());
  if (readOnly && text->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff) return false;
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (qobject_cast<const QToolBar*>(p) || qobject_cast<const QMenuBar*>(p) || qobject_cast<const QTabBar*>(p) ||
        qobject_cast<const QLineEdit*>(p) || qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p))
      return false;
  return true;
}

// Every widget a layout holds, its nested layouts' too.
QList<QWidget*> layoutWidgets(QLayout* layout) {
  QList<QWidget*> widgets;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget()) widgets << item->widget();
    else if (item->layout()) widgets += layoutWidgets(item->layout());
  }
  return widgets;
}

// One place on the screen: a widget, or a nested layout's widgets together.
using Place = QList<QWidget*>;

// A layout's places in the order a reader meets them: a grid's or form's rows,
// then columns; a box's places in its direction.
QList<Place> readingOrder(QLayout* layout) {
  QList<std::pair<std::pair<int, int>, Place>> placed;
  auto* box = qobject_cast<QBoxLayout*>(layout);
  auto* grid = qobject_cast<QGridLayout*>(layout);
  auto* form = qobject_cast<QFormLayout*>(layout);
  if (!box && !grid && !form) return {};  // a stack shows one page at a time
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    const Place place = item->widget() ? Place{item->widget()} : item->layout() ? layoutWidgets(item->layout()) : Place{};
    if (place.isEmpty()) continue;
    int row = i, column = 0, span = 0;
    if (grid) grid->getItemPosition(i, &row, &column, &span, &span);
    if (form) {
      QFormLayout::ItemRole role;
      form->getItemPosition(i, &row, &role);
      column = int(role);
    }
    if (box && (box->direction() == QBoxLayout::RightToLeft || box->direction() == QBoxLayout::BottomToTop)) row = -i;
    placed.append({{row, column}, place});
  }
  std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  QList<Place> order;
  for (const auto& [where, place] : placed) order << place;
  return order;
}

// Every run of places whose order on the screen Tab must keep: each layout's,
// each splitter's panes, and a main window's tool bars (top down, left to right)
// before what they sit above.
QList<QList<Place>> placeRuns(QWidget* window) {
  QList<QList<Place>> runs;
  for (QLayout* layout : window->findChildren<QLayout*>())
    if (layout->parentWidget() && layout->parentWidget()->window() == window && showing(layout->parentWidget()))
      runs << readingOrder(layout);
  for (QSplitter* splitter : window->findChildren<QSplitter*>()) {
    QList<Place> panes;
    for (int i = 0; i < splitter->count(); ++i) panes << Place{splitter->widget(i)};
    runs << panes;
  }
  if (auto* main = qobject_cast<QMainWindow*>(window); main && main->centralWidget()) {
    QList<QToolBar*> bars;
    for (QToolBar* bar : main->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly))
      if (main->toolBarArea(bar) == Qt::TopToolBarArea && showing(bar)) bars << bar;
    std::sort(bars.begin(), bars.end(), [](const QToolBar* a, const QToolBar* b) {
      return std::make_pair(a->y(), a->x()) < std::make_pair(b->y(), b->x());
    });
    QList<Place> top;
    for (QToolBar* bar : bars) top << Place{bar};
    runs << (top << Place{main->centralWidget()});
  }
  return runs;
}

// Where Tab first reaches one of the widgets or a control inside them; -1 if never.
qsizetype walkPlace(const QList<QWidget*>& walk, const Place& place) {
  for (qsizetype i = 0; i < walk.size(); ++i)
    for (const QWidget* w : place)
      if (showing(w) && (walk[i] == w || w->isAncestorOf(walk[i]))) return i;
  return -1;
}

// Tab meets each run's places in their order on the screen. The walk is a
// round; it is read from the control nearest the window's top left.
QStringList orderFaults(QWidget* window, const QString& windowName, QList<QWidget*> walk) {
  const auto topLeft = [window](const QWidget* w) {
    const QPoint at = w->mapTo(window, QPoint());
    return std::make_pair(at.y(), at.x());
  };
  const auto first = std::min_element(walk.begin(), walk.end(),
                                      [&](const QWidget* a, const QWidget* b) { return topLeft(a) < topLeft(b); });
  std::rotate(walk.begin(), first, walk.end());
  QStringList faults;
  for (const QList<Place>& run : placeRuns(window)) {
    qsizetype before = -1;
    const QWidget* previous = nullptr;
    for (const Place& place : run) {
      const qsizetype at = walkPlace(walk, place);
      if (at < 0) continue;
      if (at < before)
        faults << QStringLiteral("%1: Tab reaches %2 before %3, which comes first on the screen")
                      .arg(windowName, describe(walk[at]), describe(previous));
      before = at;
      previous = walk[at];
    }
  }
  faults.removeDuplicates();
  return faults;
}
}  // namespace

QStringList cutTexts(QWidget* window, const QString& windowName) {
  QStringList faults;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!showing(w)) continue;
    const auto* label = qobject_cast<const QLabel*>(w);
    const bool textual = (label && !label->text().isEmpty() && !label->wordWrap() && label->pixmap().isNull()) ||
                         qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w);
    // A text's own width: what the widget asks for when nothing may wrap.
    if (textual && w->sizeHint().width() > w->width() + 1)
      faults << QStringLiteral("%1: %2 needs %3 px and has %4").arg(windowName, describe(w)).arg(w->sizeHint().width()).arg(w->width());
    // A word-wrapped label needs more lines than it has room for.
    if (label && label->wordWrap() && !label->text().isEmpty() && label->heightForWidth(label->width()) > label->height() + 1)
      faults << QStringLiteral("%1: %2 needs %3 px of height and has %4")
                    .arg(windowName, describe(w)).arg(label->heightForWidth(label->width())).arg(label->height());
    // A sideways scroll bar at the window's size, but where a long line is the
    // content (a report's text, a help page) or the list's widths are the
    // user's (the frames' grids keep the widths they were given and saved), or
    // a list that says it has more columns than a window shows side by side.
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    const bool ownWidths = w->inherits("TStringGridEx") || qobject_cast<QTextEdit*>(w) ||
                           qobject_cast<QPlainTextEdit*>(w) || w->property("kalyxScrollsSideways").toBool();
    if (area && !ownWidths && area->horizontalScrollBar()->isVisible())
      faults << QStringLiteral("%1: %2 shows a horizontal scroll bar").arg(windowName, describe(w));
    // A column header narrower than its caption.
    auto* header = qobject_cast<QHeaderView*>(w);
    if (header && header->orientation() == Qt::Horizontal && !header->parentWidget()->inherits("TStringGridEx")) {
      const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
      for (int s = 0; s < header->count(); ++s) {
        if (header->isSectionHidden(s) || header->sectionSize(s) == 0) continue;
        const QString caption = header->model()->headerData(s, Qt::Horizontal).toString();
        const int needs = header->fontMetrics().horizontalAdvance(caption) + margin;
        const bool stretched = header->stretchLastSection() && s == header->count() - 1;
        if (!caption.isEmpty() && !stretched && needs > header->sectionSize(s))
          faults << QStringLiteral("%1: %2 column \"%3\" needs %4 px and has %5")
                        .arg(windowName, describe(header->parentWidget()), caption)
                        .arg(needs)
                        .arg(header->sectionSize(s));
      }
    }
  }
  return faults;
}

QStringList tabWalkFaults(QWidget* window, const QString& windowName, QStringList* reached) {
  QList<QWidget*> reachable;
  for (QWidget* w : window->findChildren<QWidget*>())
    if (tabbable(w, window)) reachable << w;
  QStringList faults;
  if (reachable.isEmpty()) return faults;
  QApplication::setActiveWindow(window);
  QList<QWidget*> walk;
  QWidget* first = QApplication::focusWidget();
  if (!first || first->window() != window) {
    reachable.first()->setFocus(Qt::TabFocusReason);
    first = QApplication::focusWidget();
  }
  // A control may keep the focus for several presses (a page's links take Tab
  // one by one before it moves on); the walk ends when Tab brings the focus
  // back to where it began, or at a control met a second time.
  constexpr int kMostPresses = 500;
  QWidget* at = first;
  bool round = false;
  for (int presses = 0; at && presses < kMostPresses && !round; ++presses) {
    if (walk.isEmpty() || walk.last() != at) {
      if (walk.contains(at)) {
        round = at == first;
        if (!round) faults << QStringLiteral("%1: Tab reaches %2 twice").arg(windowName, describe(at));
        break;
      }
      walk << at;
    }
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
  }
  if (reachable.size() == 1 && at == first) round = true;  // the one control keeps the focus
  for (QWidget* w : walk) *reached << describe(w);
  if (!round && faults.isEmpty())
    faults << QStringLiteral("%1: Tab does not come round to %2 (it stops at %3)")
                  .arg(windowName, describe(first), at ? describe(at) : QStringLiteral("nothing"));
  for (QWidget* w : reachable)
    if (!walk.contains(w)) faults << QStringLiteral("%1: Tab never reaches %2").arg(windowName, describe(w));
  for (QWidget* w : window->findChildren<QWidget*>()) {
    const QWidget* taking = w->focusProxy() ? w->focusProxy() : w;
    if (worked(w) && showing(w) && w->isEnabled() && w->window() == window && !(taking->focusPolicy() & Qt::TabFocus))
      faults << QStringLiteral("%1: %2 cannot be reached by Tab").arg(windowName, describe(w));
  }
  if (round) faults += orderFaults(window, windowName, walk);
  return faults;
}
