#include "support/pdftext.h"
#include "support/scriptedprinter.h"
#include "support/testfiles.h"
#include "support/uiharness.h"
#include "waveform/qalsetaxis.h"
#include "waveform/samplewaves.h"
#include "waveform/wavechart.h"
#include "waveform/wavechartview.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformfile.h"
#include "waveform/waveformprinter.h"
#include "waveform/waveformviewer.h"
#include "waveform/waveinfopanel.h"

#include <gmock/gmock.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QValueAxis>

namespace {
class ViewerTest : public UiHarness {
 protected:
  PdfPrintPrompts printer;

  std::unique_ptr<TWaveformViewer> open(const Waveform& wave) {
    AppServices s = services();
    s.printing = &printer;
    auto viewer = std::make_unique<TWaveformViewer>(s, wave);
    viewer->setAttribute(Qt::WA_DeleteOnClose, false);  // the test owns it
    viewer->resize(900, 600);
    viewer->show();
    QApplication::processEvents();
    return viewer;
  }
  static QAction* action(QObject& owner, const char* name) { return owner.findChild<QAction*>(name); }
  static QString value(TWaveformViewer& v, const char* name) { return v.findChild<QLabel*>(name)->text(); }
  static QLineEdit* edit(TWaveformViewer& v) { return v.findChild<QLineEdit*>("editDeviceID"); }
  static QPoint onChart(TWaveformViewer& v, QPointF value) {
    TWaveChart* chart = v.chart();
    return v.chartView()->mapFromScene(chart->mapToScene(chart->mapToPosition(value, chart->series())));
  }
  static std::pair<double, double> range(QValueAxis* axis) { return {axis->min(), axis->max()}; }

  // Answers the next modal dialog from inside its own loop.
  template <class Answer>
  static void whenModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
      if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    });
  }
};
}  // namespace

TEST_F(ViewerTest, EachToggleKeepsItsButtonMenuAndPopUpInStep) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  EXPECT_EQ(viewer->windowTitle(), "Kalyx 5pc Waveform Viewer");
  action(*viewer, "tbShowDataPoints")->trigger();
  EXPECT_TRUE(action(*viewer, "mmShowDataPoints")->isChecked());
  EXPECT_TRUE(action(*viewer, "pmShowDataPoints")->isChecked());
  EXPECT_TRUE(viewer->chart()->pointsShown());
  action(*viewer, "pmShowDataPoints")->trigger();
  EXPECT_FALSE(action(*viewer, "tbShowDataPoints")->isChecked());
  EXPECT_FALSE(action(*viewer, "mmShowDataPoints")->isChecked());
  EXPECT_FALSE(viewer->chart()->pointsShown());

  action(*viewer, "mmZoomRect")->trigger();
  EXPECT_TRUE(action(*viewer, "tbZoomRect")->isChecked());
  EXPECT_TRUE(viewer->chartView()->rectangleZoom());
  EXPECT_EQ(viewer->chartView()->rubberBand(), QChartView::RectangleRubberBand);
  action(*viewer, "tbZoomRect")->trigger();
  EXPECT_FALSE(action(*viewer, "mmZoomRect")->isChecked());
  EXPECT_EQ(viewer->chartView()->rubberBand(), QChartView::NoRubberBand);

  EXPECT_TRUE(action(*viewer, "mmShowInfo")->isChecked());  // SHOWINFO defaults to shown
  action(*viewer, "pmShowInfo")->trigger();
  EXPECT_FALSE(action(*viewer, "mmShowInfo")->isChecked());
  EXPECT_FALSE(viewer->infoShown());
  action(*viewer, "mmShowInfo")->trigger();
  EXPECT_TRUE(action(*viewer, "pmShowInfo")->isChecked());
  EXPECT_TRUE(viewer->infoShown());
}

