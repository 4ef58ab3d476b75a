#pragma once
#include <QString>
#include <array>

// The analyzer's protocol has no framing beyond fixed sizes: the program sends a
// two-letter command and a carriage return, and the analyzer answers with blocks
// whose size and number the program already knows. This table is the one place
// that says, for each kind of record the analyzer stores, which command fetches
// it, how large one record is, which byte of the system-information block counts
// the stored records and how many one transfer accepts. The transfers, the
// simulator, its dump loader, the command-line program and the frames read it.
struct RecordKind {
  const char* letters;  // the download command
  int blockSize;        // bytes of one record on the wire
  int countByte;        // offset of the stored count in the system-information block
  int limit;            // most records accepted in one transfer
  const char* noun;     // what the user reads: "test reports"
};

inline constexpr RecordKind kAutoSeqRecords{"GA", 276, 36, 32, "autosequences"};
inline constexpr RecordKind kTestReportRecords{"GT", 736, 34, 50, "test reports"};
inline constexpr RecordKind kWaveRecords{"GW", 1314, 35, 10, "wave records"};
inline constexpr std::array<const RecordKind*, 3> kRecordKinds = {&kAutoSeqRecords, &kTestReportRecords,
                                                                  &kWaveRecords};

// The other commands and blocks of the protocol.
inline constexpr char kSystemInfoCommand[] = "GS";  // answered by one system-information block
inline constexpr int kSystemInfoSize = 37;
inline constexpr char kUploadCommand[] = "PA";  // a count byte, then that many autosequences
inline constexpr char kCaptureCommand[] = "WD";  // answered by one real-time capture block
inline constexpr int kCaptureBlockSize = 10306;

// The texts of a download, the same road for every kind.
QString downloadCaption(const RecordKind& kind);    // "Downloading test reports..."
QString tooManyText(const RecordKind& kind);        // "Unexpected number of test reports."
QString tooManyCaption(const RecordKind& kind);     // "Error downloading test reports"
QString nothingToDownloadText(const RecordKind& kind);  // "No test reports to download."
QString nothingToDownloadCaption();                 // "Nothing to download"
QString finishedDownloadText(const RecordKind& kind);   // "Finished downloading test reports."
// The progress bar has one step for the system information and one per record.
inline constexpr int downloadProgressMaximum(const RecordKind& kind) { return kind.limit + 1; }
