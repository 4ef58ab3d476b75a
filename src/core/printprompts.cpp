#include "printprompts.h"

#include <QPrintDialog>
#include <QPrinter>

bool QtPrintPrompts::choosePrinter(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}
