#include "grid/gridcolours.h"

#include <QtMath>
#include <algorithm>

namespace {
double channel(double c) { return c <= 0.04045 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4); }

double luminance(const QColor& c) {
  const QColor rgb = c.toRgb();
  return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}
}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableText(const QColor& fill, const QColor& preferred) {
  if (contrastRatio(fill, preferred) >= kReadableContrast) return preferred;
  return contrastRatio(fill, Qt::black) >= contrastRatio(fill, Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

QColor readableHighlight(const QColor& highlight, const QColor& text) {
  // Away from the text's lightness, a step at a time, keeping the hue.
  const bool darken = luminance(text) > 0.18;
  QColor fill = highlight.toHsl();
  for (int step = 0; step < 100 && contrastRatio(fill, text) < kReadableContrast; ++step) {
    const int lightness = std::clamp(fill.lightness() + (darken ? -4 : 4), 0, 255);
    fill.setHsl(fill.hslHue(), fill.hslSaturation(), lightness, fill.alpha());
  }
  return fill.toRgb();
}
