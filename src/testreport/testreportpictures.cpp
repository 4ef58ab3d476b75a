#include "testreport/testreportpictures.h"

#include "core/toolicons.h"

#include <QGuiApplication>

namespace {
QPixmap picture(const char* name, int w, int h) {
  return resourcePicture(QString::fromLatin1(name), QSize(w, h), qApp->devicePixelRatio());
}
}  // namespace

QPixmap passPicture() { return picture("pass", 40, 16); }
QPixmap failPicture() { return picture("fail", 40, 16); }
QPixmap searchPicture() { return picture("search", 16, 16); }
QPixmap searchCancelActivePicture() { return picture("search-cancel-active", 16, 16); }
QPixmap searchCancelInactivePicture() { return picture("search-cancel-inactive", 16, 16); }
