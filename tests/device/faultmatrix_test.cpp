// The link fault matrix: each of the five transfers against each fault of the
// link, from one table. Every case ends with the expected message (or none), the
// link closed exactly once, nothing handed over on failure, and the same
// transfer working again once the fault is gone.
#include "analyzer/systeminfo.h"
#include "device/transferprogress.h"
#include "device/transfers.h"
#include "support/linkfixture.h"

#include <QTimer>
#include <functional>

namespace {
enum class Transfer { AutoSeqs, Reports, Waves, Upload, Capture };

const char* transferName(Transfer t) {
  switch (t) {
    case Transfer::AutoSeqs: return "autoseqs";
    case Transfer::Reports: return "reports";
    case Transfer::Waves: return "waves";
    case Transfer::Upload: return "upload";
    case Transfer::Capture: return "capture";
  }
  return "";
}

const RecordKind* kindOf(Transfer t) {
  switch (t) {
    case Transfer::AutoSeqs: return &kAutoSeqRecords;
    case Transfer::Reports: return &kTestReportRecords;
    case Transfer::Waves: return &kWaveRecords;
    default: return nullptr;
  }
}

constexpr int kRecords = 4;  // records of each kind the analyzer holds, and the upload sends
constexpr quint32 kTimeoutMs = 150;

struct Expected {
  QString text, caption;  // empty text: no message at all
  bool success = false;
};

Expected timeout() { return {timeoutMessageText(), QStringLiteral("Communications time out")}; }
Expected readError() { return {QStringLiteral("Read status is: 7"), QStringLiteral("Error reading from device")}; }
Expected writeError() { return {QStringLiteral("Write status is: 5"), QStringLiteral("Error writing to device")}; }
Expected success() { return {QString(), QString(), true}; }

struct Case {
  Transfer transfer;
  std::string fault;
  std::function<void(SimulatorDriver&)> inject;
  Expected expected;
  int cancelAfterMs = -1;
};

void PrintTo(const Case& c, std::ostream* os) { *os << transferName(c.transfer) << ": " << c.fault; }

void setCount(SimulatorDriver& d, const RecordKind& kind, int n) {
  SystemInfo info = d.engine().memory().systemInfo;
  info.setCount(kind, n);
  d.engine().memory().systemInfo = info;
}

// Bytes of the answer before record block `block` (after the system information).
qint64 answerBefore(Transfer t, int block) {
  if (t == Transfer::Capture) return block;  // one byte a step
  return kSystemInfoSize + qint64(block) * kindOf(t)->blockSize;
}

QList<Case> matrix() {
  QList<Case> cases;
  for (Transfer t : {Transfer::AutoSeqs, Transfer::Reports, Transfer::Waves, Transfer::Upload, Transfer::Capture}) {
    const bool download = kindOf(t) != nullptr;
    const int steps = t == Transfer::Capture ? kCaptureBlockSize : kRecords;
    // Stalls: before the first, a middle and the last block, and inside a block.
    if (t != Transfer::Upload) {
      for (const auto& [name, at] : std::initializer_list<std::pair<const char*, qint64>>{
               {"stall at the first block", answerBefore(t, 0)},
               {"stall at a middle block", answerBefore(t, steps / 2)},
               {"stall at the last block", answerBefore(t, steps - 1)},
               {"stall inside a block", answerBefore(t, 1) + (t == Transfer::Capture ? 0 : 100)}})
        cases.append({t, name, [at = at](SimulatorDriver& d) { d.engine().setStallAfter(at); }, timeout()});
    } else {
      cases.append({t, "no answer to GS", [](SimulatorDriver& d) { d.engine().setStallAfter(0); }, timeout()});
    }
    // A read status error at each read.
    const QList<int> reads = t == Transfer::Upload    ? QList<int>{0}
                             : t == Transfer::Capture ? QList<int>{0, 1, 5000, kCaptureBlockSize - 1}
                                                      : QList<int>{0, 1, 2, kRecords};
    for (int from : reads)
      cases.append({t, "read error at read " + std::to_string(from), [from](SimulatorDriver& d) {
                      d.readStatusError = 7;
                      d.failReadsFrom = from;
                    },
                    readError()});
    // A write status error at each write: "GS", the command, and for an upload the count and the records.
    const QList<int> writes = t == Transfer::Upload    ? QList<int>{0, 1, 2, 3, 2 + kRecords}
                              : t == Transfer::Capture ? QList<int>{0}  // "WD" alone
                                                       : QList<int>{0, 1};
    for (int from : writes)
      cases.append({t, "write error at write " + std::to_string(from), [from](SimulatorDriver& d) {
                      d.writeStatusError = 5;
                      d.failWritesFrom = from;
                    },
                    writeError()});
    // Short counts: a read that delivers less, a write that takes less.
    if (t != Transfer::Upload)
      cases.append({t, "short reads", [](SimulatorDriver& d) { d.shortReadCount = 3; },
                    t == Transfer::Capture ? success()  // one byte a read: never short
                                           : Expected{QStringLiteral("Bytes read: 3"), QStringLiteral("Error reading from device")}});
    cases.append({t, "short writes", [](SimulatorDriver& d) { d.shortWriteCount = 1; }, Expected{}});
    // Counts the analyzer reports.
    if (download) {
      const RecordKind& kind = *kindOf(t);
      const QString noun = QString::fromLatin1(kind.noun);
      cases.append({t, "count 0", [&kind](SimulatorDriver& d) { setCount(d, kind, 0); },
                    {QStringLiteral("No %1 to download.").arg(noun), QStringLiteral("Nothing to download")}});
      cases.append({t, "count at the limit",
                    [&kind](SimulatorDriver& d) {
                      auto& list = &kind == &kAutoSeqRecords  ? d.engine().memory().autoSeqs
                                   : &kind == &kTestReportRecords ? d.engine().memory().testRecords
                                                                  : d.engine().memory().waveRecords;
                      while (list.size() < kind.limit) list.append(QByteArray(kind.blockSize, 'L'));
                      setCount(d, kind, kind.limit);
                    },
                    success()});
      for (int n : {kind.limit + 1, 255})
        cases.append({t, "count " + std::to_string(n), [&kind, n](SimulatorDriver& d) { setCount(d, kind, n); },
                      {QStringLiteral("Unexpected number of %1.").arg(noun),
                       QStringLiteral("Error downloading %1").arg(noun)}});
    }
    // Garbage after the last block is never read and does no harm.
    if (t != Transfer::Upload)
      cases.append({t, "garbage after the block",
                    [](SimulatorDriver& d) { d.engine().setTrailingBytes(QByteArray(777, '\xAA')); }, success()});
    // Cancel at the start, in the middle and near the end of what takes time: the
    // answer to "GS" for an upload, the one block of a capture, the blocks of a download.
    const QList<int> cancels = t == Transfer::Upload    ? QList<int>{5}
                               : t == Transfer::Capture ? QList<int>{5, 20}
                                                        : QList<int>{5, 60, 110};
    for (int ms : cancels)
      cases.append({t, "cancel after " + std::to_string(ms) + " ms",
                    [](SimulatorDriver& d) { d.engine().setBlockDelay(40); }, Expected{}, ms});
  }
  return cases;
}

class FaultMatrix : public LinkFixture, public ::testing::WithParamInterface<Case> {
 protected:
  FaultMatrix() : LinkFixture(memoryWithRecords(kRecords, kRecords, kRecords)) {
    driver.engine().memory().captures = {QByteArray(kCaptureBlockSize, '\x11')};
  }