TEST_F(ViewerTest, ZoomTwiceThenUndoReturnsToTheRangesOfTheLoad) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  const auto time = range(viewer->chart()->timeAxis());
  EXPECT_EQ(time.first, 0);
  EXPECT_DOUBLE_EQ(time.second, 5119 * 0.0114);
  EXPECT_EQ(range(viewer->chart()->currentAxis()), std::make_pair(-50.0, 50.0));  // a peak of 28.2 A
  action(*viewer, "tbZoomIn")->trigger();
  action(*viewer, "mmZoomIn")->trigger();  // each takes a tenth off either end: 64 % of the span is left
  EXPECT_DOUBLE_EQ(viewer->chart()->currentAxis()->max(), 32.0);
  EXPECT_DOUBLE_EQ(viewer->chart()->currentAxis()->min(), -32.0);
  action(*viewer, "tbZoomOut")->trigger();
  EXPECT_NEAR(viewer->chart()->currentAxis()->max(), 38.4, 1e-9);
  action(*viewer, "pmUndoZoom")->trigger();
  EXPECT_EQ(range(viewer->chart()->timeAxis()), time);
  EXPECT_EQ(range(viewer->chart()->currentAxis()), std::make_pair(-50.0, 50.0));
}

TEST_F(ViewerTest, AnAutomaticCurrentAxisComesBackAutomatic) {
  Waveform wave;
  wave.points = {{0, -30}, {1, 250}, {2, 10}};
  auto viewer = open(wave);
  EXPECT_TRUE(viewer->chart()->savedCurrentAxis().automatic);
  EXPECT_EQ(range(viewer->chart()->currentAxis()), std::make_pair(-30.0, 250.0));
  action(*viewer, "tbZoomIn")->trigger();
  action(*viewer, "tbUndoZoom")->trigger();
  EXPECT_EQ(range(viewer->chart()->currentAxis()), std::make_pair(-30.0, 250.0));
}

TEST_F(ViewerTest, TheAxisDialogRefusesBadRangesAndSetsGoodOnes) {
  AxisRanges start{0, 58.36, 0, 100};
  TQalSetAxis dialog(nullptr, start, "mA", messages, QLatin1Char('.'));
  EXPECT_EQ(dialog.windowTitle(), "Set Chart Axis");
  QLineEdit* timeMin = dialog.findChild<QLineEdit*>("txtTimeMin");
  QLineEdit* timeMax = dialog.findChild<QLineEdit*>("txtTimeMax");
  EXPECT_EQ(timeMax->text(), "58.36");
  EXPECT_EQ(timeMax->maxLength(), 15);
  auto* ok = dialog.findChild<QPushButton*>("btnOK");
  timeMin->setText("10");
  timeMax->setText("10");
  ok->click();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Invalid Axis");
  EXPECT_EQ(messages.shown[0].caption, "Maximum axis must be larger than minimum axis.");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  timeMax->setText("");
  ok->click();
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[1].caption, "An invalid number was entered.");

  auto viewer = open(decodeCapture(samplePacerCapture()));
  whenModal([](QWidget* modal) {
    EXPECT_TRUE(modal->findChildren<QLabel*>().last()->text() == "mA");
    modal->findChild<QLineEdit*>("txtTimeMin")->setText("5");
    modal->findChild<QLineEdit*>("txtTimeMax")->setText("25.5");
    modal->findChild<QLineEdit*>("txtCurrentMax")->setText("80");
    modal->findChild<QPushButton*>("btnOK")->click();
  });
  action(*viewer, "mmSetChartAxis")->trigger();
  EXPECT_EQ(range(viewer->chart()->timeAxis()), std::make_pair(5.0, 25.5));
  EXPECT_EQ(range(viewer->chart()->currentAxis()), std::make_pair(0.0, 80.0));
  EXPECT_EQ(viewer->chart()->savedCurrentAxis().maximum, 100);  // Undo Zoom still returns to the load's range
}

