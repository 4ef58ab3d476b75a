#include "grid/listpage.h"

#include "core/datetimetext.h"
#include "grid/stringgridex.h"

#include <QHeaderView>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>

TListPage::TListPage(const QString& gridName, const QString& statusBarName, ListColumns columns, QWidget* parent)
    : QWidget(parent), columns_(std::move(columns)) {
  grid_ = new TStringGridEx(this);
  grid_->setObjectName(gridName);
  grid_->setAccessibleName(columns_.noun);  // a screen reader names the list by what it holds
  grid_->setColumnCount(int(columns_.headers.size()));
  grid_->setHorizontalHeaderLabels(columns_.headers);
  QList<int> fitting;
  for (int c = 0; c < grid_->columnCount(); ++c) fitting << grid_->fittingWidth(c, columns_.widest.value(c));
  grid_->setFittingWidths(fitting);
  for (int c = 0; c < columns_.widths.size() && c < grid_->columnCount(); ++c)
    grid_->setColumnWidth(c, std::max(columns_.widths[c], fitting[c]));
  connect(grid_, &TStringGridEx::headerPressed, this, &TListPage::headerPressed);

  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(statusBarName);
  statusBar_->setSizeGripEnabled(false);

  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  layout_->addWidget(grid_, 1);
  layout_->addWidget(statusBar_);
  fillGrid();
}

void TListPage::setTopBar(QWidget* bar) { layout_->insertWidget(0, bar); }

QAction* TListPage::addViewMenu(const std::function<void()>& view) {
  auto* popup = new QMenu(this);
  QAction* pmView = popup->addAction(QStringLiteral("View"));
  pmView->setObjectName(QStringLiteral("pmView"));
  connect(pmView, &QAction::triggered, this, view);
  grid_->setPopupMenu(popup);
  connect(grid_, &TStringGridEx::popupRequested, pmView, [this, pmView] { pmView->setEnabled(grid_->getDispLstSize() > 0); });
  return pmView;
}

QString TListPage::statusText() const { return statusBar_->currentMessage(); }

void TListPage::updateStatus() {
  statusBar_->showMessage(
      QStringLiteral("%1/%2 %3").arg(grid_->getDispLstSize()).arg(columns_.maximum).arg(columns_.noun));
}

void TListPage::resetDisplayList(const std::function<bool(int index)>& keep) {
  grid_->clearDispLst();
  const int n = columns_.recordCount();
  for (int i = 0; i < n; ++i) {
    if (!keep || keep(i)) grid_->addDispLst(i);
    else grid_->setSelLst(i, false);
  }
}

void TListPage::showAll() { showMatching(nullptr); }

void TListPage::showMatching(const std::function<bool(int index)>& keep) {
  resetDisplayList(keep);
  sortDisplayList();
  fillGrid();
  updateStatus();
}

void TListPage::recordsReplaced(bool keepSelection) {
  resetDisplayList(nullptr);
  sortDisplayList();
  fillGrid();
  if (!keepSelection) grid_->clearSelLst();
  grid_->setSelLstSize();
  if (grid_->getDispLstSize() > 0) {
    const int row = qBound(1, grid_->currentGridRow(), grid_->getDispLstSize());
    grid_->setCurrentGridRow(row);
    grid_->selectRow(row);
  }
  updateStatus();
}

void TListPage::appendRecord(int index) {
  grid_->addDispLst(index);
  grid_->addSelLst(false);
  fillGrid();
  updateStatus();
}

void TListPage::sortDisplayList() {
  const int column = grid_->sortColumn();
  QList<TSortItem> keys;
  keys.reserve(grid_->getDispLstSize());
  for (int index : grid_->dispLst()) keys.append(columns_.sortKey(index, column));
  grid_->setDispLst(orderedIndexes(keys, columns_.sortKind(column), grid_->ascending()));
}

void TListPage::fillGrid() {
  grid_->setUpdatesEnabled(false);
  grid_->setDataRowCount(grid_->getDispLstSize());
  for (int r = 0; r < grid_->getDispLstSize(); ++r) {
    const int index = grid_->getDispLst(r);
    for (int c = 0; c < grid_->columnCount(); ++c) {
      grid_->setCellText(r + 1, c, columns_.cellText(index, c));
      if (columns_.spokenText) grid_->setCellSpokenText(r + 1, c, columns_.spokenText(index, c));
    }
  }
  // An empty list still draws one blank row; a screen reader hears it as empty.
  const bool empty = grid_->getDispLstSize() == 0;
  if (empty)
    grid_->setCellSpokenText(1, 0, columns_.recordCount() == 0
                                       ? QStringLiteral("Empty: no ") + columns_.noun.toLower()
                                       : QStringLiteral("Empty: the search shows none of the %1 %2")
                                             .arg(columns_.recordCount())
                                             .arg(columns_.noun.toLower()));
  else if (!columns_.spokenText) grid_->setCellSpokenText(1, 0, QString());
  grid_->setAccessibleDescription(empty ? QStringLiteral("Empty") : QString());
  grid_->setUpdatesEnabled(true);
  grid_->viewport()->update();
}

void TListPage::headerPressed(int column) {
  if (column == grid_->sortColumn()) {
    grid_->setAscending(!grid_->ascending());
  } else {
    grid_->setSortColumn(column);
    grid_->setAscending(true);
  }
  if (grid_->getDispLstSize() > 0) {
    sortDisplayList();
    fillGrid();
  }
  grid_->horizontalHeader()->viewport()->update();
  grid_->viewport()->update();
}

// Every record the list shows, and none that a search hides: what the user
// then views, saves, prints or deletes is what the user sees selected.
void TListPage::selectAll() {
  for (int row = 0; row < grid_->getDispLstSize(); ++row) grid_->setSelLst(grid_->getDispLst(row), true);
  grid_->viewport()->update();
}

QList<int> TListPage::selectedIndexes() const {
  QList<int> indexes;
  const int n = qMin(grid_->getSelLstSize(), columns_.recordCount());
  for (int i = 0; i < n; ++i)
    if (grid_->getSelLst(i)) indexes.append(i);
  return indexes;
}

int TListPage::currentRecord() const {
  const int row = grid_->currentGridRow();
  if (row < 1 || row > grid_->getDispLstSize()) return -1;
  return grid_->getDispLst(row - 1);
}

void TListPage::loadGridSettings(const SettingsFile& settings) { grid_->loadGridSettings(settings); }

void TListPage::saveGridSettings(SettingsFile& settings) const { grid_->saveGridSettings(settings); }

void TListPage::addViewer(QWidget* viewer) {
  viewers_.append(viewer);
  // The viewer is half destroyed when it says so: only its address is compared.
  connect(viewer, &QObject::destroyed, this, [this, viewer] { viewers_.removeAll(viewer); });
  viewer->show();
}

QStringList longestDateTimeTexts() {
  QStringList texts;
  for (int month = 1; month <= 12; ++month)
    texts << dateTimeText(CivilDateTime{QDate(2000, month, 28), QTime(23, 58, 58)});
  return texts;
}
