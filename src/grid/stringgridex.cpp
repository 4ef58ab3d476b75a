#include "grid/stringgridex.h"

#include <algorithm>

#include "core/settingsfile.h"
#include "grid/gridcolours.h"
#include "grid/gridheader.h"
#include "grid/sortarrows.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {
const QColor kStripe(232, 241, 249);
const QColor kSeparator(192, 192, 192);
constexpr int kRowHeight = 18;

// Hands the drawing of every data cell to the grid.
class GridCellDelegate : public QStyledItemDelegate {
 public:
  explicit GridCellDelegate(TStringGridEx* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    grid_->drawDataCell(*painter, option.rect, index.column(), index.row() + 1);
  }

 private:
  TStringGridEx* grid_;
};

QRect textRect(const QRect& cell) { return cell.adjusted(3, 2, -3, 0); }
}  // namespace

TStringGridEx::TStringGridEx(QWidget* parent) : QTableWidget(parent) {
  setHorizontalHeader(new GridHeader(this));
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  verticalHeader()->setMinimumSectionSize(kRowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setFixedHeight(kRowHeight + 1);
  setItemDelegate(new GridCellDelegate(this));
  setShowGrid(false);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setWordWrap(false);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setRowCount(1);

  // Qt's table selects a column on a header press, which moves the current row,
  // and sizes a column to its contents on a double click on its border; this
  // grid's header only sorts and resizes. Tab leaves the grid instead of
  // walking its cells.
  disconnect(horizontalHeader(), SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
  disconnect(horizontalHeader(), SIGNAL(sectionEntered(int)), this, SLOT(_q_selectColumn(int)));
  disconnect(horizontalHeader(), SIGNAL(sectionHandleDoubleClicked(int)), this, SLOT(resizeColumnToContents(int)));
  setTabKeyNavigation(false);
  selectionMirror_.setSingleShot(true);
  selectionMirror_.setInterval(0);
  connect(&selectionMirror_, &QTimer::timeout, this, &TStringGridEx::mirrorSelection);

  connect(horizontalHeader(), &QHeaderView::sectionPressed, this, [this](int column) {
    if (QGuiApplication::mouseButtons() & Qt::LeftButton) emit headerPressed(column);
  });
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { resizeLastCol(); });
  dragScroll_.setInterval(50);
  connect(&dragScroll_, &QTimer::timeout, this, [this] { dragTo(currentGridRow() + dragDirection_); });
}

bool TStringGridEx::getSelLst(int index) const {
  return index >= 0 && std::size_t(index) < selLst_.size() && selLst_[std::size_t(index)];
}

void TStringGridEx::setSelLst(int index, bool value) {
  if (index < 0) return;
  if (std::size_t(index) < selLst_.size()) selLst_[std::size_t(index)] = value;
  else if (std::size_t(index) == selLst_.size()) selLst_.push_back(value);
  mirrorSelectionLater();
}

void TStringGridEx::setSelLstSize() {
  selLst_.resize(std::size_t(dispLst_.size()), false);
  mirrorSelectionLater();
}

void TStringGridEx::mirrorSelection() {
  QItemSelection selection;
  int runStart = 0;  // the first grid row of a run of selected rows
  for (int row = 1; row <= rowCount() + 1; ++row) {
    const bool selected = row <= rowCount() && isRowSelected(row);
    if (selected && runStart == 0) runStart = row;
    if (!selected && runStart != 0) {
      selection.select(model()->index(runStart - 1, 0), model()->index(row - 2, columnCount() - 1));
      runStart = 0;
    }
  }
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

int TStringGridEx::getSelCount() const { return int(std::count(selLst_.begin(), selLst_.end(), true)); }

bool TStringGridEx::isRowSelected(int row) const {
  if (row <= 0 || row > dispLst_.size()) return false;
  return getSelLst(dispLst_[row - 1]);
}

void TStringGridEx::selectRow(int row) {
  if (row <= 0 || row > dispLst_.size()) return;
  setSelLst(dispLst_[row - 1], true);
  repaintRow(row);
}

void TStringGridEx::deselectRow(int row) {
  if (row <= 0 || row > dispLst_.size()) return;
  setSelLst(dispLst_[row - 1], false);
  repaintRow(row);
}

void TStringGridEx::deselectAll() {
  for (int row = 1; row < rowCount() + 1; ++row)
    if (isRowSelected(row)) deselectRow(row);
}

int TStringGridEx::currentGridRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

void TStringGridEx::setCurrentGridRow(int row) {
  if (row < 1 || row > rowCount()) return;
  const int column = qMax(0, currentIndex().column());
  setCurrentCell(row - 1, column, QItemSelectionModel::NoUpdate);
}

void TStringGridEx::repaintRow(int row) {
  viewport()->update(QRect(0, rowViewportPosition(row - 1), viewport()->width(), rowHeight(row - 1)));
}

QRect TStringGridEx::cellRect(int row, int column) const {
  return QRect(columnViewportPosition(column), rowViewportPosition(row - 1), columnWidth(column), rowHeight(row - 1));
}

void TStringGridEx::setDataRowCount(int rows) {
  // Rows are refilled in place, so the current row stays where it was.
  setRowCount(qMax(1, rows));
  mirrorSelectionLater();
  if (rows == 0)
    for (int c = 0; c < columnCount(); ++c) delete takeItem(0, c);
}

void TStringGridEx::setCellText(int row, int column, const QString& text) {
  QTableWidgetItem* cell = item(row - 1, column);
  if (!cell) setItem(row - 1, column, cell = new QTableWidgetItem);
  cell->setText(text);
}

void TStringGridEx::setCellSpokenText(int row, int column, const QString& text) {
  QTableWidgetItem* cell = item(row - 1, column);
  if (!cell) setItem(row - 1, column, cell = new QTableWidgetItem);
  cell->setData(Qt::AccessibleTextRole, text.isEmpty() ? QVariant() : QVariant(text));
}

QString TStringGridEx::cellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row - 1, column);
  return cell ? cell->text() : QString();
}

