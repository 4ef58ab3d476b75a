#include "core/settingsfile.h"
#include "core/windowgeometry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

namespace {
class WindowGeometryTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  SettingsFile settings{dir.filePath("kalyx5pc.ini")};
};
}  // namespace

// The offscreen platform gives shown windows a frame of two pixels on each side,
// so inner and outer sizes differ as on a desktop.
TEST_F(WindowGeometryTest, TheStoredSizeIsTheOuterSizeAndComesBackTheSame) {
  QRect saved;
  {
    QMainWindow window;
    window.show();
    window.resize(500, 400);
    window.move(40, 30);
    QApplication::processEvents();
    ASSERT_NE(window.frameGeometry().size(), window.size()) << "the platform gave the window no frame";
    saved = window.frameGeometry();
    saveWindowGeometry(window, settings, "TestReportViewer");
  }
  EXPECT_EQ(settings.readInteger("TestReportViewer", "WIDTH", -1), saved.width());
  EXPECT_EQ(settings.readInteger("TestReportViewer", "HEIGHT", -1), saved.height());
  EXPECT_EQ(settings.readInteger("TestReportViewer", "LEFT", -1), saved.left());
  EXPECT_EQ(settings.readInteger("TestReportViewer", "TOP", -1), saved.top());

  QMainWindow again;
  loadWindowGeometry(again, settings, "TestReportViewer", QSize(685, 600));
  again.show();
  QApplication::processEvents();
  EXPECT_EQ(again.frameGeometry(), saved);
  EXPECT_EQ(again.size(), QSize(500, 400));
}

TEST_F(WindowGeometryTest, AMaximisedWindowKeepsItsEarlierNormalBounds) {
  settings.writeInteger("QalMain", "WIDTH", 640);
  QMainWindow window;
  window.showMaximized();
  saveWindowGeometry(window, settings, "QalMain");
  EXPECT_EQ(settings.readInteger("QalMain", "WINDOWSTATE", -1), 2);
  EXPECT_EQ(settings.readInteger("QalMain", "WIDTH", -1), 640);
}

// Restored long after a maximised start, the window has the size it was given:
// an exit stores the WIDTH and HEIGHT it read, not those plus the frame.
TEST_F(WindowGeometryTest, AMaximisedStartRestoredLaterKeepsTheStoredSize) {
  settings.writeInteger("QalMain", "WIDTH", 500);
  settings.writeInteger("QalMain", "HEIGHT", 400);
  settings.writeInteger("QalMain", "WINDOWSTATE", 2);
  QMainWindow window;
  constexpr int kFrameWaitMs = 20;  // how long a normal window would wait for its frame
  loadWindowGeometry(window, settings, "QalMain", QSize(750, 500), kFrameWaitMs);
  window.show();
  QTest::qWait(5 * kFrameWaitMs);  // the user works a while before restoring it
  window.showNormal();
  QApplication::processEvents();
  saveWindowGeometry(window, settings, "QalMain");
  EXPECT_EQ(settings.readInteger("QalMain", "WINDOWSTATE", -1), 0);
  EXPECT_EQ(settings.readInteger("QalMain", "WIDTH", -1), 500);
  EXPECT_EQ(settings.readInteger("QalMain", "HEIGHT", -1), 400);
}

// A place stored at another scaling or on a larger screen is moved onto the
// screen's available area; a size kept where it fits, made smaller where not; a
// place on the screen stays exactly.
TEST_F(WindowGeometryTest, AStoredPlaceOffTheScreenIsBroughtOntoIt) {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  const struct {
    const char* name;
    QRect stored;
    QRect shown;
  } cases[] = {
      {"on the screen", QRect(available.topLeft() + QPoint(20, 30), QSize(300, 200)),
       QRect(available.topLeft() + QPoint(20, 30), QSize(300, 200))},
      {"half off at the right and bottom", QRect(available.bottomRight() - QPoint(149, 99), QSize(300, 200)),
       QRect(available.bottomRight() - QPoint(299, 199), QSize(300, 200))},
      {"beyond the top left", QRect(available.topLeft() - QPoint(5000, 5000), QSize(300, 200)),
       QRect(available.topLeft(), QSize(300, 200))},
      {"larger than the screen", QRect(available.topLeft() + QPoint(10, 10), available.size() * 2),
       available},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    settings.writeInteger("Viewer", "LEFT", c.stored.left());
    settings.writeInteger("Viewer", "TOP", c.stored.top());
    settings.writeInteger("Viewer", "WIDTH", c.stored.width());
    settings.writeInteger("Viewer", "HEIGHT", c.stored.height());
    QMainWindow window;
    loadWindowGeometry(window, settings, "Viewer", QSize(100, 100));
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.frameGeometry(), c.shown);
  }
}
