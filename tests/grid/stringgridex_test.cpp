#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "grid/gridcolours.h"
#include "grid/stringgridex.h"
#include "support/waituntil.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A three-column grid showing `rows` records in record order, as a frame fills it.
class GridTest : public ::testing::Test {
 protected:
  TStringGridEx grid;

  void SetUp() override {
    grid.setObjectName("sgTest");
    grid.setColumnCount(3);
    grid.resize(626, 300);
    grid.show();
    fill(6);
  }
  void fill(int rows) {
    grid.clearDispLst();
    for (int i = 0; i < rows; ++i) grid.addDispLst(i);
    grid.setSelLstSize();
    refill();
  }
  void refill() {
    grid.setDataRowCount(grid.getDispLstSize());
    for (int r = 1; r <= grid.getDispLstSize(); ++r) grid.setCellText(r, 0, QString::number(grid.getDispLst(r - 1)));
  }
  QPoint rowCenter(int row) { return grid.cellRect(row, 1).center(); }
  void click(int row, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(grid.viewport(), button, mods, rowCenter(row));
  }
  void key(int k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(&grid, Qt::Key(k), mods); }
  QList<int> selectedRows() {
    QList<int> rows;
    for (int r = 1; r <= grid.getDispLstSize(); ++r)
      if (grid.isRowSelected(r)) rows << r;
    return rows;
  }
  void dragTo(int row) { dragToPoint(rowCenter(row)); }
  void dragToPoint(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, grid.viewport()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &move);
  }
  void wheel(int delta) {
    QWheelEvent event(rowCenter(1), grid.viewport()->mapToGlobal(rowCenter(1)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &event);
  }
};
}  // namespace

TEST_F(GridTest, ClickCtrlClickAndShiftClick) {
  click(2);
  EXPECT_EQ(selectedRows(), (QList<int>{2}));
  EXPECT_EQ(grid.currentGridRow(), 2);
  click(4, Qt::ControlModifier);
  EXPECT_EQ(selectedRows(), (QList<int>{2, 4}));
  click(2, Qt::ControlModifier);  // Ctrl toggles
  EXPECT_EQ(selectedRows(), (QList<int>{4}));
  click(6, Qt::ShiftModifier);  // from the anchor row 2 to 6; rows selected before stay
  EXPECT_EQ(selectedRows(), (QList<int>{2, 3, 4, 5, 6}));
  click(1);
  EXPECT_EQ(selectedRows(), (QList<int>{1}));
}

TEST_F(GridTest, DraggingAddsEveryRowPassedAndRemovesNone) {
  click(5, Qt::ControlModifier);
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, rowCenter(1));
  dragTo(2);
  dragTo(3);
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, rowCenter(3));
  EXPECT_EQ(selectedRows(), (QList<int>{1, 2, 3}));  // the plain press cleared row 5 first
}

TEST_F(GridTest, ArrowKeysWithAndWithoutShift) {
  click(2);
  click(3, Qt::ShiftModifier);
  ASSERT_EQ(grid.currentGridRow(), 3);
  key(Qt::Key_Up, Qt::ShiftModifier);  // rows 2 and 3 selected: Shift+Up deselects row 3
  EXPECT_EQ(selectedRows(), (QList<int>{2}));
  EXPECT_EQ(grid.currentGridRow(), 2);
  key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (QList<int>{2, 3}));
  EXPECT_EQ(grid.currentGridRow(), 3);
  key(Qt::Key_Up);  // plain Up leaves only the row above
  EXPECT_EQ(selectedRows(), (QList<int>{2}));
  key(Qt::Key_Right);  // Right selects like Down but leaves the current row
  EXPECT_EQ(selectedRows(), (QList<int>{3}));
  EXPECT_EQ(grid.currentGridRow(), 2);
}

TEST_F(GridTest, SelectionBelongsToRecordsAndSurvivesReorderingAndFiltering) {
  click(2);
  click(5, Qt::ControlModifier);  // records 1 and 4
  grid.setDispLst({5, 4, 3, 2, 1, 0});
  refill();
  EXPECT_EQ(selectedRows(), (QList<int>{2, 5}));  // records 4 and 1 now sit in rows 2 and 5
  grid.setDispLst({0, 2, 3});  // records 1 and 4 filtered out
  refill();
  EXPECT_TRUE(selectedRows().isEmpty());
  EXPECT_EQ(grid.getSelCount(), 2);
  grid.deselectAll();  // filtered records keep their bits
  EXPECT_EQ(grid.getSelCount(), 2);
}

