// Device I.D.s from the analyzer are outside data: control characters, quotes,
// commas, path separators, dots and bytes above 127 must go safely into file
// names, CSV lines and windows.
#include "support/testreportbuilders.h"
#include "support/uiharness.h"
#include "support/wavebuilders.h"
#include "testreport/reportexport.h"
#include "waveform/wavechart.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformviewer.h"

#include <QDir>
#include <QLabel>
#include <QRegularExpression>

using namespace testrec;

namespace {
const char* const kHostileIds[] = {"../../etc/passwd", "..", ".profile", "CON", "nul.x", "com1", "LPT9.2",
                                   "A\x01" "B\x7f" "C", "a,b\"c", "\xc4rzte 5", "\\\\srv\\x", "<b>bold</b>"};

// A CSV line's fields, read as a spreadsheet reads quoted fields.
QStringList csvFields(const QString& line) {
  QStringList fields;
  QString field;
  bool inQuotes = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (inQuotes && c == '"' && i + 1 < line.size() && line[i + 1] == '"') field += c, ++i;
    else if (c == '"') inQuotes = !inQuotes;
    else if (c == ',' && !inQuotes) fields << field, field.clear();
    else field += c;
  }
  fields << field;
  return fields;
}
}  // namespace

TEST(UntrustedText, ReportFileNamesStayInTheFolderAndAreNeitherHiddenNorReserved) {
  const QDir folder(QStringLiteral("/chosen/folder"));
  const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\.|$)"),
                                    QRegularExpression::CaseInsensitiveOption);
  for (const char* id : kHostileIds) {
    const QString name = reportFileName(makeTestRec(id, {14, 1, 25, 9, 12, 40}, 0, DutDefibrillator));
    const QString path = QDir::cleanPath(folder.filePath(name));
    EXPECT_EQ(QFileInfo(path).path(), folder.path()) << id;
    EXPECT_FALSE(name.startsWith('.')) << id;
    EXPECT_FALSE(reserved.match(name).hasMatch()) << name.toStdString();
    for (const QChar c : name) {
      EXPECT_GE(c.unicode(), 32) << id;
      EXPECT_NE(c.unicode(), 127) << id;
      EXPECT_FALSE(QStringLiteral(" \\/:*?\"<>|").contains(c)) << id;
    }
    EXPECT_TRUE(name.endsWith(".2025_01_14.09_12_40.txt")) << name.toStdString();
  }
  // What is safe stays as it was: dots inside, letters above 127.
  EXPECT_EQ(reportFileName(makeTestRec("ICU.DEFIB.07", {14, 1, 25, 9, 12, 40}, 0, DutDefibrillator)),
            "ICU.DEFIB.07.2025_01_14.09_12_40.txt");
  EXPECT_EQ(reportFileName(makeTestRec("CON", {14, 1, 25, 9, 12, 40}, 0, DutDefibrillator)),
            "_CON.2025_01_14.09_12_40.txt");
  EXPECT_TRUE(reportFileName(makeTestRec("\xc4rzte 5", {14, 1, 25, 9, 12, 40}, 0, DutDefibrillator))
                  .startsWith(QStringLiteral("\u00c4rzte5.")));
}

TEST(UntrustedText, CsvFieldsHoldCommasAndQuotesWithoutSplitting) {
  for (const char* id : kHostileIds) {
    const TTestRec rec = makeTestRec(id, {14, 1, 25, 9, 12, 40}, 0, DutDefibrillator);
    const QStringList fields = csvFields(csvLine(rec, QStringLiteral("/x/") + reportFileName(rec)));
    ASSERT_EQ(fields.size(), 6) << id;
    EXPECT_EQ(fields[0], deviceIdText(rec)) << id;
  }
}

class UntrustedWindowText : public UiHarness {};

TEST_F(UntrustedWindowText, TheWaveformViewerShowsAnIdAsTextNeverAsMarkup) {
  TWaveformViewer viewer(services(), decodeWaveRecord(makeWaveRecord("<b>X</b>&amp;", {14, 1, 25, 9, 12, 40}, 0x11)));
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  auto* id = viewer.findChild<QLabel*>("lblDeviceID");
  ASSERT_TRUE(id);
  EXPECT_EQ(id->textFormat(), Qt::PlainText);
  EXPECT_EQ(id->text(), "<b>X</b>&amp;");
  // The chart's title is rich text: the I.D. goes into it escaped.
  EXPECT_TRUE(viewer.chart()->title().contains("&lt;b&gt;X&lt;/b&gt;&amp;amp;"));
}
