// The D2XX backend over a stand-in library behind which the simulator answers:
// the same transfer road as the serial backend, and the library's statuses
// turned into the link's own.
#include "analyzer/recordkinds.h"
#include "analyzer/systeminfo.h"
#include "device/d2xxdriver.h"
#include "device/ftd2xx/ftd2xxlibrary.h"
#include "device/headlessprogress.h"
#include "device/transfers.h"
#include "device/transport.h"

#include "support/recordingmessages.h"

#include <gtest/gtest.h>

namespace {
std::unique_ptr<D2xxDriver> fakeDriver() {
  std::string error;
  std::unique_ptr<ftd2xx::Library> library = ftd2xx::Library::load(FAKE_FTD2XX_LIBRARY, &error);
  if (!library) return nullptr;
  return std::make_unique<D2xxDriver>(std::move(library));
}
}  // namespace

TEST(D2xxDriver, DownloadsThroughTheLibraryAsThroughASerialPort) {
  std::unique_ptr<D2xxDriver> driver = fakeDriver();
  ASSERT_TRUE(driver);
  RecordingMessages messages;
  DeviceLink link{*driver, messages};
  HeadlessProgressHost host(messages);
  QList<QByteArray> received;
  QString id;
  const bool done = runDownload(link, host, kTestReportRecords, [](char*) {},
                                [&](const SystemInfo& info, const QList<QByteArray>& records) {
                                  id = info.analyzerId();
                                  received = records;
                                });
  EXPECT_TRUE(done);
  EXPECT_EQ(id, "D2XX-FAKE");
  ASSERT_EQ(received.size(), 2);
  EXPECT_EQ(received[1], QByteArray(kTestReportRecords.blockSize, '\2'));
}

TEST(D2xxDriver, TheLibrarysStatusesBecomeTheLinksOwn) {
  std::unique_ptr<D2xxDriver> driver = fakeDriver();
  ASSERT_TRUE(driver);
  quint32 count = 0, waiting = 0;
  EXPECT_EQ(driver->queueStatus(&waiting), driverstatus::InvalidHandle);  // not open: the library is not asked
  EXPECT_EQ(driver->write("GS\r", 3, &count), driverstatus::InvalidHandle);
  EXPECT_EQ(driver->openByDescription("Some Other Cable"), driverstatus::DeviceNotFound);
  ASSERT_EQ(driver->openByDescription(analyzerDescription()), driverstatus::Ok);
  EXPECT_EQ(driver->write("EIO", 3, &count), driverstatus::IoError);
  EXPECT_EQ(driver->write("FAIL", 4, &count), driverstatus::IoError);  // a status the link does not know
  EXPECT_EQ(driver->write("GS\r", 3, &count), driverstatus::Ok);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(driver->queueStatus(&waiting), driverstatus::Ok);
  EXPECT_EQ(waiting, 37u);
  driver->close();
  driver->close();  // a second close does nothing
  waiting = 0;
  EXPECT_EQ(driver->queueStatus(&waiting), driverstatus::InvalidHandle);
  EXPECT_EQ(waiting, 0u);  // a failed query leaves the caller's count
}

TEST(D2xxDriver, WithoutTheLibraryTheSerialPortServes) {
  // On Linux the library is used only when asked for, and a missing one is no error.
  qunsetenv("KALYX5PC_D2XX");
  EXPECT_EQ(createD2xxDriver(), nullptr);
  qputenv("KALYX5PC_D2XX", "1");
  EXPECT_EQ(createD2xxDriver(), nullptr);  // libftd2xx.so is not installed here
  qunsetenv("KALYX5PC_D2XX");
}