TEST_F(GridTest, SelectionListSizeRules) {
  grid.clearSelLst();
  grid.setSelLst(0, true);  // an index equal to the size appends
  grid.setSelLst(5, true);  // beyond the size: ignored
  EXPECT_EQ(grid.getSelLstSize(), 1);
  EXPECT_FALSE(grid.getSelLst(5));
  grid.setSelLstSize();  // to the display-list size of 6; the first bit keeps its value
  EXPECT_EQ(grid.getSelLstSize(), 6);
  EXPECT_TRUE(grid.getSelLst(0));
  EXPECT_EQ(grid.getSelCount(), 1);
  EXPECT_FALSE(grid.isRowSelected(0));
  EXPECT_FALSE(grid.isRowSelected(7));
}

TEST_F(GridTest, AnEmptyGridSelectsNothingButStillOpensItsPopup) {
  fill(0);
  EXPECT_EQ(grid.rowCount(), 1);  // one blank row below the header
  QSignalSpy popup(&grid, &TStringGridEx::popupRequested);
  click(1);
  click(1, Qt::ControlModifier);
  EXPECT_EQ(grid.getSelCount(), 0);
  click(1, {}, Qt::RightButton);
  EXPECT_EQ(popup.count(), 1);
}

TEST_F(GridTest, RightClickSelectsAnUnselectedRowOnly) {
  click(2);
  click(3, Qt::ControlModifier);
  click(3, {}, Qt::RightButton);
  EXPECT_EQ(selectedRows(), (QList<int>{2, 3}));
  click(5, {}, Qt::RightButton);
  EXPECT_EQ(selectedRows(), (QList<int>{5}));
  EXPECT_EQ(grid.currentGridRow(), 5);
}

TEST_F(GridTest, WheelScrollsWithoutMovingTheCurrentRowOrTheSelection) {
  fill(40);
  click(1);
  wheel(-240);
  EXPECT_EQ(grid.verticalScrollBar()->value(), 2);
  EXPECT_EQ(grid.currentGridRow(), 1);
  EXPECT_EQ(selectedRows(), (QList<int>{1}));
}

TEST_F(GridTest, ATouchpadsFineWheelStepsAddUpToOneRowPerNotch) {
  fill(40);
  QApplication::processEvents();  // the scroll bar learns the new row count
  for (int i = 0; i < 5; ++i) wheel(-40);  // 200 of 120: one row, 80 left over
  EXPECT_EQ(grid.verticalScrollBar()->value(), 1);
  wheel(-40);
  EXPECT_EQ(grid.verticalScrollBar()->value(), 2);
  wheel(90);
  wheel(30);
  EXPECT_EQ(grid.verticalScrollBar()->value(), 1);
}

TEST_F(GridTest, AHeaderPressOnlySortsAndADoubleClickOnABorderSizesNothing) {
  QSignalSpy sorted(&grid, &TStringGridEx::headerPressed);
  click(4);
  QHeaderView* header = grid.horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(grid.columnViewportPosition(1) + 10, 5));
  EXPECT_EQ(sorted.count(), 1);
  EXPECT_EQ(grid.currentGridRow(), 4);
  EXPECT_EQ(selectedRows(), (QList<int>{4}));

  grid.setColumnWidth(0, 150);
  const QPoint border(grid.columnViewportPosition(1) - 1, 5);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, border);
  EXPECT_EQ(grid.columnWidth(0), 150);
}

TEST_F(GridTest, TabLeavesTheGridWithoutMovingTheCurrentRow) {
  QWidget window;
  auto* first = new TStringGridEx(&window);
  first->setColumnCount(2);
  first->resize(300, 200);
  auto* next = new QLineEdit(&window);
  next->move(0, 210);
  window.show();
  QApplication::setActiveWindow(&window);
  first->clearDispLst();
  for (int i = 0; i < 5; ++i) first->addDispLst(i);
  first->setSelLstSize();
  first->setDataRowCount(5);
  first->setFocus();
  first->setCurrentGridRow(2);
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), next);
  EXPECT_EQ(first->currentGridRow(), 2);
}

TEST_F(GridTest, APlainArrowKeyMovesTheShiftClickAnchor) {
  click(2);
  key(Qt::Key_Down);
  click(5, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (QList<int>{3, 4, 5}));
}

TEST_F(GridTest, ARightClickMovesTheShiftClickAnchor) {
  click(2);
  click(5, {}, Qt::RightButton);
  click(6, Qt::ShiftModifier);
  EXPECT_EQ(selectedRows(), (QList<int>{5, 6}));
}

TEST_F(GridTest, DraggingMovesTheCurrentRowAndSelectsEveryRowPassed) {
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, rowCenter(1));
  dragTo(4);  // a quick move over rows 2 and 3 selects them too
  EXPECT_EQ(selectedRows(), (QList<int>{1, 2, 3, 4}));
  EXPECT_EQ(grid.currentGridRow(), 4);
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, rowCenter(4));
}

