#include "core/toolicons.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {
// The share of pixels a picture paints; an empty or failed render paints none.
double paintedShare(const QImage& image) {
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
  return double(painted) / (image.width() * image.height());
}
}  // namespace

// Every picture of the set renders at the tool bar's and the tab strip's sizes, and
// at twice the pixels on a scaled screen, rather than as an empty icon.
TEST(ToolIconsTest, EveryPictureOfTheSetRendersAtEachSizeAndScale) {
  const QStringList names = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")});
  ASSERT_GE(names.size(), 28);
  for (const QString& file : names) {
    const QString name = file.chopped(4);
    for (const int size : {24, 32}) {
      const QPixmap pixmap = resourceIcon(name).pixmap(QSize(size, size), 2.0);
      ASSERT_FALSE(pixmap.isNull()) << name.toStdString();
      EXPECT_EQ(pixmap.deviceIndependentSize().toSize().width() <= size, true) << name.toStdString();
      EXPECT_GT(pixmap.width(), size) << name.toStdString() << ": not drawn for the scaled screen";
      EXPECT_GT(paintedShare(pixmap.toImage()), 0.05) << name.toStdString();
    }
  }
  for (QIcon icon : {openIcon(), downloadIcon(), selectAllIcon(), viewIcon(), saveIcon(), saveCsvIcon(), printIcon(),
                     captureIcon(), zoomInIcon(), zoomOutIcon(), zoomRectIcon(), undoZoomIcon(), dataPointsIcon(),
                     newIcon(), copyIcon(), deleteIcon(), uploadIcon(), applicationIcon()})
    EXPECT_FALSE(icon.pixmap(24, 24).isNull());
}

TEST(ToolIconsTest, PicturesRenderAtTheirSizeForTheScreenAndAMissingOneIsNull) {
  const QPixmap pass = resourcePicture(QStringLiteral("pass"), QSize(40, 16), 2.0);
  EXPECT_EQ(pass.size(), QSize(80, 32));
  EXPECT_EQ(pass.deviceIndependentSize(), QSizeF(40, 16));
  EXPECT_GT(paintedShare(pass.toImage()), 0.5);
  EXPECT_TRUE(resourcePicture(QStringLiteral("no-such-picture"), QSize(16, 16), 1.0).isNull());
}
