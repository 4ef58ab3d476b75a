#pragma once
#include "core/printprompts.h"

#include <QPrinter>
#include <QString>

// A print dialog that chooses a PDF file, or cancels when no file is set. It
// keeps "selection" as the page range when that is offered and `printAll` is false.
class PdfPrintPrompts : public PrintPrompts {
 public:
  bool choosePrinter(QWidget*, QPrinter& printer, bool offerSelection) override {
    ++asked;
    selectionOffered = offerSelection;
    if (pdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPrintRange(offerSelection && !printAll ? QPrinter::Selection : QPrinter::AllPages);
    return true;
  }
  QString pdfPath;
  bool printAll = false;
  int asked = 0;
  bool selectionOffered = false;
};