void TStringGridEx::loadGridSettings(const SettingsFile& settings) {
  const QString section = objectName();
  storedWidths_.clear();
  // A missing width takes the default, which needs the client width the grid
  // has once shown; until then the stored widths wait.
  for (int n = 0; n < columnCount() - 1; ++n)
    storedWidths_.append(settings.readInteger(section, QStringLiteral("COL_%1_WIDTH").arg(n), -1));
  sortColumn_ = settings.readInteger(section, QStringLiteral("COL_SORTBY"), 0);
  ascending_ = settings.readInteger(section, QStringLiteral("ASCENDING"), 1) != 0;
  if (isVisible()) applyStoredWidths();
}

void TStringGridEx::applyStoredWidths() {
  // A width the user set is kept as stored; one never set fits its texts.
  const int defaultWidth = viewport()->width() / (columnCount() + 1);
  for (int n = 0; n < storedWidths_.size() && n < columnCount() - 1; ++n)
    setColumnWidth(n, storedWidths_[n] >= 0 ? storedWidths_[n] : std::max(defaultWidth, int(fittingWidths_.value(n))));
  storedWidths_.clear();
  resizeLastCol();
}

int TStringGridEx::fittingWidth(int column, const QStringList& texts) const {
  const QRect probe(0, 0, 1000, 20);
  const int padding = probe.width() - textRect(probe).width();
  const QTableWidgetItem* header = horizontalHeaderItem(column);
  // The caption and, to its right, the sort arrow in the room drawHeaderCell leaves for it.
  int width = horizontalHeader()->fontMetrics().horizontalAdvance(header ? header->text() : QString()) +
              kSortArrowSize + 8 + padding;
  for (const QString& text : texts) width = std::max(width, fontMetrics().horizontalAdvance(text) + padding + 1);
  return width;
}

bool TStringGridEx::cellTextFits(int row, int column) const {
  const QRect text = textRect(QRect(0, 0, columnWidth(column), rowHeight(std::max(row - 1, 0))));
  return fontMetrics().horizontalAdvance(cellText(row, column)) <= text.width();
}

void TStringGridEx::showEvent(QShowEvent* event) {
  QTableWidget::showEvent(event);
  if (!storedWidths_.isEmpty()) applyStoredWidths();
}

void TStringGridEx::saveGridSettings(SettingsFile& settings) const {
  const QString section = objectName();
  // A grid never shown still holds the widths it loaded: those are written back
  // (a width that was not stored stays unwritten), never its first widths.
  for (int n = 0; n < columnCount() - 1; ++n) {
    const int width = n < storedWidths_.size() ? storedWidths_[n] : columnWidth(n);
    if (width >= 0) settings.writeInteger(section, QStringLiteral("COL_%1_WIDTH").arg(n), width);
  }
  settings.writeInteger(section, QStringLiteral("COL_SORTBY"), sortColumn_);
  settings.writeInteger(section, QStringLiteral("ASCENDING"), ascending_ ? 1 : 0);
}

