#include "core/settingsfile.h"
#include "support/testreportbuilders.h"
#include "support/uiharness.h"
#include "testreport/reportrender.h"
#include "testreport/testreportviewer.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>

namespace {
class ViewerTest : public UiHarness {
 protected:
  QString writeText(const QString& name, const QByteArray& bytes) {
    const QString path = dataHome.path() + "/" + name;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
  }
  static QAction* action(TTestReportViewer& v, const char* name) { return v.findChild<QAction*>(name); }
};
}  // namespace

TEST_F(ViewerTest, RecordModeRendersEachIndexAndShowsThemOneAfterAnother) {
  const QList<TTestRec> records = {completeDefibRecord(), makeTestRec("EMPTY", {1, 1, 20, 0, 0, 0}, 0, 1)};
  TTestReportViewer viewer(services(), records, {1, 0}, "A1234567");
  ASSERT_EQ(viewer.reports().size(), 2);
  EXPECT_EQ(viewer.reports()[0], renderTestReport(records[1], 1, "A1234567"));
  EXPECT_EQ(viewer.reports()[1], renderTestReport(records[0], 0, "A1234567"));
  EXPECT_EQ(viewer.text(), (viewer.reports()[0] + viewer.reports()[1]).join('\n'));
  const QFont font = viewer.findChild<QPlainTextEdit*>()->font();
  EXPECT_EQ(font.family(), "Courier New");
  EXPECT_EQ(font.pixelSize(), 13);
  EXPECT_TRUE(action(viewer, "mmSaveToText")->isVisible());
  EXPECT_EQ(action(viewer, "mmSaveToCSV")->shortcut(), QKeySequence("Ctrl+Alt+S"));
}

TEST_F(ViewerTest, FileModeHidesTheSaveCommandsAndReportsAnUnreadableFile) {
  const QString a = writeText("a.txt", "first\r\nreport\r\n");
  const QString b = writeText("b.txt", "caf\xE9\n");  // an older file in Windows-1252
  TTestReportViewer viewer(services(), {a, dataHome.path() + "/missing.txt", b});
  ASSERT_EQ(viewer.reports().size(), 2);
  EXPECT_EQ(viewer.reports()[0], (QStringList{"first", "report"}));
  EXPECT_EQ(viewer.reports()[1], QStringList{QString::fromUtf8("café")});
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains("missing.txt"));
  EXPECT_EQ(messages.shown[0].caption, "Error opening file");
  for (const char* hidden : {"mmSaveToText", "mmSaveToCSV", "mmSaveToMUP", "tbSaveToText", "tbSaveToCSV"})
    EXPECT_FALSE(action(viewer, hidden)->isVisible()) << hidden;
  EXPECT_FALSE(action(viewer, "mmSaveToText")->isEnabled());
  EXPECT_TRUE(action(viewer, "mmPrint")->isVisible());
}

TEST_F(ViewerTest, GeometryIsKeptInItsSection) {
  {
    TTestReportViewer viewer(services(), QStringList{});
    EXPECT_EQ(viewer.size(), QSize(685, 600));
    viewer.move(40, 30);
    viewer.resize(500, 400);
  }
  const SettingsFile& settings = *services().settings;
  EXPECT_EQ(settings.readInteger("TestReportViewer", "WINDOWSTATE", -1), 0);
  EXPECT_EQ(settings.readInteger("TestReportViewer", "WIDTH", -1), 500);
  EXPECT_EQ(settings.readInteger("TestReportViewer", "HEIGHT", -1), 400);
  TTestReportViewer again(services(), QStringList{});
  EXPECT_EQ(again.size(), QSize(500, 400));
  EXPECT_EQ(again.pos(), QPoint(40, 30));
}
