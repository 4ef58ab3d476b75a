#include "app/qalabout.h"
#include "core/versioninfo.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QAccessible>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct AboutBox {
  QList<QUrl> opened;
  TQalAbout box;
  explicit AboutBox(const VersionInfo& info = programVersionInfo())
      : box(info, [this](const QUrl& url) { opened.append(url); }, nullptr) {}
  QLabel* label(const char* name) { return box.findChild<QLabel*>(name); }
  QWidget* widget(const char* name) { return box.findChild<QWidget*>(name); }
  QPushButton* button(const char* name) { return box.findChild<QPushButton*>(name); }
};
}  // namespace

TEST(AboutBoxTest, ShowsTheVersionAndLegalNoticeOfTheBuild) {
  AboutBox about;
  EXPECT_EQ(about.box.windowTitle(), "About Kalyx 5pc");
  EXPECT_EQ(about.box.size(), QSize(303, 312));
  EXPECT_EQ(about.label("lblVersion")->text(), "Version 2.0.2.0");
  EXPECT_TRUE(about.label("lblVersion")->font().bold());
  EXPECT_EQ(about.label("lblVersion")->geometry(), QRect(4, 88, 299, 18));
  EXPECT_EQ(about.label("lblCopyright")->text(), programVersionInfo().legalCopyright);
  EXPECT_TRUE(about.label("lblCopyright")->text().startsWith("Copyright"));
  // The notice fits the box's width in the platform's font.
  EXPECT_LE(about.label("lblCopyright")->geometry().right(), 303);
  EXPECT_EQ(about.label("lblCopyright")->pos(), QPoint(10, 112));
  auto* details = about.box.findChild<QPlainTextEdit*>("txtDetails");
  EXPECT_EQ(details->toPlainText().split('\n').size(), 8);
  EXPECT_TRUE(details->isReadOnly());
  EXPECT_EQ(details->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(about.label("Label1")->text(), "Website:");
  EXPECT_EQ(about.label("lblWebsite")->toolTip(), "Open Velmora website");
  EXPECT_EQ(about.widget("imgVelmoraLogo")->geometry(), QRect(8, 0, 153, 49));
  EXPECT_EQ(about.widget("Image1")->geometry(), QRect(89, 48, 129, 41));
  EXPECT_FALSE(about.label("imgVelmoraLogo")->pixmap().isNull());  // drawn from the resources
  EXPECT_FALSE(about.label("Image1")->pixmap().isNull());
  EXPECT_EQ(about.button("btnMore")->geometry(), QRect(16, 275, 83, 25));
  EXPECT_EQ(about.button("btnOK")->geometry(), QRect(208, 275, 83, 25));
  EXPECT_TRUE(about.button("btnOK")->isDefault());
}

TEST(AboutBoxTest, MissingVersionValuesGiveEmptyLabels) {
  AboutBox about{VersionInfo{}};
  EXPECT_EQ(about.label("lblVersion")->text(), "");
  EXPECT_EQ(about.label("lblCopyright")->text(), "");
}

TEST(AboutBoxTest, MoreShowsTheAcknowledgmentsAndBackReturns) {
  AboutBox about;
  about.box.show();
  QWidget* panelAbout = about.widget("panelAbout");
  QWidget* panelMore = about.widget("panelMore");
  EXPECT_TRUE(panelAbout->isVisible());
  EXPECT_FALSE(panelMore->isVisible());
  about.button("btnMore")->click();
  EXPECT_FALSE(panelAbout->isVisible());
  EXPECT_TRUE(panelMore->isVisible());
  EXPECT_EQ(about.button("btnMore")->text(), "Back");
  EXPECT_EQ(about.label("Label4")->text(), "Acknowledgments");
  EXPECT_EQ(about.label("Label2")->text(), "Icons provided by");
  // The full stop never overlaps the credit, whatever the font.
  EXPECT_GT(about.label("Label3")->x(), about.label("lblIconCredit")->geometry().right());
  about.button("btnMore")->click();
  EXPECT_TRUE(panelAbout->isVisible());
  EXPECT_FALSE(panelMore->isVisible());
  EXPECT_EQ(about.button("btnMore")->text(), "More");
}

TEST(AboutBoxTest, LinksOpenTheirAddressesWithTheLeftButtonOnly) {
  AboutBox about;
  about.box.show();
  QTest::mouseClick(about.label("lblWebsite"), Qt::RightButton);
  EXPECT_TRUE(about.opened.isEmpty());
  QTest::mouseClick(about.label("lblWebsite"), Qt::LeftButton);
  about.button("btnMore")->click();
  QTest::mouseClick(about.label("lblIconCredit"), Qt::LeftButton);
  ASSERT_EQ(about.opened.size(), 2);
  EXPECT_EQ(about.opened[0], TQalAbout::websiteAddress());
  EXPECT_EQ(about.opened[1], TQalAbout::iconCreditAddress());
  for (const char* link : {"lblWebsite", "lblIconCredit"}) {
    QLabel* label = about.label(link);
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    // Drawn in blue, not only given a blue palette.
    const QImage drawn = label->grab().toImage();
    int bluePixels = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) {
        const QColor c = drawn.pixelColor(x, y);
        bluePixels += c.blue() > 150 && c.red() < 100 && c.green() < 100;
      }
    EXPECT_GT(bluePixels, 10) << link << " is not drawn in the link colour";
    // A screen reader knows it as a link, even where the desktop asked for it early.
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(label);
    ASSERT_TRUE(heard);
    EXPECT_EQ(heard->role(), QAccessible::Link) << link;
  }
}

TEST(AboutBoxTest, OkClosesWithTheOkResult) {
  AboutBox about;
  about.box.show();
  QTest::keyClick(&about.box, Qt::Key_Return);
  EXPECT_EQ(about.box.result(), QDialog::Accepted);
  EXPECT_FALSE(about.box.isVisible());
}
