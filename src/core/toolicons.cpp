#include "core/toolicons.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QSvgRenderer>

namespace {
// Each icon is made once and shared: making one parses its SVG file, and the
// shared icon keeps the pixmaps it has drawn, so a viewer opened again draws its
// tool bar from them. The cache lives as long as the application object.
class IconCache : public QObject {
 public:
  using QObject::QObject;
  QHash<QString, QIcon> icons;
};
}  // namespace

// The pictures are SVG files in the program's resources, drawn to one style; QIcon
// renders them sharp at any size and screen scale.
QIcon resourceIcon(const QString& name) {
  const auto make = [&name] { return QIcon(QStringLiteral(":/icons/%1.svg").arg(name)); };
  static QPointer<IconCache> cache;
  if (!cache) {
    if (!QCoreApplication::instance()) return make();
    cache = new IconCache(QCoreApplication::instance());
  }
  auto it = cache->icons.constFind(name);
  if (it == cache->icons.constEnd()) it = cache->icons.insert(name, make());
  return *it;
}

QPixmap resourcePicture(const QString& name, const QSize& size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
  if (!renderer.isValid()) return {};
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

QIcon openIcon() { return resourceIcon(QStringLiteral("open")); }
QIcon downloadIcon() { return resourceIcon(QStringLiteral("download")); }
QIcon selectAllIcon() { return resourceIcon(QStringLiteral("selectall")); }
QIcon viewIcon() { return resourceIcon(QStringLiteral("view")); }
QIcon saveIcon() { return resourceIcon(QStringLiteral("save")); }
QIcon saveCsvIcon() { return resourceIcon(QStringLiteral("savecsv")); }
QIcon printIcon() { return resourceIcon(QStringLiteral("print")); }
QIcon captureIcon() { return resourceIcon(QStringLiteral("capture")); }
QIcon zoomInIcon() { return resourceIcon(QStringLiteral("zoomin")); }
QIcon zoomOutIcon() { return resourceIcon(QStringLiteral("zoomout")); }
QIcon zoomRectIcon() { return resourceIcon(QStringLiteral("zoomrect")); }
QIcon undoZoomIcon() { return resourceIcon(QStringLiteral("undozoom")); }
QIcon dataPointsIcon() { return resourceIcon(QStringLiteral("datapoints")); }
QIcon newIcon() { return resourceIcon(QStringLiteral("new")); }
QIcon copyIcon() { return resourceIcon(QStringLiteral("copy")); }
QIcon deleteIcon() { return resourceIcon(QStringLiteral("delete")); }
QIcon uploadIcon() { return resourceIcon(QStringLiteral("upload")); }
QIcon applicationIcon() { return resourceIcon(QStringLiteral("kalyx5pc")); }
