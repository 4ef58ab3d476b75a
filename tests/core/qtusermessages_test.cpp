// The program's message box as a user sees it.
#include "core/qtusermessages.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

// Each gravity's picture is drawn from its vector picture at the screen's
// scale: at 200 % it has twice the pixels, not a small picture blown up.
TEST(QtUserMessagesTest, TheIconsAreDrawnAtTheScreensScale) {
  for (UserMessages::Icon icon : {UserMessages::Icon::Information, UserMessages::Icon::Warning, UserMessages::Icon::Error}) {
    for (qreal scale : {1.0, 1.5, 2.0}) {
      const QPixmap picture = messageIconPicture(icon, 32, scale);
      ASSERT_FALSE(picture.isNull());
      EXPECT_EQ(picture.size(), QSize(32, 32) * scale);
      EXPECT_EQ(picture.devicePixelRatio(), scale);
      EXPECT_NE(picture.toImage().pixelColor(picture.width() / 2, picture.height() / 3).alpha(), 0);  // drawn, not blank
    }
  }
  EXPECT_TRUE(messageIconPicture(UserMessages::Icon::None, 32, 2).isNull());

  // The box shows that picture, named for a screen reader.
  QtUserMessages messages;
  QPixmap shown;
  QString name;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    if (auto* label = box->findChild<QLabel*>("qt_msgboxex_icon_label")) shown = label->pixmap(), name = label->accessibleName();
    box->accept();
  });
  messages.show("The archive cannot be used.", "Archive", UserMessages::Icon::Warning, UserMessages::Buttons::Ok);
  EXPECT_FALSE(shown.isNull());
  EXPECT_EQ(shown.toImage(), messageIconPicture(UserMessages::Icon::Warning, shown.deviceIndependentSize().toSize().width(),
                                                shown.devicePixelRatio()).toImage());
  EXPECT_EQ(name, "Warning");
}
