#include "app/helpwindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTreeView>
#include <QTest>
#include <gtest/gtest.h>

#include "support/waituntil.h"

namespace {
// The help the build lays beside the program.
const QString kProgramFolder = QStringLiteral(KALYX_BINARY_DIR "/src/app/");
const QStringList kPages = {"QalHelp.html", "QalAutosequenceEditHelp.html", "QalTestReportHelp.html",
                            "QalWaveformViewerHelp.html", "QalArchiveHelp.html"};

HelpSource builtCollection() { return {kProgramFolder + "kalyx5pc.qhc", QString()}; }
HelpSource plainPagesOnly() { return {kProgramFolder + "no-such.qhc", kProgramFolder + "kalyx5pc-help"}; }

QTextBrowser* browserOf(THelpWindow& w) { return w.findChild<QTextBrowser*>("HelpBrowser"); }

// The pictures a shown page refers to that cannot be read.
QStringList missingImages(QTextBrowser* browser) {
  QStringList missing;
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QString name = format.toImageFormat().name();
      const QUrl url = browser->source().resolved(QUrl(name));
      if (browser->loadResource(QTextDocument::ImageResource, url).toByteArray().isEmpty()) missing << name;
    }
  return missing;
}
}  // namespace

TEST(HelpWindowTest, ShowsEveryPageOfTheCollectionWithItsPictures) {
  std::unique_ptr<THelpWindow> window(THelpWindow::open(builtCollection()));
  ASSERT_TRUE(window) << "the build's help collection is missing";
  EXPECT_EQ(window->windowTitle(), "Kalyx 5pc Help");
  EXPECT_TRUE(window->findChild<QWidget*>("HelpContents"));
  EXPECT_TRUE(window->findChild<QWidget*>("HelpIndex"));
  for (const QString& page : kPages) {
    ASSERT_TRUE(window->showPage(page)) << page.toStdString();
    EXPECT_EQ(window->currentPage(), page);
    EXPECT_GT(browserOf(*window)->toPlainText().size(), 500) << page.toStdString();
    EXPECT_EQ(missingImages(browserOf(*window)), QStringList()) << page.toStdString();
  }
}

TEST(HelpWindowTest, LinksBetweenPagesWorkAndBackAndForwardRetraceThem) {
  std::unique_ptr<THelpWindow> pages(THelpWindow::open(builtCollection()));
  ASSERT_TRUE(pages);
  // Every link of every page leads to a page of the help.
  for (const QString& page : kPages) {
    ASSERT_TRUE(pages->showPage(page));
    const QString html = browserOf(*pages)->toHtml();
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
    int links = 0;
    for (auto m = href.globalMatch(html); m.hasNext(); ++links) {
      const QString target = QUrl(m.next().captured(1)).fileName();
      EXPECT_TRUE(kPages.contains(target)) << page.toStdString() << " links to " << target.toStdString();
    }
    EXPECT_GE(links, 2) << page.toStdString();
  }

  std::unique_ptr<THelpWindow> window(THelpWindow::open(builtCollection()));
  QTextBrowser* browser = browserOf(*window);
  window->showPage("QalWaveformViewerHelp.html");
  browser->setSource(browser->source().resolved(QUrl("QalTestReportHelp.html")));
  EXPECT_EQ(window->currentPage(), "QalTestReportHelp.html");
  QAction* back = window->findChild<QAction*>("mmHelpBack");
  QAction* forward = window->findChild<QAction*>("mmHelpForward");
  ASSERT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_EQ(window->currentPage(), "QalWaveformViewerHelp.html");
  EXPECT_TRUE(forward->isEnabled());
  forward->trigger();
  EXPECT_EQ(window->currentPage(), "QalTestReportHelp.html");
  window->findChild<QAction*>("mmHelpHome")->trigger();
  EXPECT_EQ(window->currentPage(), "QalHelp.html");
}

