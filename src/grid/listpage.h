#pragma once
#include "core/sortitem.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QStatusBar;
class QVBoxLayout;
class SettingsFile;
class TStringGridEx;

// What one frame's list shows of its records: the columns with their headers and
// first widths, the text and sort key of each cell, and the words of the status text.
struct ListColumns {
  QStringList headers;
  QList<int> widths;
  // For each column, the longest texts it can hold (a full date, the longest
  // type name): a column whose width was never stored fits them in the font in use.
  QList<QStringList> widest = {};
  std::function<int()> recordCount;
  std::function<QString(int index, int column)> cellText;
  std::function<TSortItem(int index, int column)> sortKey;  // the key carries the record index
  std::function<SortKind(int column)> sortKind;
  // What a screen reader says for a cell drawn as a picture (PASS, FAIL);
  // unset or empty: the cell's text.
  std::function<QString(int index, int column)> spokenText = {};
  int maximum = 0;  // the most records the list holds, shown in the status text
  QString noun;     // "Test Reports": the status text reads "12/50 Test Reports"
};

// The columns of a list of records, read through the list's table of functions
// (header, cell text, sort key and sort kind by column).
template <class Record>
ListColumns recordColumns(const QList<Record>& records, int columnCount, QString (*header)(int column),
                          QString (*cellText)(const Record&, int index, int column),
                          TSortItem (*sortKey)(const Record&, int index, int column), SortKind (*sortKind)(int column)) {
  ListColumns columns;
  for (int c = 0; c < columnCount; ++c) columns.headers << header(c);
  columns.recordCount = [&records] { return int(records.size()); };
  columns.cellText = [&records, cellText](int index, int column) { return cellText(records[index], index, column); };
  columns.sortKey = [&records, sortKey](int index, int column) { return sortKey(records[index], index, column); };
  columns.sortKind = sortKind;
  return columns;
}

// The list page that all three frames share: the frame's bar on top, the grid,
// and a status bar. It keeps the display list (which record each row shows), the
// selection per record, the sort by column (ties by record index, descending the
// exact reverse of ascending), the status text, the grid's saved settings and the
// viewers the frame opened. The frame holds the records; the page reads them
// through the columns it was given.
class TListPage : public QWidget {
  Q_OBJECT
 public:
  TListPage(const QString& gridName, const QString& statusBarName, ListColumns columns, QWidget* parent = nullptr);

  void setTopBar(QWidget* bar);
  // The grid's pop-up menu of one item "View" (pmView), enabled while rows show.
  QAction* addViewMenu(const std::function<void()>& view);
  TStringGridEx* grid() const { return grid_; }
  QString statusText() const;

  // Display list: each shows rows, sorts them, refills the grid and the status text.
  void showAll();
  void showMatching(const std::function<bool(int index)>& keep);  // a hidden record loses its selection
  // All records again, the selection sized to them, the current row selected;
  // unless `keepSelection`, only the current row is selected afterwards.
  void recordsReplaced(bool keepSelection = true);
  void appendRecord(int index);  // shown last whatever the order, unselected
  void sortDisplayList();
  void fillGrid();
  void updateStatus();

  void selectAll();  // every record shown, none that the display hides
  QList<int> selectedIndexes() const;  // in ascending record order
  int currentRecord() const;  // the record of the current row, or -1

  void loadGridSettings(const SettingsFile& settings);
  void saveGridSettings(SettingsFile& settings) const;

  // A viewer the frame opened: shown, and dropped from the list when it is destroyed.
  void addViewer(QWidget* viewer);
  const QList<QWidget*>& viewers() const { return viewers_; }

 private:
  void headerPressed(int column);
  void resetDisplayList(const std::function<bool(int index)>& keep);

  ListColumns columns_;
  TStringGridEx* grid_;
  QStatusBar* statusBar_;
  QVBoxLayout* layout_;
  QList<QWidget*> viewers_;
};

// A device I.D. or title as long as its 16-character field holds, in letters
// of a common width.
inline const QString kLongestDeviceId = QStringLiteral("ICU-DEFIB-000000");

// A date and time in the lists' form ("Mar 02, 2025 02:40:51 PM") in every
// month: the longest a date column can hold is among them.
QStringList longestDateTimeTexts();
