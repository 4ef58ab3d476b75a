#include "analyzer/systeminfo.h"
#include "device/transfers.h"
#include "support/linkfixture.h"

#include <QEventLoop>
#include <QTimer>

namespace {
// Marks each record so the test can see that the byte-order routine ran.
void markSwapped(char* record) { record[0] = 'S'; }

// What a user reading a message box does to the event loop: lets it run a while.
void readAMessageFor(int ms) {
  QEventLoop reading;
  QTimer::singleShot(ms, &reading, &QEventLoop::quit);
  reading.exec();
}

// What the user sees of each download, written out here rather than taken from the table.
struct DownloadCase {
  const char* name;
  const RecordKind* kind;
  int countByte;
  int limit;
  int blockSize;
};

const DownloadCase kDownloads[] = {
    {"autosequences", &kAutoSeqRecords, 36, 32, 276},
    {"test reports", &kTestReportRecords, 34, 50, 736},
    {"wave records", &kWaveRecords, 35, 10, 1314},
};

void PrintTo(const DownloadCase& c, std::ostream* os) { *os << c.name; }

class DownloadTest : public LinkFixture, public ::testing::WithParamInterface<DownloadCase> {
 protected:
  DownloadTest() : LinkFixture(memoryWithRecords(33, 51, 11)) {}

  bool download(quint32 timeoutMs = 2000) {
    return runDownload(
        link, host, *GetParam().kind, markSwapped,
        [this](const SystemInfo& info, const QList<QByteArray>& records) {
          received = records;
          receivedInfo = info.bytes();
          ++deliveries;
        },
        timeoutMs);
  }
  void setCount(int n) {
    QByteArray block = driver.engine().memory().systemInfo.bytes();
    block[GetParam().countByte] = char(n);
    driver.engine().memory().systemInfo = SystemInfo(block);
  }

  QList<QByteArray> received;
  QByteArray receivedInfo;
  int deliveries = 0;
};
}  // namespace

TEST_P(DownloadTest, CountAtTheLimitIsDownloadedInOrderOfArrival) {
  setCount(GetParam().limit);
  ASSERT_TRUE(download());
  ASSERT_EQ(received.size(), GetParam().limit);
  for (int i = 0; i < received.size(); ++i) {
    EXPECT_EQ(received[i][0], 'S');
    EXPECT_EQ(received[i][1], char(i + 1));
  }
  EXPECT_EQ(receivedInfo.size(), 37);
  HeadlessProgress* progress = host.current();
  EXPECT_EQ(progress->text(), "Finished downloading " + QString(GetParam().name) + ".");
  EXPECT_TRUE(progress->finished());
  EXPECT_FALSE(progress->closed());  // the finished dialog waits for OK
  EXPECT_EQ(progress->maximum(), GetParam().limit + 1);
  EXPECT_TRUE(messages.shown.isEmpty());
  expectClosedOnce();
}

TEST_P(DownloadTest, CountAboveTheLimitIsRefusedBeforeTheCommand) {
  setCount(GetParam().limit + 1);
  EXPECT_FALSE(download());
  expectOnlyMessage("Unexpected number of " + QString(GetParam().name) + ".",
                    "Error downloading " + QString(GetParam().name), UserMessages::Icon::Error);
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"GS"}));
  EXPECT_EQ(deliveries, 0);
  EXPECT_TRUE(host.current()->closed());
  expectClosedOnce();
}

TEST_P(DownloadTest, CountZeroHasNothingToDownload) {
  setCount(0);
  EXPECT_FALSE(download());
  expectOnlyMessage("No " + QString(GetParam().name) + " to download.", "Nothing to download",
                    UserMessages::Icon::Information);
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"GS"}));
  EXPECT_EQ(deliveries, 0);
  expectClosedOnce();
}

TEST_P(DownloadTest, NoAnalyzerLeavesNoDialogAndNoRecords) {
  driver.attached = false;
  EXPECT_FALSE(download());
  EXPECT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(host.created(), 0);
  EXPECT_EQ(driver.closes, 0);
}

TEST_P(DownloadTest, ReadErrorHandsNothingOverAndClosesOnce) {
  setCount(3);
  driver.readStatusError = 7;
  driver.failReadsFrom = 1;  // the system information arrives; the first record read fails
  EXPECT_FALSE(download());
  EXPECT_EQ(deliveries, 0);
  expectOnlyMessage("Read status is: 7", "Error reading from device", UserMessages::Icon::Error);
  EXPECT_TRUE(host.current()->closed());
  expectClosedOnce();
}

TEST_P(DownloadTest, CancelDuringTheTransferKeepsTheRecordsAndShowsNothing) {
  setCount(3);
  driver.engine().setBlockDelay(200);
  QTimer::singleShot(250, [this] { host.current()->cancel(); });
  EXPECT_FALSE(download(5000));
  EXPECT_EQ(deliveries, 0);
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_TRUE(host.current()->closed());
  expectClosedOnce();
}

TEST_P(DownloadTest, StallTimesOutAndHandsNothingOver) {
  setCount(3);
  driver.engine().setStallAfter(37 + GetParam().blockSize / 2);
  EXPECT_FALSE(download(120));
  EXPECT_EQ(deliveries, 0);
  expectOnlyMessage(timeoutMessageText(), "Communications time out", UserMessages::Icon::Warning);
  expectClosedOnce();
}

