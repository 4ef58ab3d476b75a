#include "windowchecks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

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
    // user's (the frames' grids keep the widths they were given and saved).
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    const bool ownWidths = w->inherits("TStringGridEx") || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w);
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
  return faults;
}