// The last column fills the grid; a grid wider than its columns is never cured
// by shrinking the last one.
void TStringGridEx::resizeLastCol() {
  const int count = columnCount();
  if (count == 0 || resizingLastCol_) return;
  int s = count;
  for (int n = 0; n < count - 1; ++n) s += columnWidth(n);
  if (s >= viewport()->width()) return;
  resizingLastCol_ = true;
  setColumnWidth(count - 1, qMax(0, width() - s - 3));
  resizingLastCol_ = false;
}

void TStringGridEx::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  resizeLastCol();
}

void TStringGridEx::drawHeaderCell(QPainter& painter, const QRect& rect, int column) const {
  painter.save();
  const QPalette& pal = palette();
  painter.fillRect(rect, pal.button());
  // A raised one-pixel frame: light top and left, shadow bottom and right.
  painter.setPen(pal.color(QPalette::Light));
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(pal.color(QPalette::Dark));
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());

  QRect text = textRect(rect);
  const QHeaderView* header = horizontalHeader();
  const QTableWidgetItem* headerItem = horizontalHeaderItem(column);
  const QString caption = headerItem ? headerItem->text() : QString();
  if (column == sortColumn_) {
    const int textWidth = header->fontMetrics().horizontalAdvance(caption);
    const QPoint at = textWidth + kSortArrowSize + 8 > rect.width() ? QPoint(rect.right() + 1 - 12, rect.top() + 4)
                                                                    : QPoint(rect.left() + textWidth + 8, rect.top() + 4);
    drawSortArrow(painter, at, ascending_);
    text.setRight(text.right() - 9);
  }
  painter.setPen(pal.color(QPalette::ButtonText));
  painter.setFont(header->font());
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   header->fontMetrics().elidedText(caption, Qt::ElideRight, text.width()));
  painter.restore();
}

void TStringGridEx::drawDataCell(QPainter& painter, const QRect& rect, int column, int row) const {
  painter.save();
  const QPalette& pal = palette();
  const bool selected = row > 0 && !selLst_.empty() && isRowSelected(row);
  // The desktop's colours, kept readable: a dark theme's white text is never
  // drawn on the white and light blue rows, nor a text on a highlight too
  // close to it.
  const QColor ink = pal.color(selected ? QPalette::HighlightedText : QPalette::Text);
  const QColor fill = selected ? readableHighlight(pal.color(QPalette::Highlight), ink)
                               : (row % 2 == 1 ? QColor(Qt::white) : kStripe);
  painter.fillRect(rect, fill);
  painter.setPen(readableText(fill, ink));
  const QRect text = textRect(rect);
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(cellText(row, column), Qt::ElideRight, text.width()));
  if (!dispLst_.isEmpty()) {
    painter.setPen(QPen(kSeparator, 1));
    painter.drawLine(rect.right(), rect.top(), rect.right(), rect.bottom() + 1);
    if (row == rowCount()) painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
  }
  painter.restore();
  if (onDrawCell) onDrawCell(painter, rect, column, row);
}

int TStringGridEx::rowAt(const QPoint& viewportPos) const {
  const QModelIndex index = indexAt(viewportPos);
  return index.isValid() ? index.row() + 1 : 0;
}

void TStringGridEx::mousePressEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().toPoint());
  if (row == 0) {
    QTableWidget::mousePressEvent(event);
    return;
  }
  const bool hasRows = !dispLst_.isEmpty();
  const Qt::KeyboardModifiers mods = event->modifiers();
  const int previousRow = currentGridRow();
  // The base grid moves the current row first.
  setFocus(Qt::MouseFocusReason);
  setCurrentGridRow(row);
  if (event->button() == Qt::LeftButton) {
    if (mods & Qt::ControlModifier) {
      if (hasRows) {
        if (isRowSelected(row)) deselectRow(row);
        else selectRow(row);
      }
      anchorRow_ = row;
    } else if (mods & Qt::ShiftModifier) {
      if (hasRows) {
        const int from = previousRow > 0 ? anchorRow_ : row;
        for (int r = qMin(from, row); r <= qMax(from, row); ++r) selectRow(r);
      }
    } else {
      if (hasRows) {
        deselectAll();
        selectRow(row);
      }
      anchorRow_ = row;
    }
  } else if (event->button() == Qt::RightButton) {
    emit popupRequested(row);  // before the selection moves: a frame enables its items on the selection as it was
    if (!isRowSelected(row) && hasRows) {
      deselectAll();
      selectRow(row);
    }
    anchorRow_ = row;
    if (popupMenu_) popupMenu_->popup(event->globalPosition().toPoint());
  }
  event->accept();
}