TEST_F(GridTest, DraggingBelowTheRowsScrollsOnWhileTheButtonIsHeld) {
  fill(40);
  const int visibleRows = grid.viewport()->height() / 18;
  const QPoint below(20, grid.viewport()->height() + 10);
  QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, rowCenter(1));
  dragToPoint(below);
  ASSERT_TRUE(waitUntil([&] { return grid.currentGridRow() > visibleRows + 2; }, 1500));
  EXPECT_GT(grid.verticalScrollBar()->value(), 0);
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, below);
  const int current = grid.currentGridRow();
  QTest::qWait(200);
  EXPECT_EQ(grid.currentGridRow(), current);  // released: the scrolling stopped
  EXPECT_EQ(selectedRows().size(), current);  // every row from the first to the current one
}

TEST_F(GridTest, LastColumnFillsTheGridButNeverShrinks) {
  grid.setColumnWidth(0, 124);
  grid.setColumnWidth(1, 124);
  EXPECT_EQ(grid.columnWidth(2), 626 - (248 + 3) - 3);
  grid.setColumnWidth(0, 400);
  grid.setColumnWidth(1, 300);
  EXPECT_EQ(grid.columnWidth(2), 626 - (524 + 3) - 3);  // still inside: follows the first columns
  const int before = grid.columnWidth(2);
  grid.resize(500, 300);  // the first columns now overflow: the last keeps its width
  EXPECT_EQ(grid.columnWidth(2), before);
}

TEST_F(GridTest, SettingsAreSavedAndLoadedUnderTheGridsName) {
  QTemporaryDir dir;
  SettingsFile settings(dir.filePath("kalyx5pc.ini"));
  grid.setColumnWidth(0, 90);
  grid.setColumnWidth(1, 110);
  grid.setSortColumn(2);
  grid.setAscending(false);
  grid.saveGridSettings(settings);
  EXPECT_EQ(settings.readInteger("sgTest", "COL_0_WIDTH", 0), 90);
  EXPECT_EQ(settings.readInteger("sgTest", "COL_1_WIDTH", 0), 110);
  EXPECT_EQ(settings.readInteger("sgTest", "COL_2_WIDTH", -5), -5);  // the last column is not saved
  EXPECT_EQ(settings.readInteger("sgTest", "COL_SORTBY", 0), 2);
  EXPECT_EQ(settings.readInteger("sgTest", "ASCENDING", 1), 0);

  TStringGridEx other;
  other.setObjectName("sgTest");
  other.setColumnCount(3);
  other.resize(626, 300);
  other.show();
  other.loadGridSettings(settings);
  EXPECT_EQ(other.columnWidth(0), 90);
  EXPECT_EQ(other.columnWidth(1), 110);
  EXPECT_EQ(other.sortColumn(), 2);
  EXPECT_FALSE(other.ascending());

  TStringGridEx fresh;  // no keys: a quarter of the client width each, ascending on column 0
  fresh.setObjectName("sgFresh");
  fresh.setColumnCount(3);
  fresh.resize(626, 300);
  fresh.loadGridSettings(settings);
  fresh.show();
  EXPECT_EQ(fresh.columnWidth(0), fresh.viewport()->width() / 4);
  EXPECT_EQ(fresh.sortColumn(), 0);
  EXPECT_TRUE(fresh.ascending());
}

TEST_F(GridTest, AGridNeverShownSavesTheWidthsItLoaded) {
  QTemporaryDir dir;
  SettingsFile settings(dir.filePath("kalyx5pc.ini"));
  settings.writeInteger("sgHidden", "COL_0_WIDTH", 90);  // COL_1_WIDTH was never stored
  TStringGridEx hidden;
  hidden.setObjectName("sgHidden");
  hidden.setColumnCount(3);
  hidden.setColumnWidth(0, 124);
  hidden.setColumnWidth(1, 148);
  hidden.loadGridSettings(settings);
  hidden.saveGridSettings(settings);
  EXPECT_EQ(settings.readInteger("sgHidden", "COL_0_WIDTH", -5), 90);
  EXPECT_EQ(settings.readInteger("sgHidden", "COL_1_WIDTH", -5), -5);
  hidden.resize(626, 300);
  hidden.show();  // shown at last: the loaded width is applied, and saved from then on
  EXPECT_EQ(hidden.columnWidth(0), 90);
  hidden.setColumnWidth(0, 70);
  hidden.saveGridSettings(settings);
  EXPECT_EQ(settings.readInteger("sgHidden", "COL_0_WIDTH", -5), 70);
  EXPECT_EQ(settings.readInteger("sgHidden", "COL_1_WIDTH", -5), hidden.columnWidth(1));
}