// An axis end near zero after a rectangle zoom needs more than 15 characters.
TEST_F(ViewerTest, OkInTheAxisDialogWithoutAnEditLeavesTheAxesExactlyAsTheyWere) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  const AxisRanges zoomed{-8.444249301319684e-05, 1.0 / 3, -2.0 / 3, 1e-7 / 3};
  viewer->chart()->setRanges(zoomed);
  whenModal([](QWidget* modal) {
    QLineEdit* timeMin = modal->findChild<QLineEdit*>("txtTimeMin");
    const QString shown = timeMin->text();
    EXPECT_GT(shown.size(), 15);
    timeMin->end(false);
    QTest::keyClick(timeMin, Qt::Key_7);  // typing cannot lengthen it
    EXPECT_EQ(timeMin->text(), shown);
    modal->findChild<QPushButton*>("btnOK")->click();
  });
  action(*viewer, "mmSetChartAxis")->trigger();
  EXPECT_EQ(range(viewer->chart()->timeAxis()), std::make_pair(zoomed.timeMin, zoomed.timeMax));
  EXPECT_EQ(range(viewer->chart()->currentAxis()), std::make_pair(zoomed.currentMin, zoomed.currentMax));
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewerTest, EditingTheDeviceIdEscapeRestoresAndAClickOnTheChartCommits) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  QLabel* id = viewer->findChild<QLabel*>("lblDeviceID");
  QTest::mouseClick(id, Qt::LeftButton);
  ASSERT_TRUE(edit(*viewer)->isVisible());
  EXPECT_EQ(edit(*viewer)->text(), "ER-DEFIB-01");
  EXPECT_EQ(edit(*viewer)->maxLength(), 16);
  edit(*viewer)->setText("CHANGED");
  QTest::keyClick(edit(*viewer), Qt::Key_Escape);
  EXPECT_FALSE(edit(*viewer)->isVisible());
  EXPECT_EQ(id->text(), "ER-DEFIB-01");

  action(*viewer, "mmDeviceID")->trigger();
  edit(*viewer)->setText("BAY 4 DEFIB");
  EXPECT_EQ(viewer->infoPanel()->shownInfo().deviceId, "BAY 4 DEFIB");  // what Save would write meanwhile
  QTest::mouseClick(viewer->chartView()->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
  EXPECT_FALSE(edit(*viewer)->isVisible());
  EXPECT_EQ(id->text(), "BAY 4 DEFIB");
  EXPECT_EQ(viewer->chart()->title(), "Device ID: BAY 4 DEFIB<br>Mar 08, 2025 10:41:30 AM");
  EXPECT_EQ(viewer->waveform().info.deviceId, "ER-DEFIB-01");  // the viewer's own data stays as it came

  action(*viewer, "pmDeviceID")->trigger();
  edit(*viewer)->setText("BY ENTER");
  QTest::keyClick(edit(*viewer), Qt::Key_Return);
  EXPECT_EQ(id->text(), "BY ENTER");
}

TEST_F(ViewerTest, EditingWithThePanelHiddenShowsItAndHidingItCommits) {
  settings.writeInteger("WaveformViewer", "SHOWINFO", 0);
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  EXPECT_FALSE(viewer->infoShown());
  action(*viewer, "mmDeviceID")->trigger();
  EXPECT_TRUE(viewer->infoShown());
  EXPECT_TRUE(action(*viewer, "mmShowInfo")->isChecked());
  ASSERT_TRUE(edit(*viewer)->isVisible());
  edit(*viewer)->setText("KEPT");
  action(*viewer, "mmShowInfo")->trigger();  // hiding the panel commits the edit first
  EXPECT_FALSE(viewer->infoShown());
  EXPECT_EQ(value(*viewer, "lblDeviceID"), "KEPT");
}

TEST_F(ViewerTest, AClickOnTheToolBarCommitsAnEdit) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  action(*viewer, "mmDeviceID")->trigger();
  edit(*viewer)->setText("TOOLBAR");
  QTest::mouseClick(viewer->findChild<QToolBar*>("tbWaveViewer"), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(value(*viewer, "lblDeviceID"), "TOOLBAR");
}