TEST_P(DownloadTest, AMessageWhileTheRecordsAreHandedOverCannotTimeTheTransferOut) {
  setCount(2);
  const auto slowOwner = [](const SystemInfo&, const QList<QByteArray>&) { readAMessageFor(150); };
  EXPECT_TRUE(runDownload(link, host, *GetParam().kind, markSwapped, slowOwner, 40));
  EXPECT_TRUE(host.current()->finished());
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_P(DownloadTest, BytesLeftAfterTheLastBlockAreNeverRead) {
  setCount(2);
  driver.engine().setTrailingBytes(QByteArray(500, 'z'));
  ASSERT_TRUE(download());
  EXPECT_EQ(received.size(), 2);
  EXPECT_EQ(driver.bytesRead, 37 + 2 * GetParam().blockSize);
}

TEST_P(DownloadTest, ANewTransferStartsWithAFreshDialog) {
  setCount(1);
  ASSERT_TRUE(download());
  HeadlessProgress* first = host.current();
  first->cancel();
  ASSERT_TRUE(download());
  EXPECT_EQ(host.created(), 2);
  EXPECT_FALSE(host.current()->cancelled());
}

TEST_P(DownloadTest, ASecondTransferWhileOneRunsIsRefusedAndTheFirstGoesOn) {
  setCount(3);
  driver.engine().setBlockDelay(40);
  bool secondStarted = true;
  QTimer::singleShot(60, [&] {
    secondStarted = runDownload(link, host, *GetParam().kind, markSwapped, [](const SystemInfo&, const QList<QByteArray>&) {});
    secondStarted = secondStarted || runCapture(link, host, [](const QByteArray&) {});
  });
  ASSERT_TRUE(download());
  EXPECT_FALSE(secondStarted);
  EXPECT_EQ(received.size(), 3);
  EXPECT_EQ(host.created(), 1);  // the running transfer's dialog was never replaced
  EXPECT_TRUE(messages.shown.isEmpty());
  expectClosedOnce();
}

INSTANTIATE_TEST_SUITE_P(Commands, DownloadTest, ::testing::ValuesIn(kDownloads),
                         [](const auto& info) { return std::string(info.param.name).substr(0, 4); });

namespace {
class UploadTest : public LinkFixture {};
}  // namespace

TEST_F(UploadTest, AnEmptyListOpensNoLink) {
  EXPECT_FALSE(runUpload(link, host, {}, markSwapped));
  EXPECT_EQ(driver.opens, 0);
  EXPECT_EQ(host.created(), 0);
}

TEST_F(UploadTest, SendsTheCountThenSwappedCopiesOfTheRecords) {
  const QList<QByteArray> list = {QByteArray(276, 'a'), QByteArray(276, 'b')};
  ASSERT_TRUE(runUpload(link, host, list, markSwapped));
  const QList<QByteArray>& stored = driver.engine().memory().autoSeqs;
  ASSERT_EQ(stored.size(), 2);
  EXPECT_EQ(stored[0], "S" + QByteArray(275, 'a'));
  EXPECT_EQ(stored[1], "S" + QByteArray(275, 'b'));
  EXPECT_EQ(list[0], QByteArray(276, 'a'));  // the list itself stays in host order
  EXPECT_EQ(driver.engine().memory().systemInfo.count(kAutoSeqRecords), 2);
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"GS", "PA"}));
  EXPECT_EQ(host.current()->text(), "Finished uploading autosequences.");
  EXPECT_EQ(host.current()->maximum(), 2);
  EXPECT_TRUE(host.current()->finished());
  expectClosedOnce();
}

TEST_F(UploadTest, AWriteErrorEndsTheUploadAndClosesOnce) {
  driver.writeStatusError = 5;
  driver.failWritesFrom = 3;  // "GS", "PA" and the count go out; the first record fails
  EXPECT_FALSE(runUpload(link, host, {QByteArray(276, 'a')}, markSwapped));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Write status is: 5");
  EXPECT_EQ(messages.shown[0].caption, "Error writing to device");
  EXPECT_TRUE(host.current()->closed());
  expectClosedOnce();
}

namespace {
class CaptureTest : public LinkFixture {};
}  // namespace

TEST_F(CaptureTest, ReadsTheBlockOneByteAtATimeWithoutSystemInformation) {
  QByteArray capture(10306, '\0');
  for (int i = 0; i < capture.size(); ++i) capture[i] = char(i * 7);
  driver.engine().memory().captures = {capture};
  QByteArray got;
  ASSERT_TRUE(runCapture(link, host, [&got](const QByteArray& block) { got = block; }));
  EXPECT_EQ(got, capture);
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"WD"}));
  EXPECT_EQ(host.current()->position(), 10306);
  EXPECT_EQ(host.current()->maximum(), 10306);
  EXPECT_TRUE(host.current()->closed());
  expectClosedOnce();
}

TEST_F(CaptureTest, AMessageWhileTheViewerOpensCannotTimeTheCaptureOut) {
  EXPECT_TRUE(runCapture(link, host, [](const QByteArray&) { readAMessageFor(150); }, 40));
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(CaptureTest, StallTimesOutAndOpensNoViewer) {
  driver.engine().setStallAfter(5000);
  bool accepted = false;
  EXPECT_FALSE(runCapture(link, host, [&accepted](const QByteArray&) { accepted = true; }, 100));
  EXPECT_FALSE(accepted);
  EXPECT_EQ(host.current()->position(), 5000);
  expectOnlyMessage(timeoutMessageText(), "Communications time out", UserMessages::Icon::Warning);
  expectClosedOnce();
}
