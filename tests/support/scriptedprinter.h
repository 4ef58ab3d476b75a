#pragma once
#include "printprompts.h"

#include <QPrinter>
#include <QString>

// A print dialog that chooses a PDF file, or cancels when no file is set.
class PdfPrintPrompts : public PrintPrompts {
 public:
  bool choosePrinter(QWidget*, QPrinter& printer) override {
    ++asked;
    if (pdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  }
  QString pdfPath;
  int asked = 0;
};