TEST_F(ViewerTest, SaveWritesTheTextsOnScreenAndThePointsAndRemembersTheFolder) {
  auto viewer = open(decodeCapture(samplePacerCapture()));
  action(*viewer, "mmDeviceID")->trigger();
  edit(*viewer)->setText("ROOM 12");  // still being edited when Save is chosen
  files.saveAnswer = dataHome.path() + "/pacer.csv";
  action(*viewer, "tbSave")->trigger();
  ASSERT_EQ(files.asked.size(), 1);
  EXPECT_EQ(files.asked[0][2], "CSV Files (*.csv);;All Files (*.*)");
  EXPECT_EQ(files.asked[0][3], "csv");
  const QByteArray saved = readAll(files.saveAnswer);
  EXPECT_TRUE(saved.startsWith("\"ROOM 12\",\"Mar 08, 2025 11:15:12 AM\",\"Pacer Pulse\",")) << saved.left(80).data();
  EXPECT_EQ(saved.count('\n'), 5121);
  action(*viewer, "mmSave")->trigger();
  EXPECT_EQ(files.asked[1][1], dataHome.path() + "/");  // SaveDialogWave remembers the folder
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewerTest, AViewerOnAFileWithNoDataLinesSavesNothing) {
  Waveform headerOnly = std::get<Waveform>(readWaveformFile("A,b,c,d,e,f,g,h,i,j,k\r\n\r\n"));
  auto viewer = open(headerOnly);
  EXPECT_EQ(value(*viewer, "lblDeviceID"), "A");
  files.saveAnswer = dataHome.path() + "/empty.csv";
  action(*viewer, "tbSave")->trigger();
  EXPECT_TRUE(files.asked.isEmpty());
  EXPECT_FALSE(QFile::exists(files.saveAnswer));
}

TEST_F(ViewerTest, TheReadOutFollowsTheLineWithTheAxisFormat) {
  auto viewer = open(decodeCapture(samplePacerCapture()));
  const QPointF onLine = viewer->chart()->series()->points().at(1500);
  const QPoint at = onChart(*viewer, onLine);
  EXPECT_TRUE(viewer->chartView()->lineIsUnder(at));
  const QString text = viewer->chartView()->readOut(at);
  EXPECT_NEAR(text.toDouble(), onLine.y(), 0.6);  // the current at the mouse's height, within a pixel or two
  EXPECT_EQ(text.section('.', 1).size(), 2);  // "%.2f", as the axis labels
  EXPECT_FALSE(viewer->chartView()->lineIsUnder(onChart(*viewer, QPointF(onLine.x(), onLine.y() + 25))));
}

TEST_F(ViewerTest, ALeftDragPansAndInRectangleModeZoomsToTheRectangle) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  QWidget* surface = viewer->chartView()->viewport();
  const auto before = range(viewer->chart()->timeAxis());
  const QPoint from = onChart(*viewer, QPointF(20, 0));
  QTest::mousePress(surface, Qt::LeftButton, {}, from);
  QTest::mouseMove(surface, from + QPoint(-40, 0));
  QTest::mouseRelease(surface, Qt::LeftButton, {}, from + QPoint(-40, 0));
  const auto panned = range(viewer->chart()->timeAxis());
  EXPECT_GT(panned.first, before.first);  // dragged left: later times come into view
  EXPECT_NEAR(panned.second - panned.first, before.second - before.first, 1e-6);

  action(*viewer, "tbZoomRect")->trigger();
  const QPoint a = onChart(*viewer, QPointF(10, 10));
  const QPoint b = onChart(*viewer, QPointF(20, -10));
  QTest::mousePress(surface, Qt::LeftButton, {}, a);
  QTest::mouseMove(surface, b);
  QTest::mouseRelease(surface, Qt::LeftButton, {}, b);
  EXPECT_NEAR(viewer->chart()->timeAxis()->min(), 10, 0.2);
  EXPECT_NEAR(viewer->chart()->timeAxis()->max(), 20, 0.2);
  EXPECT_NEAR(viewer->chart()->currentAxis()->max(), 10, 0.5);
  const auto zoomed = range(viewer->chart()->timeAxis());
  QTest::mouseClick(surface, Qt::RightButton, {}, a);  // opens the pop-up; it never zooms out
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  EXPECT_EQ(range(viewer->chart()->timeAxis()), zoomed);
}

