#pragma once

class QPrinter;
class QWidget;

// The print dialog: returns false when the user cancels. With `offerSelection`
// the page range "selection" is offered and preset; the printer's print range
// then says what the user chose.
class PrintPrompts {
 public:
  virtual ~PrintPrompts() = default;
  virtual bool choosePrinter(QWidget* owner, QPrinter& printer, bool offerSelection = false) = 0;
};

// The platform's print dialog, through QPrintDialog.
class QtPrintPrompts : public PrintPrompts {
 public:
  bool choosePrinter(QWidget* owner, QPrinter& printer, bool offerSelection = false) override;
};
