#include "support/wavebuilders.h"
#include "waveform/commatext.h"
#include "waveform/samplewaves.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformfile.h"

#include <gtest/gtest.h>

void PrintTo(const WaveInfo& info, std::ostream* os) {
  for (const InfoRow& row : infoRows(false) + infoRows(true))
    if (row.text) *os << row.control << "=\"" << (info.*row.text).toStdString() << "\" ";
}

namespace {
const Waveform& asWaveform(const std::variant<Waveform, WaveformFileError>& read) {
  static const Waveform none;
  if (const auto* error = std::get_if<WaveformFileError>(&read)) {
    ADD_FAILURE() << error->message("file").toStdString();
    return none;
  }
  return std::get<Waveform>(read);
}

WaveformFileError asError(const std::variant<Waveform, WaveformFileError>& read) {
  if (const auto* error = std::get_if<WaveformFileError>(&read)) return *error;
  ADD_FAILURE() << "the file was read";
  return {};
}
}  // namespace

TEST(CommaText, QuotesWhatNeedsItAndReadsItBack) {
  const QStringList fields = {"a,b", "say \"hi\"", "two words", "", "plain", "tab\there"};
  const QString line = writeCommaText(fields);
  EXPECT_EQ(line, "\"a,b\",\"say \"\"hi\"\"\",\"two words\",,plain,\"tab\there\"");
  EXPECT_EQ(readCommaText(line), fields);
  EXPECT_EQ(writeCommaText({""}), "\"\"");
  EXPECT_EQ(readCommaText("\"\""), QStringList{""});
  EXPECT_EQ(writeCommaText({"a", ""}), "a,\"\"");  // an empty last field comes back
  EXPECT_EQ(readCommaText(writeCommaText({"a", ""})), (QStringList{"a", ""}));
  EXPECT_EQ(writeCommaText({}), "");
}