TEST_F(ViewerTest, WindowSettingsRoundTripAndTheMaximisedRule) {
  {
    auto first = open(decodeCapture(sampleDefibCapture()));
    first->move(30, 40);
    first->resize(700, 450);
    first->findChild<QScrollArea*>("panelInfoArea")->resize(300, 400);
    QApplication::processEvents();
    first->close();
  }
  const int width = settings.readInteger("WaveformViewer", "WIDTH", -1);
  EXPECT_GE(width, 700);  // the outer size, frame included
  EXPECT_EQ(settings.readInteger("WaveformViewer", "WINDOWSTATE", -1), 0);
  EXPECT_EQ(settings.readInteger("WaveformViewer", "SHOWINFO", -1), 1);
  EXPECT_GT(settings.readInteger("WaveformViewer", "INFOWIDTH", -1), 50);
  {
    auto second = open(decodeCapture(sampleDefibCapture()));
    action(*second, "mmShowInfo")->trigger();
    second->showMaximized();
    QApplication::processEvents();
    second->close();
  }
  EXPECT_EQ(settings.readInteger("WaveformViewer", "WINDOWSTATE", -1), 2);
  EXPECT_EQ(settings.readInteger("WaveformViewer", "WIDTH", -1), width);  // kept from the normal one
  EXPECT_EQ(settings.readInteger("WaveformViewer", "SHOWINFO", -1), 0);
  auto third = open(decodeCapture(sampleDefibCapture()));
  EXPECT_TRUE(third->windowState() & Qt::WindowMaximized);
  EXPECT_FALSE(third->infoShown());
}

TEST_F(ViewerTest, PrintPutsTheLinesAndTheChartOnOneLandscapePage) {
  auto viewer = open(decodeCapture(samplePacerCapture()));
  action(*viewer, "mmDeviceID")->trigger();
  edit(*viewer)->setText("PRINTED ID");
  QTest::keyClick(edit(*viewer), Qt::Key_Return);
  printer.pdfPath = dataHome.path() + "/wave.pdf";
  action(*viewer, "tbPrint")->trigger();
  EXPECT_EQ(pdfPageCount(printer.pdfPath), 1);
  EXPECT_TRUE(pdfInfo(printer.pdfPath).contains("842 x 595 pts (A4)")) << pdfInfo(printer.pdfPath).toStdString();
  // pdftotext spreads the lines' blanks around the chart's columns; the lines' exact
  // text is checked where they are built.
  const QString text = pdfText(printer.pdfPath).simplified();
  EXPECT_TRUE(text.contains("Device ID: PRINTED ID")) << text.toStdString();
  EXPECT_TRUE(text.contains("Pulse Current: 70.2 mA"));
  EXPECT_FALSE(text.contains("mJ"));  // the pulse energy is not printed
  EXPECT_TRUE(text.contains("Current (mA)"));  // the chart, as vectors with its text
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewerTest, ThePrinterIsSetBackToPortraitAndAHiddenPanelLeavesTheChartAlone) {
  const Waveform wave = decodeCapture(sampleDefibCapture());
  TWaveChart chart;
  chart.setWaveform(wave.points, wave.pacer);
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(dataHome.path() + "/chart-only.pdf");
  pdf.setPageSize(QPageSize(QPageSize::A4));
  const PrintOutcome outcome = printWaveform(pdf, {}, chart);
  ASSERT_TRUE(outcome.started);
  ASSERT_FALSE(outcome.failure);
  EXPECT_EQ(pdf.pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_TRUE(pdfInfo(pdf.outputFileName()).contains("842 x 595 pts (A4)"));
  const QString text = pdfText(pdf.outputFileName());
  EXPECT_FALSE(text.contains("Device ID:"));
  EXPECT_TRUE(text.contains("Time (msec)"));
}

TEST_F(ViewerTest, TheWindowLosingActivationCommitsAnEdit) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  QApplication::setActiveWindow(viewer.get());
  action(*viewer, "mmDeviceID")->trigger();
  edit(*viewer)->setText("AWAY");
  QWidget elsewhere;
  elsewhere.show();
  QApplication::setActiveWindow(&elsewhere);
  QApplication::processEvents();
  EXPECT_FALSE(edit(*viewer)->isVisible());
  EXPECT_EQ(value(*viewer, "lblDeviceID"), "AWAY");
}

