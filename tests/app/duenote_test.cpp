// The main window's note on the devices due.
#include "app/duenote.h"
#include "app/linklabel.h"
#include "archive/archive.h"
#include "support/testreportbuilders.h"

#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace testrec;

namespace {
DeviceDue withStatus(DueStatus status) {
  DeviceDue d;
  d.due.status = status;
  return d;
}

}  // namespace

TEST(DueNote, SaysHowManyAreOverdueAndHowManyDueAndNothingWhenNone) {
  using S = DueStatus;
  const struct {
    QList<S> statuses;
    const char* said;
  } cases[] = {
      {{S::Overdue, S::Overdue, S::Overdue, S::Due, S::NeverTested, S::Ok}, "3 devices overdue, 2 due within 30 days"},
      {{S::Overdue, S::Ok}, "1 device overdue"},
      {{S::Due}, "1 device due within 30 days"},
      {{S::Ok, S::Ok}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) {
    QList<DeviceDue> devices;
    for (S s : c.statuses) devices << withStatus(s);
    EXPECT_EQ(DueNote::text(devices, 30), c.said);
  }
}

// Read from the archive off the window's thread; a click shows the devices.
TEST(DueNote, ReadsTheArchiveAndOpensTheDevicesOnAClick) {
  QTemporaryDir folder;
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(folder.filePath("archive.sqlite"), &failure);
  ASSERT_TRUE(archive) << failure.message().toStdString();
  ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(),
                             {testedDaysAgo("OLD-1", 400), testedDaysAgo("SOON-2", 355), testedDaysAgo("NEW-3", 10)},
                             &failure));
  QStatusBar bar;
  int shown = 0;
  DueNote note(bar, [&] { ++shown; });
  note.start(archive->reopener(), DuePolicy{});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !note.note()->isHidden(); }, 5000));
  EXPECT_EQ(note.note()->text(), "1 device overdue, 1 due within 30 days");
  QTest::mouseClick(note.note(), Qt::LeftButton);
  EXPECT_EQ(shown, 1);
}