TEST(CommaText, ReadingBlanksCommasAndOddEnds) {
  EXPECT_EQ(readCommaText("1.5 2.5"), (QStringList{"1.5", "2.5"}));  // an unquoted blank ends a field
  EXPECT_EQ(readCommaText("  x  ,  y  "), (QStringList{"x", "y"}));
  EXPECT_EQ(readCommaText("a,,b"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(readCommaText("a,"), QStringList{"a"});  // a comma that ends the line adds no field
  EXPECT_EQ(readCommaText("a,,"), (QStringList{"a", ""}));
  EXPECT_EQ(readCommaText(""), QStringList{});
  EXPECT_EQ(readCommaText("\"open to the end"), QStringList{"open to the end"});
  EXPECT_EQ(readCommaText("\"ab\"cd"), (QStringList{"ab", "cd"}));
  EXPECT_EQ(readCommaText(QString("a") + QChar(0) + ",b"), QStringList{"a"});  // a NUL ends the line
}

TEST(WaveformFile, TheHeaderOfAStoredPulseAndItsFirstPoints) {
  WaveRecord w = makeWaveRecord("ICU, 7", {5, 3, 14, 13, 7, 9}, 0x52);
  w.setU16(waverec::PeakVoltage, 1834), w.setU16(waverec::PeakCurrent, 3250), w.setU16(waverec::Energy, 1500);
  w.setU16(waverec::Width10, 600), w.setU16(waverec::Width50, 5), w.setU8(waverec::IntervalFlag, 1);
  setWaveSample(w, 1, -64);
  const Waveform wave = decodeWaveRecord(w);
  const QByteArray bytes = waveformFileBytes(wave.info, wave.points, QLatin1Char('.'));
  const QList<QByteArray> lines = bytes.split('\n');
  ASSERT_EQ(lines.size(), 1279 + 2);  // the header, the points, and nothing after the last line end
  EXPECT_EQ(lines[0], "\"ICU, 7\",\"Mar 05, 2014 01:07:09 PM\",Cardioversion,5,8-bit,\"45.6 us\",\"32.50 A\","
                      "\"1834 V\",\"150.0 J\",\"6.00 msec\",\".05 msec\"\r");
  EXPECT_EQ(lines[1], "0,0\r");
  EXPECT_EQ(lines[2], "0.0456,-16.3779527559055\r");  // 15 significant digits
  EXPECT_EQ(lines[1280], "");
}

TEST(WaveformFile, EachPathComesBackTheSameAndIsWrittenAgainByteForByte) {
  const Waveform paths[] = {decodeWaveRecord(sampleWaveRecords().at(2)), decodeCapture(sampleDefibCapture()),
                            decodeCapture(samplePacerCapture())};
  for (const Waveform& wave : paths) {
    const QByteArray bytes = waveformFileBytes(wave.info, wave.points);
    const Waveform read = asWaveform(readWaveformFile(bytes));
    WaveInfo expected = wave.info;
    expected.pulseEnergy.clear();  // the one text a file does not carry
    EXPECT_EQ(read.info, expected);
    EXPECT_EQ(read.pacer, wave.pacer);
    ASSERT_EQ(read.points.size(), wave.points.size());
    for (qsizetype i = 0; i < wave.points.size(); ++i) {
      ASSERT_NEAR(read.points[i].x(), wave.points[i].x(), 1e-12);
      ASSERT_NEAR(read.points[i].y(), wave.points[i].y(), 1e-12 * qMax(1.0, qAbs(wave.points[i].y())));
    }
    EXPECT_EQ(waveformFileBytes(read.info, read.points), bytes);
  }
}

TEST(WaveformFile, TheHeaderLengthFollowsThePath) {
  EXPECT_EQ(waveformHeaderFields(decodeWaveRecord(sampleWaveRecords().at(0)).info).size(), 11);
  EXPECT_EQ(waveformHeaderFields(decodeCapture(sampleDefibCapture()).info).size(), 24);
  const QStringList pacer = waveformHeaderFields(decodeCapture(samplePacerCapture()).info);
  ASSERT_EQ(pacer.size(), 11);
  EXPECT_EQ(pacer[6], "70.2 mA");
  EXPECT_FALSE(pacer.join(',').contains("mJ"));  // the pulse energy is not written
}

TEST(WaveformFile, AShortHeaderSetsNoTextButItsPointsAreCharted) {
  const Waveform wave = asWaveform(readWaveformFile("ID,date,Energy\r\n1.5 2.5\r\n0.5,1,9\r\n3,4\n5,6\r"));
  EXPECT_EQ(wave.info, WaveInfo());
  EXPECT_FALSE(wave.pacer);
  EXPECT_EQ(wave.points, (QList<QPointF>{{1.5, 2.5}, {3, 4}, {5, 6}}));  // a line of three fields is skipped
  EXPECT_TRUE(asWaveform(readWaveformFile("only,one,line\r\n")).points.isEmpty());
  EXPECT_TRUE(asWaveform(readWaveformFile("")).points.isEmpty());
}

TEST(WaveformFile, LinesEndedByACommaReadAsSpreadsheetsWriteThem) {
  const Waveform wave = asWaveform(readWaveformFile("h\r\n1.5,2.5,\r\n3,\r\n4,5\r\n"));
  EXPECT_EQ(wave.points, (QList<QPointF>{{1.5, 2.5}, {4, 5}}));  // "3," is one field: no point
  EXPECT_EQ(asError(readWaveformFile("h\r\n1.5,,\r\n")).line, 2);  // an empty field between commas
}

// The device I.D. comes back letter for letter whatever the system's code page.
TEST(WaveformFile, ADeviceIdOutsideAsciiComesBackInTheEncodingItWasWrittenIn) {
  const struct {
    const char* codec;
    const char* deviceId;
  } cases[] = {{"UTF-8", "Łódź Oddział 3"}, {"windows-1250", "PÓŁNOC-1"}, {"windows-1251", "ПІ-3"},
               {"windows-1252", "Müller-Señor"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codec);
    Waveform wave = decodeWaveRecord(sampleWaveRecords().at(0));
    wave.info.deviceId = QString::fromUtf8(c.deviceId);
    const QByteArray bytes = waveformFileBytes(wave.info, wave.points, QLatin1Char('.'), c.codec);
    EXPECT_EQ(asWaveform(readWaveformFile(bytes, QLatin1Char('.'), c.codec)).info.deviceId, wave.info.deviceId);
  }
}

TEST(WaveformFile, TheSystemsDecimalSeparatorIsReadBesideThePoint) {
  const Waveform comma = asWaveform(readWaveformFile("h\r\n\"0,5\",\"-1,25\"\r\n1.5,2\r\n", QLatin1Char(',')));
  EXPECT_EQ(comma.points, (QList<QPointF>{{0.5, -1.25}, {1.5, 2}}));
  EXPECT_EQ(generalNumberText(-1.25, QLatin1Char(',')), "-1,25");
  const Waveform wave = decodeCapture(sampleDefibCapture());
  const QByteArray written = waveformFileBytes(wave.info, wave.points, QLatin1Char(','));
  EXPECT_EQ(asWaveform(readWaveformFile(written, QLatin1Char(','))).points.size(), 5120);
}

TEST(WaveformFile, ACorruptFileIsRefusedWithItsLine) {
  QStringList header = waveformHeaderFields(decodeCapture(sampleDefibCapture()).info);
  header.removeLast();  // a 13-bit header of 23 fields
  const WaveformFileError shortHeader = asError(readWaveformFile(writeCommaText(header).toUtf8() + "\r\n1,2\r\n"));
  EXPECT_EQ(shortHeader.line, 1);
  EXPECT_EQ(shortHeader.message("/data/w.csv"),
            "/data/w.csv is not a valid waveform file: line 1: a 13-bit header needs 24 fields, this one has 23.");

  const WaveformFileError notANumber = asError(readWaveformFile("h\r\n1,2\r\n3,x4\r\n"));
  EXPECT_EQ(notANumber.line, 3);
  EXPECT_EQ(notANumber.reason, "\"x4\" is not a number.");
  EXPECT_EQ(asError(readWaveformFile("h\r\nnan,1\r\n")).line, 2);
  EXPECT_EQ(asError(readWaveformFile("h\r\n1,inf\r\n")).line, 2);
}
