#include "maintenance/forecast.h"

#include "maintenance/datelist.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kLimit = 1.0;     // the whole of the limit used
constexpr double kNoDrift = 0.01;  // a line that moves less over the tests' span is flat
constexpr int kForecastMaxYears = 10;

QString monthText(const QDate& date) { return QLocale::c().toString(date, QStringLiteral("MMM yyyy")); }

// The line y = a + b x through (x, y) by least squares, and the share of the
// spread of y it explains (R²); none where every x is the same.
struct Line {
  double a = 0, b = 0, fit = 0;
};
std::optional<Line> fitLine(const QList<double>& x, const QList<double>& y) {
  const double n = double(x.size());
  double mx = 0, my = 0;
  for (qsizetype i = 0; i < x.size(); ++i) mx += x[i], my += y[i];
  mx /= n, my /= n;
  double sxx = 0, sxy = 0, syy = 0;
  for (qsizetype i = 0; i < x.size(); ++i) {
    sxx += (x[i] - mx) * (x[i] - mx);
    sxy += (x[i] - mx) * (y[i] - my);
    syy += (y[i] - my) * (y[i] - my);
  }
  if (sxx <= 0) return std::nullopt;
  Line line;
  line.b = sxy / sxx;
  line.a = my - line.b * mx;
  line.fit = syy > 0 ? sxy * sxy / (sxx * syy) : 0;
  return line;
}

// Where a value stands against its limit, signed: an energy's distance from
// its target as a share of the tolerance (below the target negative, so that a
// drift through the target stays one straight line), a charge time as a share
// of its maximum.
double signedShare(const HistoryPoint& p) {
  if (!p.isEnergy()) return p.limitShare();
  return (p.measured - p.target) / (p.target * p.tolerance / 100.0);
}

Forecast forecastOf(const QList<HistoryPoint*>& series) {
  const HistoryPoint& latest = *series.last();
  Forecast f;
  f.value = valueName(latest);
  f.test = latest.test;
  f.limit = limitText(latest);
  const QList<HistoryPoint*> last = series.mid(std::max<qsizetype>(0, series.size() - kForecastMaxTests));
  f.tests = int(last.size());
  f.from = last.first()->tested.date();
  f.to = latest.tested.date();
  if (f.tests < kForecastMinTests) {
    f.why = QStringLiteral("too few tests (%1; it takes %2)").arg(f.tests).arg(kForecastMinTests);
    return f;
  }
  if (f.from.daysTo(f.to) < kForecastMinDays) {
    f.why = QStringLiteral("its tests span %1 days (it takes %2)").arg(f.from.daysTo(f.to)).arg(kForecastMinDays);
    return f;
  }
  QList<double> x, y;
  for (const HistoryPoint* p : last) x << double(f.from.daysTo(p->tested.date())), y << signedShare(*p);
  const std::optional<Line> line = fitLine(x, y);
  // The limit the line moves towards: an energy's upper or lower edge, a charge time's maximum.
  const double limit = line && line->b < 0 && latest.isEnergy() ? -kLimit : kLimit;
  const double span = x.last() - x.first();
  if (!line || line->b * limit * span < kNoDrift) {
    f.why = QStringLiteral("no drift towards its limit");
    return f;
  }
  if (line->fit < kForecastMinFit) {
    f.why = QStringLiteral("its tests scatter too much for a trend (the line explains %1 % of their spread; it "
                           "takes %2 %)")
                .arg(std::lround(line->fit * 100))
                .arg(std::lround(kForecastMinFit * 100));
    return f;
  }
  if ((line->a + line->b * x.last()) * limit >= kLimit) {  // the near-limit mark says so already
    f.why = QStringLiteral("it is at its limit already");
    return f;
  }
  // The first day on which the line has reached the limit (a whole day's
  // rounding error is not a day).
  const double days = std::ceil((limit - line->a) / line->b - 1e-6);
  if (days > x.last() + kForecastMaxYears * 366.0) {
    f.why = QStringLiteral("its line does not reach the limit within %1 years").arg(kForecastMaxYears);
    return f;
  }
  f.reaches = f.from.addDays(qint64(days));
  // Back from the share of the limit to the value's unit.
  const auto value = [&latest](double share) {
    return latest.isEnergy() ? latest.target + share * latest.target * latest.tolerance / 100.0 : share * latest.maximum;
  };
  f.startValue = value(line->a);
  f.limitValue = value(limit);
  return f;
}
}  // namespace

QString Forecast::text() const {
  if (!reaches) return QStringLiteral("%1: no forecast, %2").arg(value, why);
  return QStringLiteral("%1 is expected to reach its limit (%2) in %3 (a straight line through its last %4 tests, %5)")
      .arg(value, limit, monthText(*reaches))
      .arg(tests)
      .arg(dateListText({from}) + QStringLiteral(" to ") + dateListText({to}));
}

QList<Forecast> forecasts(QList<HistoryPoint> points) {
  QList<Forecast> all;
  for (const QList<HistoryPoint*>& series : limitSeries(points)) all << forecastOf(series);
  return all;
}

bool forecastMarks(const Forecast& forecast, const QDate& nextDue, int intervalMonths) {
  return forecast.reaches && *forecast.reaches < nextDue.addMonths(intervalMonths);
}

QList<Forecast> markingForecasts(const QList<Forecast>& all, const QDate& nextDue, int intervalMonths) {
  QList<Forecast> marking;
  for (const Forecast& f : all)
    if (forecastMarks(f, nextDue, intervalMonths)) marking << f;
  std::stable_sort(marking.begin(), marking.end(),
                   [](const Forecast& a, const Forecast& b) { return *a.reaches < *b.reaches; });
  return marking;
}
