#include "autoseq/autoseqeditrules.h"

#include "analyzer/codetables.h"
#include "autoseq/autoseqrecord.h"

#include <QRegularExpression>

namespace {
QString codeWithoutBlanks(int wave) { return ecgWaveCode(unsigned(wave)).remove(QLatin1Char(' ')); }

QString withoutBlanks(const QString& text) { return QString(text).remove(QLatin1Char(' ')); }

int numberOrZero(const QString& digits) {
  bool ok = false;
  const int value = digits.toInt(&ok, 10);
  return ok ? value : 0;
}
}  // namespace

QString waveItemText(int wave) {
  return ecgWaveTitle(unsigned(wave)) + QStringLiteral(" (") + codeWithoutBlanks(wave) + QLatin1Char(')');
}

QString ecgPerformanceWaveItemText(int wave) {
  if (wave < 43 || wave > 57) return waveItemText(wave);
  return ecgWaveTitle(unsigned(wave)) + QStringLiteral("/60BPM (") + codeWithoutBlanks(wave) + QLatin1Char(')');
}

std::optional<int> readIntegerText(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

int integerTextOrZero(const QString& text) { return readIntegerText(text).value_or(0); }

QString sensitivityLimitText(quint16 hundredths) {
  QString digits = QString::number(hundredths == 0 ? 200 : hundredths);
  while (digits.size() <= 2) digits.prepend(QLatin1Char('0'));
  return digits.insert(digits.size() - 2, QLatin1Char('.'));
}

int sensitivityLimitFromText(const QString& text) {
  const QString bare = withoutBlanks(text);
  const qsizetype point = bare.indexOf(QLatin1Char('.'));
  if (point < 0) return numberOrZero(bare) * 100;
  QString fraction = bare.mid(point + 1).left(2);
  while (fraction.size() < 2) fraction.append(QLatin1Char('0'));
  return numberOrZero(bare.left(point)) * 100 + numberOrZero(fraction);
}

std::optional<double> readSensitivityText(const QString& text) {
  static const QRegularExpression kNumber(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
  const QString bare = withoutBlanks(text);
  if (!kNumber.match(bare).hasMatch()) return std::nullopt;
  return bare.toDouble();  // QString reads with the C locale: the point is the separator
}

int triggerModeIndex(quint8 deviceCode, quint8 triggerMode) {
  return deviceCode == autoseq::Aed ? 1 : triggerMode;
}

int autoTestTimerIndex(quint8 deviceCode) {
  switch (deviceCode) {
    case autoseq::DefibTimerOff: return 0;
    case autoseq::Aed: return 2;
    default: return deviceCode - 2;  // 3, 4, 5 give 1, 2, 3
  }
}

quint8 deviceCodeOfTimer(int timerIndex) { return quint8(timerIndex != 0 ? timerIndex + 2 : 1); }