TEST(HelpWindowTest, TheContentsOpenFullyMarkThePageAndOneClickShowsATitle) {
  std::unique_ptr<THelpWindow> window(THelpWindow::open(builtCollection()));
  ASSERT_TRUE(window);
  window->show();
  ASSERT_TRUE(window->showPage("QalAutosequenceEditHelp.html"));
  auto* contents = window->findChild<QTreeView*>("HelpContents");
  ASSERT_TRUE(waitUntil([&] { return contents->model()->rowCount() > 0; }, 5000));
  const QModelIndex start = contents->model()->index(0, 0);
  ASSERT_EQ(contents->model()->rowCount(start), kPages.size() - 1);  // every page below the start page
  EXPECT_TRUE(contents->isExpanded(start));
  EXPECT_EQ(contents->currentIndex().data().toString(), "Editing an autosequence");
  const QModelIndex reports = contents->model()->index(1, 0, start);
  EXPECT_EQ(reports.data().toString(), "Test reports");
  QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualRect(reports).center());
  EXPECT_EQ(window->currentPage(), "QalTestReportHelp.html");
  EXPECT_EQ(contents->currentIndex().data().toString(), "Test reports");
}

TEST(HelpWindowTest, PlainPagesServeWhereTheCollectionIsMissing) {
  std::unique_ptr<THelpWindow> window(THelpWindow::open(plainPagesOnly()));
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->findChild<QWidget*>("HelpContents"));
  ASSERT_TRUE(window->showPage("QalWaveformViewerHelp.html"));
  EXPECT_EQ(window->currentPage(), "QalWaveformViewerHelp.html");
  EXPECT_TRUE(browserOf(*window)->toPlainText().contains("Zoom Rectangle"));
  EXPECT_EQ(missingImages(browserOf(*window)), QStringList());
}

TEST(HelpWindowTest, AMissingHelpFileOrPageIsIgnored) {
  EXPECT_EQ(THelpWindow::open({"/nonexistent/kalyx5pc.qhc", "/nonexistent/kalyx5pc-help"}), nullptr);
  HelpWindowViewer nothing({"/nonexistent/kalyx5pc.qhc", "/nonexistent/kalyx5pc-help"});
  nothing.showPage("QalHelp.html");
  EXPECT_EQ(nothing.window(), nullptr);
  nothing.closeAll();

  for (const HelpSource& source : {builtCollection(), plainPagesOnly()}) {
    HelpWindowViewer viewer(source);
    viewer.showPage("NoSuchPage.html");
    EXPECT_TRUE(!viewer.window() || !viewer.window()->isVisible());
    viewer.showPage("QalHelp.html");
    ASSERT_TRUE(viewer.window());
    EXPECT_TRUE(viewer.window()->isVisible());
    viewer.showPage("NoSuchPage.html");  // the page shown stays
    EXPECT_EQ(viewer.window()->currentPage(), "QalHelp.html");
    viewer.closeAll();
    EXPECT_FALSE(viewer.window()->isVisible());
  }
}

// Each page's headings and links, beside it in "On This Page", as a screen
// reader hears them; Enter on a link follows it, on a heading goes to it.
TEST(HelpWindowTest, ThePagesHeadingsAndLinksAreListedAndFollowed) {
  std::unique_ptr<THelpWindow> window(THelpWindow::open(builtCollection()));
  ASSERT_TRUE(window);
  ASSERT_TRUE(window->showPage("QalArchiveHelp.html"));
  auto* outline = window->findChild<QTreeWidget*>("HelpOutline");
  ASSERT_TRUE(outline);
  QStringList heard;
  QTreeWidgetItem* link = nullptr;
  QTreeWidgetItem* heading = nullptr;
  for (QTreeWidgetItemIterator it(outline); *it; ++it) {
    heard << (*it)->data(0, Qt::AccessibleTextRole).toString();
    if (heard.last().startsWith("Link, ") && !link) link = *it;
    if (heard.last() == "Heading 2, Backing up") heading = *it;
  }
  EXPECT_EQ(heard.first(), "Heading 1, The archive");
  EXPECT_TRUE(heard.contains("Heading 2, Near a limit")) << heard.join(" | ").toStdString();
  EXPECT_TRUE(heard.contains("Link, Kalyx 5pc Help")) << heard.join(" | ").toStdString();
  ASSERT_TRUE(heading && link);

  QTextBrowser* browser = browserOf(*window);
  emit outline->itemActivated(heading, 0);
  EXPECT_TRUE(browser->textCursor().block().text().startsWith("Backing up"));
  emit outline->itemActivated(link, 0);
  EXPECT_NE(window->currentPage(), "QalArchiveHelp.html");
}
