#pragma once
#include "core/helpviewer.h"

#include <QMainWindow>
#include <QPointer>

class HelpBrowser;
class THelpOutline;
class QHelpEngine;
class QTabWidget;

// Where the help lies: a Qt help collection (kalyx5pc.qhc with kalyx5pc.qch), or,
// where that is missing, a folder of the same pages as plain HTML.
struct HelpSource {
  QString collectionFile;
  QString pageFolder;
};

// The help beside the program file, or in the share folder of an installed program.
HelpSource programHelpSource();

// The help window, "Kalyx 5pc Help": contents and index beside the page, with
// Back, Forward and Home.
class THelpWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Null when the source holds no help at all.
  static THelpWindow* open(const HelpSource& source);
  ~THelpWindow() override;

  // Shows a page; false, and nothing changes, when the help lacks it.
  bool showPage(const QString& page);
  QString currentPage() const;

 private:
  explicit THelpWindow(const HelpSource& source);
  bool hasHelp() const;
  QUrl pageUrl(const QString& page) const;
  bool pageExists(const QUrl& url) const;
  void buildNavigation();

  HelpSource source_;
  QHelpEngine* engine_ = nullptr;
  HelpBrowser* browser_ = nullptr;
  THelpOutline* outline_ = nullptr;
};

// The program's help viewer: one help window, made when a page is first asked for.
class HelpWindowViewer : public HelpViewer {
 public:
  explicit HelpWindowViewer(HelpSource source);
  ~HelpWindowViewer() override;
  void showPage(const QString& page) override;
  void closeAll() override;
  THelpWindow* window() const { return window_; }

 private:
  HelpSource source_;
  QPointer<THelpWindow> window_;
};
