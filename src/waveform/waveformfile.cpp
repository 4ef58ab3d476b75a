#include "waveform/waveformfile.h"

#include "core/text8bit.h"
#include "waveform/commatext.h"

#include <QDir>

namespace {
using Text = QString WaveInfo::*;

// The fields of the header after the six common ones, in the file's order.
const Text kPacerFields[] = {&WaveInfo::pulseCurrent, &WaveInfo::method, &WaveInfo::pulseWidth, &WaveInfo::pulseRate,
                             &WaveInfo::testLoad};
const Text kDefibFields[] = {&WaveInfo::ampsP1, &WaveInfo::voltsP1, &WaveInfo::energy, &WaveInfo::width10,
                             &WaveInfo::width50};
const Text kCaptureFields[] = {&WaveInfo::ampsA1,  &WaveInfo::ampsP2, &WaveInfo::ampsA2, &WaveInfo::voltsA1,
                               &WaveInfo::voltsP2, &WaveInfo::voltsA2, &WaveInfo::energy1, &WaveInfo::width2,
                               &WaveInfo::freq,    &WaveInfo::duty,   &WaveInfo::tilt,   &WaveInfo::delay,
                               &WaveInfo::energy2};
const Text kCommonFields[] = {&WaveInfo::deviceId,   &WaveInfo::date,       &WaveInfo::testType,
                              &WaveInfo::testNumber, &WaveInfo::resolution, &WaveInfo::sampleInterval};
constexpr int kShortHeader = 11;
constexpr int kCaptureHeader = 24;

bool isPacerInfo(const WaveInfo& info) { return info.testType == pacerTestTypeText(); }
bool isCaptureInfo(const WaveInfo& info) { return info.resolution == QLatin1String("13-bit"); }

QStringList splitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) continue;
    lines << text.mid(start, i - start);
    if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines << text.mid(start);
  return lines;
}
}  // namespace

QStringList waveformHeaderFields(const WaveInfo& info) {
  QStringList fields;
  for (Text text : kCommonFields) fields << info.*text;
  if (isPacerInfo(info)) {
    for (Text text : kPacerFields) fields << info.*text;
    return fields;
  }
  for (Text text : kDefibFields) fields << info.*text;
  if (isCaptureInfo(info))
    for (Text text : kCaptureFields) fields << info.*text;
  return fields;
}

QByteArray waveformFileBytes(const WaveInfo& info, const QList<QPointF>& points, QChar decimalPoint,
                             const char* codec) {
  QString text = writeCommaText(waveformHeaderFields(info)) + QStringLiteral("\r\n");
  for (const QPointF& point : points)
    text += writeCommaText({generalNumberText(point.x(), decimalPoint), generalNumberText(point.y(), decimalPoint)}) +
            QStringLiteral("\r\n");
  return encodeFileText(text, codec);
}

QString WaveformFileError::message(const QString& path) const {
  return QStringLiteral("%1 is not a valid waveform file: line %2: %3").arg(QDir::toNativeSeparators(path)).arg(line).arg(reason);
}

std::variant<Waveform, WaveformFileError> readWaveformFile(const QByteArray& bytes, QChar decimalPoint,
                                                           const char* codec) {
  const QStringList lines = splitLines(decodeFileText(bytes, codec));
  Waveform wave;
  if (lines.size() < 2) return wave;

  const QStringList header = readCommaText(lines[0]);
  if (header.size() >= kShortHeader) {
    WaveInfo& info = wave.info;
    int field = 0;
    for (Text text : kCommonFields) info.*text = header[field++];
    wave.pacer = isPacerInfo(info);
    if (wave.pacer) {
      for (Text text : kPacerFields) info.*text = header[field++];
    } else {
      for (Text text : kDefibFields) info.*text = header[field++];
      if (isCaptureInfo(info)) {
        if (header.size() < kCaptureHeader)
          return WaveformFileError{1, QStringLiteral("a 13-bit header needs %1 fields, this one has %2.")
                                          .arg(kCaptureHeader)
                                          .arg(header.size())};
        for (Text text : kCaptureFields) info.*text = header[field++];
      }
    }
  }

  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList fields = readCommaText(lines[i]);
    if (fields.size() != 2) continue;
    double values[2] = {0, 0};
    for (int f = 0; f < 2; ++f)
      if (!readGeneralNumber(fields[f], decimalPoint, &values[f]))
        return WaveformFileError{int(i + 1), QStringLiteral("\"%1\" is not a number.").arg(fields[f].left(40))};
    wave.points.append(QPointF(values[0], values[1]));
  }
  return wave;
}
