#include "core/printprompts.h"

#include <QPrintDialog>
#include <QPrinter>

bool QtPrintPrompts::choosePrinter(QWidget* owner, QPrinter& printer, bool offerSelection) {
  QPrintDialog dialog(&printer, owner);
  if (offerSelection) {
    dialog.setOption(QAbstractPrintDialog::PrintSelection);
    printer.setPrintRange(QPrinter::Selection);
  }
  return dialog.exec() == QDialog::Accepted;
}