  // Runs the transfer; true when it handed its records or block over (or sent them).
  bool run(quint32 timeoutMs, bool* handedOver) {
    *handedOver = false;
    const Transfer t = GetParam().transfer;
    if (t == Transfer::Upload) {
      const bool done = runUpload(link, host, QList<QByteArray>(kRecords, QByteArray(276, 'u')), nullptr, timeoutMs);
      *handedOver = done;
      return done;
    }
    if (t == Transfer::Capture)
      return runCapture(link, host, [handedOver](const QByteArray&) { *handedOver = true; }, timeoutMs);
    return runDownload(link, host, *kindOf(t), nullptr,
                       [handedOver](const SystemInfo&, const QList<QByteArray>&) { *handedOver = true; }, timeoutMs);
  }

  void clearFaults() {
    driver.readStatusError = driver.writeStatusError = 0;
    driver.failReadsFrom = driver.failWritesFrom = 0;
    driver.shortReadCount = driver.shortWriteCount = -1;
    driver.engine().setStallAfter(-1);
    driver.engine().setBlockDelay(0);
    driver.engine().setTrailingBytes({});
  }
};
}  // namespace

TEST_P(FaultMatrix, EndsAsExpectedClosesOnceAndTheNextTransferWorks) {
  const Case& c = GetParam();
  c.inject(driver);
  // The timer belongs to this case, so that it can never fire into the next one.
  QTimer cancel;
  cancel.setSingleShot(true);
  QObject::connect(&cancel, &QTimer::timeout, [this] {
    if (host.current()) host.current()->cancel();
  });
  if (c.cancelAfterMs >= 0) cancel.start(c.cancelAfterMs);
  bool handedOver = false;
  const bool done = run(c.cancelAfterMs >= 0 ? 5000 : kTimeoutMs, &handedOver);

  if (c.expected.success) {
    EXPECT_TRUE(done);
    EXPECT_TRUE(handedOver);
    EXPECT_TRUE(messages.shown.isEmpty());
  } else if (c.fault.rfind("short writes", 0) == 0) {
    // A write that takes fewer bytes than asked either fails or leaves the answer short: never a success.
    EXPECT_FALSE(done);
    EXPECT_FALSE(handedOver);
  } else {
    EXPECT_FALSE(done);
    EXPECT_FALSE(handedOver) << "a failed transfer handed records over";
    if (c.expected.text.isEmpty()) {
      EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.value(0).text.toStdString();
    } else {
      ASSERT_FALSE(messages.shown.isEmpty());
      EXPECT_EQ(messages.shown[0].text, c.expected.text);
      EXPECT_EQ(messages.shown[0].caption, c.expected.caption);
    }
  }
  EXPECT_EQ(driver.opens, 1);
  EXPECT_EQ(driver.closes, 1) << "the link must be closed exactly once";
  EXPECT_FALSE(driver.isOpen());
  if (host.current()) {
    EXPECT_TRUE(host.current()->closed() || host.current()->finished());
  }

  // The fault gone, the same transfer works on the same link.
  clearFaults();
  if (kindOf(c.transfer)) setCount(driver, *kindOf(c.transfer), kRecords);
  messages.shown.clear();
  bool again = false;
  EXPECT_TRUE(run(2000, &again)) << messages.shown.value(0).text.toStdString();
  EXPECT_TRUE(again);
  EXPECT_EQ(driver.closes, 2);
}

INSTANTIATE_TEST_SUITE_P(Link, FaultMatrix, ::testing::ValuesIn(matrix()), [](const auto& info) {
  std::string name = std::string(transferName(info.param.transfer)) + "_" + info.param.fault;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});
