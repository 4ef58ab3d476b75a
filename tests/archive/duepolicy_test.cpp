// The test intervals of each type of device, from the settings and back.
#include "archive/devicedue.h"
#include "core/savefile.h"
#include "core/settingsfile.h"
#include "testreport/testrecord.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Each type's interval: an AED's, a defibrillator's (or a device without a
// report), a pacemaker's (a report of another type); values out of range in
// the settings give the defaults; what is kept is read back.
TEST(DuePolicy, EachTypeHasItsIntervalAndTheSettingsKeepThem) {
  QTemporaryDir dir;
  SettingsFile settings(dir.filePath("kalyx5pc.ini"));
  ASSERT_TRUE(settings.writeInteger("Archive", "IntervalAED", 0));               // out of range: the default
  ASSERT_TRUE(settings.writeInteger("Archive", "IntervalPacemaker", 121));       // out of range too
  ASSERT_TRUE(settings.writeInteger("Archive", "IntervalDefibrillator", 6));
  const DuePolicy read = duePolicy(settings);
  const struct {
    int dutType;
    int months;
  } cases[] = {{testrec::DutDefibrillator, 6}, {-1, 6}, {testrec::DutAed, 12}, {0, 12}, {7, 12}};
  for (const auto& c : cases) EXPECT_EQ(read.monthsFor(c.dutType), c.months) << c.dutType;

  DuePolicy kept;
  kept.defibrillatorMonths = 3, kept.aedMonths = 24, kept.pacemakerMonths = 9, kept.dueWithinDays = 14;
  ASSERT_TRUE(keepDuePolicy(settings, kept));
  const DuePolicy back = duePolicy(settings);
  EXPECT_EQ(back.monthsFor(testrec::DutAed), 24);
  EXPECT_EQ(back.monthsFor(0), 9);
  EXPECT_EQ(back.monthsFor(testrec::DutDefibrillator), 3);
  EXPECT_EQ(back.dueWithinDays, 14);
}

// Each key is a write of its own: when one fails, those written before it are
// put back, so the intervals are never left half changed.
TEST(DuePolicy, AFailedWritePutsBackTheKeysWrittenBeforeIt) {
  QTemporaryDir dir;
  SettingsFile settings(dir.filePath("kalyx5pc.ini"));
  DuePolicy before;
  before.defibrillatorMonths = 6, before.aedMonths = 12, before.pacemakerMonths = 18, before.dueWithinDays = 30;
  ASSERT_TRUE(keepDuePolicy(settings, before));
  DuePolicy changed;
  changed.defibrillatorMonths = 1, changed.aedMonths = 2, changed.pacemakerMonths = 3, changed.dueWithinDays = 4;
  for (int failing = 0; failing < 4; ++failing) {
    injectSaveFault(SaveFault{failing, SaveFault::Point::Write, 0});
    EXPECT_FALSE(keepDuePolicy(settings, changed)) << failing;
    endSaveInjection();
    const DuePolicy now = duePolicy(settings);
    EXPECT_EQ(now.monthsFor(testrec::DutDefibrillator), 6) << failing;
    EXPECT_EQ(now.monthsFor(testrec::DutAed), 12) << failing;
    EXPECT_EQ(now.monthsFor(0), 18) << failing;
    EXPECT_EQ(now.dueWithinDays, 30) << failing;
  }
}
