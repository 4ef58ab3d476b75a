// The main window's note on sending to the department's archive.
#include "app/departmentstatus.h"
#include "archive/departmentserver.h"
#include "archive/departmentsync.h"

#include <QLabel>
#include <QStatusBar>
#include <gtest/gtest.h>

// A server that cannot be used is told by a note that stays, through other
// messages, with the full cause in its tool tip; sending again clears it.
// Records the server refused are told while this computer keeps them.
TEST(DepartmentStatus, AFailureStaysToldUntilASendingWorksAndRefusalsStayToo) {
  QStatusBar bar;
  DepartmentSync sync(QString(), *DepartmentServer::parse("postgresql://db/biomed", nullptr));
  DepartmentStatus status(sync, bar);
  const ArchiveFailure down{"postgresql://db/biomed", "connection refused", true};

  status.show({.waiting = 12}, down);
  ASSERT_TRUE(status.telling());
  EXPECT_TRUE(status.note()->text().contains("12 records wait")) << status.note()->text().toStdString();
  EXPECT_TRUE(status.note()->toolTip().contains("connection refused"));
  status.show({.waiting = 1, .detailsWaiting = 2}, down);  // changes to device details wait as records do
  EXPECT_TRUE(status.note()->text().contains("1 record and 2 changes to device details wait"))
      << status.note()->text().toStdString();
  bar.showMessage("a menu item's tip");  // what hovering a menu does
  bar.clearMessage();
  EXPECT_TRUE(status.telling());

  // A server of another schema is read only, not out of use.
  status.show({.waiting = 3}, {"postgresql://db/biomed", "newer schema", true, ArchiveFailure::Kind::ReadOnly});
  EXPECT_TRUE(status.note()->text().contains("read only")) << status.note()->text().toStdString();
  EXPECT_FALSE(status.note()->text().contains("cannot be used"));

  status.show({}, {});
  EXPECT_FALSE(status.telling());
  status.show({.sent = 1, .known = 2}, {});
  EXPECT_TRUE(bar.currentMessage().contains("3 records")) << bar.currentMessage().toStdString();

  const QString euro = "character with byte sequence 0xe2 0x82 0xac has no equivalent";
  status.show({.sent = 5, .setAside = 2, .refusal = euro, .refused = 2, .refusals = {euro}}, {});
  ASSERT_TRUE(status.telling());
  EXPECT_TRUE(status.note()->text().contains("refused 2 records")) << status.note()->text().toStdString();
  EXPECT_TRUE(status.note()->toolTip().contains("0xe2 0x82 0xac"));
  // Another refused for the same reason: counted as the queue holds them.
  status.show({.sent = 1, .setAside = 1, .refusal = euro, .refused = 3, .refusals = {euro}}, {});
  EXPECT_TRUE(status.note()->text().contains("refused 3 records")) << status.note()->text().toStdString();
  // Sent since (archive sync after the server was mended): the note goes.
  status.show({.sent = 1}, {});
  EXPECT_FALSE(status.telling());
}