// Whatever the desktop's palette (a light one, a dark theme's white text, a
// highlight too close to its text), every row's text reads at 4.5:1 or better.
TEST_F(GridTest, EveryRowsTextReadsOnItsFillWhateverThePalette) {
  const struct {
    const char* palette;
    QColor text, highlight, highlightedText;
  } palettes[] = {{"light", Qt::black, QColor(48, 140, 198), Qt::white},
                  {"dark theme", Qt::white, QColor(42, 130, 218), Qt::white},
                  {"pale highlight", Qt::black, QColor(255, 240, 120), Qt::white}};
  click(2);
  for (const auto& p : palettes) {
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Text, p.text);
    palette.setColor(QPalette::Highlight, p.highlight);
    palette.setColor(QPalette::HighlightedText, p.highlightedText);
    grid.setPalette(palette);
    const QImage shot = grid.viewport()->grab().toImage();
    for (int row : {1, 2, 3}) {  // white, selected, stripe
      const QRect cell = grid.cellRect(row, 0);  // its text is a record number, short
      const QColor fill = shot.pixelColor(cell.right() - 3, cell.center().y());
      // The text's core against its fill (its antialiased edges blend into it).
      double best = 1;
      for (int x = cell.left(); x < cell.center().x(); ++x)
        for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
          best = std::max(best, contrastRatio(shot.pixelColor(x, y), fill));
      EXPECT_GE(best, kReadableContrast) << p.palette << " row " << row;
    }
  }
}

TEST(GridColours, ContrastAndTheColoursChosenForIt) {
  EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
  EXPECT_NEAR(contrastRatio(Qt::gray, Qt::gray), 1.0, 0.01);
  EXPECT_EQ(readableText(Qt::white, Qt::darkBlue), QColor(Qt::darkBlue));  // kept where it reads
  EXPECT_EQ(readableText(Qt::white, QColor(250, 250, 250)), QColor(Qt::black));
  const QColor platform(48, 140, 198);
  const QColor fill = readableHighlight(platform, Qt::white);
  EXPECT_GE(contrastRatio(fill, Qt::white), kReadableContrast);
  EXPECT_EQ(fill.hslHue(), platform.hslHue());
  EXPECT_EQ(readableHighlight(QColor(0, 60, 120), Qt::white), QColor(0, 60, 120));
}

// The PASS and FAIL badges: their word reads on the badge's fill at 4.5:1 or
// better. Inside the border, the fill is the colour most pixels have, the word
// the next most common one.
TEST(GridColours, PassAndFailBadgesWordsReadOnTheirFill) {
  for (const char* badge : {"pass", "fail"}) {
    const QImage image = resourcePicture(QString::fromLatin1(badge), QSize(40, 16), 2.0).toImage();
    ASSERT_FALSE(image.isNull()) << badge;
    QHash<QRgb, int> painted;
    const int border = image.height() / 5;
    for (int y = border; y < image.height() - border; ++y)
      for (int x = border; x < image.width() - border; ++x) ++painted[image.pixel(x, y)];
    QList<std::pair<int, QRgb>> byCount;
    for (auto it = painted.keyValueBegin(); it != painted.keyValueEnd(); ++it) byCount.append({it->second, it->first});
    std::sort(byCount.rbegin(), byCount.rend());
    ASSERT_GE(byCount.size(), 2) << badge;
    EXPECT_GE(contrastRatio(QColor(byCount[0].second), QColor(byCount[1].second)), kReadableContrast) << badge;
  }
}

// A screen reader learns the selected rows from the grid's accessible table; they
// follow the records when the rows are sorted anew.
TEST_F(GridTest, ScreenReaderLearnsTheSelectedRows) {
  const auto heard = [this] {
    QApplication::processEvents();
    QList<int> rows;
    for (int row : QAccessible::queryAccessibleInterface(&grid)->tableInterface()->selectedRows()) rows << row + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
  };
  click(2);
  click(4, Qt::ControlModifier);
  EXPECT_EQ(heard(), (QList<int>{2, 4}));
  grid.setDispLst({5, 4, 3, 2, 1, 0});
  refill();
  EXPECT_EQ(heard(), selectedRows());
  EXPECT_EQ(heard(), (QList<int>{3, 5}));
  grid.deselectAll();
  EXPECT_EQ(heard(), QList<int>{});
}

// By keyboard alone: Enter does what a double click does, and the Menu key
// opens the pop-up menu at the current row with the selection as it is.
TEST_F(GridTest, EnterAndTheMenuKeyDoWhatTheMouseDoes) {
  QMenu menu;
  menu.addAction("View");
  grid.setPopupMenu(&menu);
  click(3);
  click(4, Qt::ControlModifier);
  QSignalSpy opened(&grid, &TStringGridEx::gridDblClick);
  QSignalSpy popup(&grid, &TStringGridEx::popupRequested);
  key(Qt::Key_Return);
  EXPECT_EQ(opened.count(), 1);
  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint());
  QApplication::sendEvent(&grid, &menuKey);
  EXPECT_EQ(popup.count(), 1);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(selectedRows(), (QList<int>{3, 4}));
  menu.close();
}
