// render-icon: draws an SVG picture as square PNG files, one per size, for the
// icon theme the program installs into. Usage: render-icon SVG OUTPUT_FOLDER SIZE...
// Each size N goes to OUTPUT_FOLDER/NxN/NAME.png, NAME being the SVG's base name.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: render-icon SVG OUTPUT_FOLDER SIZE...\n");
    return 2;
  }
  QSvgRenderer renderer(args[1]);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "render-icon: %s is not a valid SVG picture\n", qPrintable(args[1]));
    return 1;
  }
  const QString name = QFileInfo(args[1]).completeBaseName();
  for (const QString& sizeText : args.mid(3)) {
    const int size = sizeText.toInt();
    if (size <= 0) {
      std::fprintf(stderr, "render-icon: %s is not a size\n", qPrintable(sizeText));
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString folder = QStringLiteral("%1/%2x%2").arg(args[2]).arg(size);
    QDir().mkpath(folder);
    if (!image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"))) {
      std::fprintf(stderr, "render-icon: could not write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
