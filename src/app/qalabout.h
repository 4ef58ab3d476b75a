#pragma once
#include "core/versioninfo.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QUrl;
class QWidget;

// Opens a web address in the default browser; a failure is ignored.
using LinkOpener = std::function<void(const QUrl&)>;
void openInBrowser(const QUrl& url);

// The About box: the maker's logo and the product picture, the version and legal
// notice of the program's version information, the maker's contact details, and
// behind More the acknowledgement of the icon set. Made fresh for each showing.
class TQalAbout : public QDialog {
  Q_OBJECT
 public:
  TQalAbout(const VersionInfo& version, LinkOpener openLink, QWidget* owner);

  static QUrl websiteAddress();
  static QUrl iconCreditAddress();

 private:
  void buildAboutPage(const VersionInfo& version);
  void buildMorePage();
  void btnMoreClick();

  LinkOpener openLink_;
  QWidget* panelAbout_ = nullptr;
  QWidget* panelMore_ = nullptr;
  QPushButton* btnMore_ = nullptr;
};
