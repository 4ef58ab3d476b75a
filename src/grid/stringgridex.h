#pragma once
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <vector>

class QMenu;
class SettingsFile;

// The list grid of the three list frames: a text grid with one header row that
// adds a display list (grid row → record index), a selection kept per record
// (so it survives sorting and filtering), a sort column and direction with an
// arrow in the header, and column widths and sort state kept in the settings.
//
// Rows are numbered as the user sees them: 0 is the header, 1 the first data row.
// The grid draws every cell itself; Qt's own selection is not drawn, only kept
// in line with the grid's, for a screen reader to learn which rows are selected.
class TStringGridEx : public QTableWidget {
  Q_OBJECT
 public:
  explicit TStringGridEx(QWidget* parent = nullptr);

  // Selection list, by record index.
  bool getSelLst(int index) const;
  void setSelLst(int index, bool value);
  void clearSelLst() { selLst_.clear(), mirrorSelectionLater(); }
  int getSelLstSize() const { return int(selLst_.size()); }
  void setSelLstSize();  // to the display-list size; added bits are clear, others keep their value
  int getSelCount() const;
  void addSelLst(bool value) { selLst_.push_back(value), mirrorSelectionLater(); }

  // Display list: the record index of each data row, in display order.
  int getDispLst(int position) const { return dispLst_.value(position, -1); }
  void clearDispLst() { dispLst_.clear(), mirrorSelectionLater(); }
  void addDispLst(int index) { dispLst_.append(index), mirrorSelectionLater(); }
  int getDispLstSize() const { return int(dispLst_.size()); }
  const QList<int>& dispLst() const { return dispLst_; }
  void setDispLst(const QList<int>& indexes) { dispLst_ = indexes, mirrorSelectionLater(); }

  // Rows, by grid row number (1 = first data row).
  bool isRowSelected(int row) const;
  void selectRow(int row);
  void deselectRow(int row);
  void deselectAll();
  int currentGridRow() const;  // 0 when there is none
  void setCurrentGridRow(int row);

  int sortColumn() const { return sortColumn_; }
  void setSortColumn(int column) { sortColumn_ = column; }
  bool ascending() const { return ascending_; }
  void setAscending(bool value) { ascending_ = value; }

  void loadGridSettings(const SettingsFile& settings);
  void saveGridSettings(SettingsFile& settings) const;
  void resizeLastCol();

  // Filling: one data row per display entry, or one empty row when there is none.
  void setDataRowCount(int rows);
  void setCellText(int row, int column, const QString& text);
  // What a screen reader says for the cell where it differs from the text drawn.
  void setCellSpokenText(int row, int column, const QString& text);
  QString cellText(int row, int column) const;

  void setPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  // Called after each data cell is drawn, as the frames' own cell drawing.
  std::function<void(QPainter&, const QRect&, int column, int row)> onDrawCell;

  void drawHeaderCell(QPainter& painter, const QRect& rect, int column) const;
  void drawDataCell(QPainter& painter, const QRect& rect, int column, int row) const;
  QRect cellRect(int row, int column) const;  // in viewport coordinates

  // The width a column needs to show its header (with the sort arrow) and each
  // of `texts` whole, in the grid's fonts; where no width is stored a column is
  // given at least that (setFittingWidths).
  int fittingWidth(int column, const QStringList& texts) const;
  void setFittingWidths(const QList<int>& widths) { fittingWidths_ = widths; }
  // Whether a cell's text shows whole in its column, not cut short with "...".
  bool cellTextFits(int row, int column) const;

 signals:
  // A left-button press on a header cell (the frames sort on it).
  void headerPressed(int column);
  // A right-button press on a data row, before the selection moves to it and the pop-up menu shows.
  void popupRequested(int row);
  // A double click on a data cell (not on the header, not outside the cells).
  void gridDblClick();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int rowAt(const QPoint& viewportPos) const;  // grid row under the point, 0 when none
  void repaintRow(int row);
  void applyStoredWidths();
  void dragTo(int row);  // selects the rows from the current one to `row`, which becomes current
  // Brings Qt's selection model in line with the selection list, once the
  // changes of the moment are made (a select-all changes every row).
  void mirrorSelectionLater() { selectionMirror_.start(); }
  void mirrorSelection();

  std::vector<bool> selLst_;
  QList<int> dispLst_;
  int sortColumn_ = 0;
  bool ascending_ = true;
  int anchorRow_ = 1;
  bool resizingLastCol_ = false;
  QMenu* popupMenu_ = nullptr;
  QList<int> storedWidths_;  // loaded before the grid was first shown; -1 where none was stored
  QList<int> fittingWidths_;  // the least a column without a stored width is given
  QTimer dragScroll_;        // scrolls on while a drag is held above or below the rows
  int dragDirection_ = 0;
  int wheelRemainder_ = 0;   // wheel movement short of a whole notch
  QTimer selectionMirror_;
};
