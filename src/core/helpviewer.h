#pragma once
#include <QString>

// The program's help: the main window, the editor and the viewers ask it for a
// page by name ("QalHelp.html"). A help file or page that is missing is ignored.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void showPage(const QString& page) = 0;
  // Closes every help window, when the program ends.
  virtual void closeAll() = 0;
};

// Shows a page when the program has help at all.
inline void showHelpPage(HelpViewer* help, const QString& page) {
  if (help) help->showPage(page);
}
