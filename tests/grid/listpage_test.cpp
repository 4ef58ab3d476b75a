#include "core/settingsfile.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A list of titles with two columns: the number (by index) and the title (by text).
class ListPageTest : public ::testing::Test {
 protected:
  QStringList titles = {"delta", "Alpha", "charlie", "alpha", "bravo"};
  std::unique_ptr<TListPage> page;
  TStringGridEx* grid = nullptr;

  void SetUp() override {
    ListColumns columns;
    columns.headers = {"No.", "Title"};
    columns.widths = {60, 200};
    columns.recordCount = [this] { return int(titles.size()); };
    columns.cellText = [this](int index, int column) {
      return column == 0 ? QString::number(index + 1) : titles[index];
    };
    columns.sortKey = [this](int index, int column) {
      TSortItem key;
      if (column == 1) key.setText(titles[index], quint32(index));
      else key.setNumber(index, quint32(index));
      return key;
    };
    columns.sortKind = [](int column) { return column == 1 ? SortKind::Text : SortKind::Number; };
    columns.maximum = 32;
    columns.noun = "Titles";
    page = std::make_unique<TListPage>("sgTitles", "sbTitles", columns);
    page->resize(400, 300);
    page->show();
    grid = page->grid();
  }
  void pressHeader(int column) {
    const QPoint at(grid->columnViewportPosition(column) + 10, 5);
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, at);
  }
  QStringList shownTitles() const {
    QStringList shown;
    for (int r = 1; r <= grid->getDispLstSize(); ++r) shown << grid->cellText(r, 1);
    return shown;
  }
};
}  // namespace

TEST_F(ListPageTest, AReloadShowsEveryRecordSortedAndSelectsTheCurrentRow) {
  EXPECT_EQ(page->statusText(), "");
  EXPECT_EQ(grid->objectName(), "sgTitles");
  page->recordsReplaced();
  EXPECT_EQ(shownTitles(), titles);
  EXPECT_EQ(page->statusText(), "5/32 Titles");
  EXPECT_EQ(page->selectedIndexes(), QList<int>{0});
  EXPECT_EQ(grid->cellText(2, 0), "2");

  grid->setSelLst(3, true);
  grid->setCurrentGridRow(5);
  titles << "echo";
  page->recordsReplaced();  // earlier flags stay, the current row's record joins them
  EXPECT_EQ(page->selectedIndexes(), (QList<int>{0, 3, 4}));
  EXPECT_EQ(page->statusText(), "6/32 Titles");
}

TEST_F(ListPageTest, HeaderPressesSortTextWithoutCaseAndTiesByIndex) {
  page->recordsReplaced();
  pressHeader(1);
  EXPECT_EQ(grid->dispLst(), (QList<int>{1, 3, 4, 2, 0}));  // Alpha and alpha tie: lower index first
  pressHeader(1);
  EXPECT_EQ(grid->dispLst(), (QList<int>{0, 2, 4, 3, 1}));  // the exact reverse
  pressHeader(0);
  EXPECT_TRUE(grid->ascending());
  EXPECT_EQ(grid->dispLst(), (QList<int>{0, 1, 2, 3, 4}));
}

TEST_F(ListPageTest, AFilterHidesAndDeselectsAndSelectAllTakesOnlyWhatShows) {
  page->recordsReplaced();
  page->selectAll();
  page->showMatching([this](int index) { return titles[index].contains("lph", Qt::CaseInsensitive); });
  EXPECT_EQ(shownTitles(), (QStringList{"Alpha", "alpha"}));
  EXPECT_EQ(page->statusText(), "2/32 Titles");
  EXPECT_EQ(page->selectedIndexes(), (QList<int>{1, 3}));  // the hidden ones lost their selection
  grid->deselectAll();
  page->selectAll();
  EXPECT_EQ(page->selectedIndexes(), (QList<int>{1, 3}));  // the hidden ones stay unselected
  page->showAll();
  EXPECT_EQ(grid->getDispLstSize(), 5);
  page->selectAll();
  EXPECT_EQ(page->selectedIndexes(), (QList<int>{0, 1, 2, 3, 4}));
}

TEST_F(ListPageTest, ANewRecordShowsLastWhateverTheOrderAndUnselected) {
  page->recordsReplaced();
  pressHeader(1);
  titles << "aardvark";
  page->appendRecord(5);
  EXPECT_EQ(shownTitles().last(), "aardvark");
  EXPECT_FALSE(grid->getSelLst(5));
  EXPECT_EQ(page->statusText(), "6/32 Titles");
}

TEST_F(ListPageTest, TheCurrentRecordFollowsTheDisplayOrder) {
  EXPECT_EQ(page->currentRecord(), -1);  // nothing shown yet
  page->recordsReplaced();
  pressHeader(1);
  grid->setCurrentGridRow(2);
  EXPECT_EQ(page->currentRecord(), 3);
}

TEST_F(ListPageTest, AViewerLeavesTheListWhenItIsDestroyed) {
  auto* first = new QWidget;
  auto* second = new QWidget;
  page->addViewer(first);
  page->addViewer(second);
  EXPECT_TRUE(first->isVisible());
  delete first;
  EXPECT_EQ(page->viewers(), QList<QWidget*>{second});
  delete second;
  EXPECT_TRUE(page->viewers().isEmpty());
}

TEST_F(ListPageTest, GridSettingsGoUnderTheGridsName) {
  QTemporaryDir dir;
  SettingsFile settings(dir.filePath("kalyx5pc.ini"));
  grid->setSortColumn(1);
  page->saveGridSettings(settings);
  EXPECT_EQ(settings.readInteger("sgTitles", "COL_SORTBY", -1), 1);
  EXPECT_EQ(settings.readInteger("sgTitles", "COL_0_WIDTH", -1), 60);
}

// An empty list still draws its blank row, and a screen reader hears it as empty.
TEST_F(ListPageTest, AnEmptyListIsHeardAsEmpty) {
  const auto heard = [this] {
    const QAbstractItemModel* model = grid->model();
    return model->index(0, 0).data(Qt::AccessibleTextRole).toString();
  };
  page->recordsReplaced();
  EXPECT_TRUE(heard().isEmpty());
  EXPECT_TRUE(grid->accessibleDescription().isEmpty());
  page->showMatching([](int) { return false; });
  EXPECT_EQ(grid->model()->rowCount(), 1);  // the blank row stays on screen
  EXPECT_EQ(heard(), "Empty: the search shows none of the 5 titles");
  EXPECT_EQ(grid->accessibleDescription(), "Empty");
  page->showAll();
  EXPECT_TRUE(heard().isEmpty());
  titles.clear();
  page->recordsReplaced();
  EXPECT_EQ(heard(), "Empty: no titles");
}
