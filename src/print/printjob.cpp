#include "print/printjob.h"

#include "core/usermessages.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>

PrintOutcome runPrintJob(QPrinter& printer, const std::function<bool(QPagedPaintDevice&)>& print) {
  if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
    return {print(printer), std::nullopt};
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setCreator(printer.creator());
    writer.setTitle(printer.docName());
    if (!print(writer)) return {false, std::nullopt};
  }
  return {true, saveWholeFile(printer.outputFileName(), pdf.data())};
}

void reportPrintOutcome(const PrintOutcome& outcome, UserMessages& messages) {
  const QString caption = QStringLiteral("Error printing");
  if (!outcome.started)
    messages.show(QStringLiteral("The printer could not be started."), caption, UserMessages::Icon::Error);
  else if (outcome.failure)
    messages.show(outcome.failure->message(), caption, UserMessages::Icon::Error);
}