void TStringGridEx::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click acts as a press too.
  mousePressEvent(event);
  if (event->button() == Qt::LeftButton && rowAt(event->position().toPoint()) > 0) emit gridDblClick();
}

// Dragging with the left button selects every row it passes and makes the row
// under the mouse the current one; above or below the rows, the grid scrolls on
// toward the mouse, one row at a time, while the button is held there.
void TStringGridEx::mouseMoveEvent(QMouseEvent* event) {
  if (dispLst_.isEmpty() || !(event->buttons() & Qt::LeftButton)) {
    dragScroll_.stop();
    return;
  }
  const QPoint pos = event->position().toPoint();
  dragDirection_ = pos.y() < 0 ? -1 : pos.y() >= viewport()->height() ? 1 : 0;
  if (dragDirection_ != 0) {
    if (!dragScroll_.isActive()) {
      dragTo(currentGridRow() + dragDirection_);
      dragScroll_.start();
    }
    return;
  }
  dragScroll_.stop();
  const int row = rowAt(pos);
  if (row > 0) dragTo(row);
}

void TStringGridEx::mouseReleaseEvent(QMouseEvent* event) {
  dragScroll_.stop();
  QTableWidget::mouseReleaseEvent(event);
}

void TStringGridEx::dragTo(int row) {
  row = qBound(1, row, int(dispLst_.size()));
  const int from = qBound(1, currentGridRow(), int(dispLst_.size()));
  for (int r = qMin(from, row); r <= qMax(from, row); ++r) selectRow(r);
  setCurrentGridRow(row);
  scrollTo(currentIndex());
}

void TStringGridEx::wheelEvent(QWheelEvent* event) {
  // One row per notch of 120; a touchpad's finer steps add up to whole rows.
  // The current row and the selection stay as they are.
  wheelRemainder_ += event->angleDelta().y();
  const int rows = wheelRemainder_ / 120;
  wheelRemainder_ -= rows * 120;
  verticalScrollBar()->setValue(verticalScrollBar()->value() - rows);
  event->accept();
}

// The Menu key (or Shift+F10) opens the pop-up menu at the current row, as a
// right click there would, on the selection as it is.
void TStringGridEx::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() != QContextMenuEvent::Keyboard || !popupMenu_) return QTableWidget::contextMenuEvent(event);
  const int row = currentGridRow();
  emit popupRequested(row);
  const QRect cell = cellRect(qMax(row, 1), 0);
  popupMenu_->popup(viewport()->mapToGlobal(QPoint(cell.left() + 8, cell.bottom())));
  event->accept();
}

void TStringGridEx::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const int current = currentGridRow();
  // Enter does what a double click on the current row does (view, edit), for a
  // user who works by keyboard.
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current > 0 && !dispLst_.isEmpty()) {
    emit gridDblClick();
    event->accept();
    return;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Left) && current > 1) {
    if (!shift) deselectAll();
    if (isRowSelected(current) && isRowSelected(current - 1)) deselectRow(current);
    else selectRow(current - 1);
  } else if ((key == Qt::Key_Down || key == Qt::Key_Right) && current < rowCount()) {
    if (!shift) deselectAll();
    if (isRowSelected(current) && isRowSelected(current + 1)) deselectRow(current);
    else selectRow(current + 1);
  }
  // The base grid moves the current row for Up and Down, and only those.
  if (key == Qt::Key_Left || key == Qt::Key_Right) {
    event->accept();
    return;
  }
  if (key == Qt::Key_Up && current > 1) {
    setCurrentGridRow(current - 1);
  } else if (key == Qt::Key_Down && current < rowCount()) {
    setCurrentGridRow(current + 1);
  } else if (key != Qt::Key_Up && key != Qt::Key_Down) {
    QTableWidget::keyPressEvent(event);
    return;
  }
  if (!shift) anchorRow_ = currentGridRow();
  scrollTo(currentIndex());
  event->accept();
}
