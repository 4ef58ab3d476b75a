#include "waveform/chartdescription.h"

#include "core/accessiblerole.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QTextDocumentFragment>
#include <QValueAxis>

QString chartDescription(const QChart* chart) {
  QStringList axes;
  for (const QAbstractAxis* axis : chart->axes()) {
    if (auto* value = qobject_cast<const QValueAxis*>(axis))
      axes << QStringLiteral("%1 from %2 to %3").arg(value->titleText()).arg(value->min(), 0, 'g', 6).arg(value->max(), 0, 'g', 6);
    else if (auto* dates = qobject_cast<const QDateTimeAxis*>(axis))
      axes << QStringLiteral("%1 from %2 to %3")
                  .arg(dates->titleText(), dates->min().toString(QStringLiteral("MMM dd, yyyy")),
                       dates->max().toString(QStringLiteral("MMM dd, yyyy")));
  }
  // The title's lines (it may be rich text) as one plain line.
  QString title = QTextDocumentFragment::fromHtml(chart->title()).toPlainText();
  title = title.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(", ")).simplified();
  if (!title.isEmpty()) title += QStringLiteral(": ");
  return title + axes.join(QStringLiteral("; "));
}

namespace {
const char kValues[] = "kalyxChartValues";

void describe(QChartView* view) {
  const QString values = view->property(kValues).toString();
  view->setAccessibleDescription(chartDescription(view->chart()) +
                                 (values.isEmpty() ? QString() : QStringLiteral(". ") + values));
}
}  // namespace

void setChartValuesText(QChartView* view, const QString& values) {
  view->setProperty(kValues, values);
  describe(view);
}

void describeChartView(QChartView* view, const QString& name) {
  setAccessibleRole(view, QAccessible::Chart);
  view->setAccessibleName(name);
  QChart* chart = view->chart();
  const auto describe = [view] { ::describe(view); };
  // Axes come and go with a new history; each new one is followed as it comes.
  const auto follow = [chart, view, describe] {
    for (QAbstractAxis* axis : chart->axes()) {
      if (axis->property("kalyxDescribed").toBool()) continue;
      axis->setProperty("kalyxDescribed", true);
      if (auto* value = qobject_cast<QValueAxis*>(axis))
        QObject::connect(value, &QValueAxis::rangeChanged, view, describe);
      else if (auto* dates = qobject_cast<QDateTimeAxis*>(axis))
        QObject::connect(dates, &QDateTimeAxis::rangeChanged, view, describe);
    }
    describe();
  };
  follow();
  QObject::connect(chart, &QChart::plotAreaChanged, view, follow);
}
