#pragma once
#include <QByteArray>
#include <QtGlobal>

// The five operations the program needs of the USB link to the analyzer. Each
// returns a status, 0 for success, as the analyzer's USB library does.
class AnalyzerDriver {
 public:
  virtual ~AnalyzerDriver() = default;

  // Opens the analyzer that presents the given USB description.
  virtual quint32 openByDescription(const QByteArray& description) = 0;
  // The number of received bytes waiting to be read.
  virtual quint32 queueStatus(quint32* waiting) = 0;
  // Reads exactly `size` bytes of those waiting; `count` gets the number read.
  virtual quint32 read(char* buffer, quint32 size, quint32* count) = 0;
  virtual quint32 write(const char* buffer, quint32 size, quint32* count) = 0;
  virtual void close() = 0;
};

// The USB product description the analyzer presents.
inline QByteArray analyzerDescription() { return QByteArrayLiteral("Kalyx 5 Defib Tester Final"); }
