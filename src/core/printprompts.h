#pragma once

class QPrinter;
class QWidget;

// The print dialog: returns false when the user cancels.
class PrintPrompts {
 public:
  virtual ~PrintPrompts() = default;
  virtual bool choosePrinter(QWidget* owner, QPrinter& printer) = 0;
};

// The platform's print dialog, through QPrintDialog.
class QtPrintPrompts : public PrintPrompts {
 public:
  bool choosePrinter(QWidget* owner, QPrinter& printer) override;
};
