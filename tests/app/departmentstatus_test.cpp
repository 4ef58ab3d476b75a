// The main window's note on sending to the department's archive.
#include "app/departmentstatus.h"
#include "archive/departmentserver.h"
#include "archive/departmentsync.h"

#include <QStatusBar>
#include <gtest/gtest.h>

// A server that cannot be used is told once (later failures leave the note as
// it is), with the full cause in the tool tip; sending again clears it.
TEST(DepartmentStatus, AFailureIsToldOnceAndASendingThatWorksClearsIt) {
  QStatusBar bar;
  DepartmentSync sync(QString(), *DepartmentServer::parse("postgresql://db/biomed", nullptr));
  DepartmentStatus status(sync, bar);
  const ArchiveFailure down{"postgresql://db/biomed", "connection refused", true};

  status.show({.waiting = 12}, down);
  const QString note = bar.currentMessage();
  EXPECT_TRUE(note.contains("12 records wait")) << note.toStdString();
  EXPECT_TRUE(bar.toolTip().contains("connection refused"));
  status.show({.waiting = 13}, down);
  EXPECT_EQ(bar.currentMessage(), note);

  status.show({}, {});
  EXPECT_TRUE(bar.currentMessage().isEmpty());
  EXPECT_FALSE(status.telling());
  status.show({.sent = 1, .known = 2}, {});
  EXPECT_TRUE(bar.currentMessage().contains("3 records")) << bar.currentMessage().toStdString();
}
