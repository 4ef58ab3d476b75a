#pragma once
#include <QDialog>

// The report of Help > Check Analyzer Connection: one finding a line, each
// problem with what to do, to read or to copy into a service request.
class TConnectionReport : public QDialog {
  Q_OBJECT
 public:
  TConnectionReport(const QStringList& lines, QWidget* owner);
};