// A screen reader hears what the chart shows and the ranges it spans, after
// each zoom too.
TEST_F(ViewerTest, TheChartsDescriptionFollowsItsAxes) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  const auto described = [&] { return viewer->chartView()->accessibleDescription().toStdString(); };
  EXPECT_EQ(viewer->chartView()->accessibleName(), "Waveform chart");
  EXPECT_THAT(described(), ::testing::HasSubstr("Current (A) from -50 to 50"));
  EXPECT_THAT(described(), ::testing::HasSubstr("Time (msec) from 0 to"));
  EXPECT_THAT(described(), ::testing::Not(::testing::HasSubstr("<")));  // the title's markup is not read out
  action(*viewer, "tbZoomIn")->trigger();
  EXPECT_THAT(described(), ::testing::HasSubstr("Current (A) from -40 to 40"));
}

// The keyboard reads the chart as the mouse does: the arrows move a cursor from
// point to point and read out its time and current (to a screen reader too),
// Shift with an arrow pans, + and - zoom.
TEST_F(ViewerTest, TheKeyboardMovesACursorFromPointToPointPansAndZooms) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  TWaveChartView* view = viewer->chartView();
  const QList<QPointF> points = viewer->chart()->series()->points();
  EXPECT_EQ(view->cursorPoint(), -1);
  const struct {
    Qt::Key key;
    int point;  // where the cursor is then
  } moves[] = {{Qt::Key_Right, 0}, {Qt::Key_Right, 1}, {Qt::Key_Up, 11}, {Qt::Key_Left, 10},
               {Qt::Key_End, int(points.size()) - 1}, {Qt::Key_Home, 0},
               {Qt::Key_PageDown, int(points.size()) / 10}, {Qt::Key_Home, 0}};
  for (const auto& move : moves) {
    QTest::keyClick(view, move.key);
    ASSERT_EQ(view->cursorPoint(), move.point) << move.key;
  }
  QTest::keyClick(view, Qt::Key_Up);
  const QString heard = view->cursorReadOut();
  EXPECT_TRUE(heard.startsWith("Time " + QString::number(points[10].x(), 'f', 2) + " msec, Current ")) << heard.toStdString();
  EXPECT_TRUE(heard.endsWith(QString::number(points[10].y(), 'f', 2) + " A")) << heard.toStdString();

  QValueAxis* time = viewer->chart()->timeAxis();
  const auto before = range(time);
  QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_GT(time->min(), before.first);
  EXPECT_NEAR(time->max() - time->min(), before.second - before.first, 1e-6);
  const double span = time->max() - time->min();
  QTest::keyClick(view, Qt::Key_Plus);
  EXPECT_LT(time->max() - time->min(), span);
  QTest::keyClick(view, Qt::Key_Minus);
  QTest::keyClick(view, Qt::Key_Minus);
  EXPECT_GT(time->max() - time->min(), span);
}

// A screen reader speaks what takes the focus: each move of the cursor gives it
// to a new object inside the chart, named by the reading, as a list gives it to
// its next row. The chart keeps its own name. (The focus event itself needs the
// desktop's accessibility bus: the accessibility check hears it.)
TEST_F(ViewerTest, EachCursorMoveGivesAScreenReaderItsReadingAsTheFocus) {
  auto viewer = open(decodeCapture(sampleDefibCapture()));
  TWaveChartView* view = viewer->chartView();
  viewer->show();
  QApplication::setActiveWindow(viewer.get());
  view->setFocus();
  ASSERT_TRUE(view->hasFocus());
  QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(view);
  ASSERT_NE(chart, nullptr);
  QList<QAccessible::Id> focused;
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}) {
    QTest::keyClick(view, key);
    QAccessibleInterface* cursor = chart->focusChild();
    ASSERT_NE(cursor, nullptr) << key;
    EXPECT_EQ(cursor->text(QAccessible::Name), view->cursorReadOut());
    EXPECT_TRUE(cursor->state().focused);
    EXPECT_EQ(cursor->parent(), chart);
    EXPECT_EQ(chart->childCount(), 1);
    EXPECT_TRUE(chart->rect().contains(cursor->rect().center()));
    if (!focused.isEmpty()) {
      EXPECT_NE(QAccessible::uniqueId(cursor), focused.last()) << "a move is spoken only as a new focus";
      EXPECT_EQ(QAccessible::accessibleInterface(focused.last()), nullptr) << "a cursor left behind is let go";
    }
    focused << QAccessible::uniqueId(cursor);
  }
  EXPECT_EQ(chart->text(QAccessible::Name), "Waveform chart");
}
