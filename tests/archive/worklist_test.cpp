// The worklist for a round: which devices, in which order, and how they print.
#include "archive/worklist.h"

#include <gtest/gtest.h>

namespace {
const QDate kToday(2026, 12, 9);

DeviceDue device(const char* id, const char* location, const QDate& next, DueStatus status) {
  DeviceDue d;
  d.device = id;
  d.type = "Defibrillator";
  d.location = location;
  d.due = {next, status};
  d.intervalMonths = 12;
  d.lastTest = next.addMonths(-12);
  d.lastPassed = true;
  return d;
}

QStringList ids(const QList<DeviceDue>& devices) {
  QStringList out;
  for (const DeviceDue& d : devices) out << d.device;
  return out;
}
}  // namespace

// Due within the days asked (the overdue ones too), by location in any letter
// case with the devices that have none last, then by due date.
TEST(Worklist, HoldsTheDevicesDueByLocationThenDate) {
  const QList<DeviceDue> all = {device("LATER", "icu", kToday.addDays(40), DueStatus::Ok),
                                device("NOWHERE", "", kToday, DueStatus::NeverTested),
                                device("ICU-2", "ICU", kToday.addDays(10), DueStatus::Due),
                                device("ICU-1", "icu", kToday.addDays(-3), DueStatus::Overdue),
                                device("ER-1", "ER", kToday.addDays(30), DueStatus::Due)};
  EXPECT_EQ(ids(worklistDevices(all, 30, kToday)), QStringList({"ER-1", "ICU-1", "ICU-2", "NOWHERE"}));
  EXPECT_EQ(ids(worklistDevices(all, 0, kToday)), QStringList({"ICU-1", "NOWHERE"}));
  EXPECT_EQ(worklistDevices(all, std::nullopt, kToday).size(), all.size());
}

// A header with the period and the time printed; each location's name over
// its devices, each device with a box to tick and its marks.
TEST(Worklist, PrintsEachLocationsDevicesWithABoxToTick) {
  DeviceDue marked = device("ER-1", "ER", kToday.addDays(5), DueStatus::Due);
  marked.nearLimit = {LimitWarning{1, {}, "delivered energy at 200.0 J", "9.0 % off"}};
  Forecast drift;
  drift.reaches = QDate(2027, 3, 15);
  marked.forecasts = {drift};
  const QList<DeviceDue> list = {marked, device("LOBBY-AED", "", kToday.addDays(-1), DueStatus::Overdue)};
  const QStringList lines = worklistLines(list, worklistPeriod(30, kToday), QDateTime(kToday, QTime(8, 30)));
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[0], "WORKLIST: devices due within 30 days (by Jan 08, 2027), overdue included");
  EXPECT_EQ(lines[1], "Printed: Dec 09, 2026 08:30:00 AM");
  EXPECT_TRUE(lines.contains("Location: ER"));
  EXPECT_TRUE(lines.contains("(No location)"));
  const auto row = [&](const QString& id) {
    for (const QString& l : lines)
      if (l.startsWith("[ ] " + id)) return l;
    return QString();
  };
  EXPECT_TRUE(row("ER-1").contains("Due") && row("ER-1").contains("Near limit") && row("ER-1").endsWith("Mar 2027"))
      << row("ER-1").toStdString();
  EXPECT_TRUE(row("LOBBY-AED").contains("Overdue")) << row("LOBBY-AED").toStdString();
  EXPECT_LT(lines.indexOf("Location: ER"), lines.indexOf(row("ER-1")));
  EXPECT_EQ(worklistLines({}, "overdue", QDateTime(kToday, {})).last(), "No device is due.");
}

// CSV rows as a spreadsheet reads them back.
TEST(Worklist, CsvQuotesWhatASpreadsheetWouldSplit) {
  DeviceDue d = device("ER, bay \"2\"", "North, 3rd floor", QDate(2027, 1, 5), DueStatus::Due);
  const QByteArray csv = dueCsv({d});
  EXPECT_EQ(csv, "device,type,location,last test,next due,status,near limit,forecast\r\n"
                 "\"ER, bay \"\"2\"\"\",Defibrillator,\"North, 3rd floor\",2026-01-05,2027-01-05,Due,,\r\n");
}
