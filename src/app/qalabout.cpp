#include "app/qalabout.h"

#include "app/linklabel.h"
#include "core/names.h"
#include "core/toolicons.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace {
constexpr int kPageHeight = 312 - 49;  // the button bar is 49 pixels high

// The maker's contact details, eight lines.
const char* const kDetails =
    "1480 Riverside Parkway, Suite 300\n"
    "Halden, Ontario\n"
    "K7M 0A1 Canada\n"
    "\n"
    "Phone: (613) 555-0142\n"
    "Toll free: 1-800-555-0199\n"
    "Fax: (613) 555-0143\n"
    "service@velmora.example";

QLabel* label(const QString& text, QWidget* page, int left, int top) {
  auto* l = new QLabel(text, page);
  l->setTextFormat(Qt::PlainText);
  l->move(left, top);
  l->adjustSize();
  return l;
}

QLabel* picture(const char* name, const char* file, QWidget* page, const QRect& place) {
  auto* l = new QLabel(page);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(place);
  l->setPixmap(resourcePicture(QString::fromLatin1(file), place.size(), qApp->devicePixelRatio()));
  return l;
}

QWidget* page(const char* name, QWidget* parent) {
  auto* p = new QWidget(parent);
  p->setObjectName(QString::fromLatin1(name));
  p->setGeometry(0, 0, 303, kPageHeight);
  p->setAutoFillBackground(true);
  p->setBackgroundRole(QPalette::Base);  // the platform's window background: white on a default desktop
  return p;
}
}  // namespace

void openInBrowser(const QUrl& url) { QDesktopServices::openUrl(url); }

QUrl TQalAbout::websiteAddress() { return QUrl(QStringLiteral("https://www.velmora.example/")); }
QUrl TQalAbout::iconCreditAddress() { return QUrl(QStringLiteral("https://design.velmora.example/icons/")); }

TQalAbout::TQalAbout(const VersionInfo& version, LinkOpener openLink, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      openLink_(std::move(openLink)) {
  setObjectName(QStringLiteral("QalAbout"));
  setWindowTitle(QStringLiteral("About ") + productName());
  // Tahoma where the desktop has it, else a sans face of the same build.
  QFont font;
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setPointSize(8);
  setFont(font);
  setFixedSize(303, 312);

  buildAboutPage(version);
  buildMorePage();

  btnMore_ = new QPushButton(QStringLiteral("More"), this);
  btnMore_->setObjectName(QStringLiteral("btnMore"));
  btnMore_->setGeometry(16, kPageHeight + 12, 83, 25);
  btnMore_->setAutoDefault(false);
  connect(btnMore_, &QPushButton::clicked, this, &TQalAbout::btnMoreClick);
  auto* btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setGeometry(208, kPageHeight + 12, 83, 25);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  setTabOrder(btnMore_, btnOK);
  btnOK->setFocus();
}

void TQalAbout::buildAboutPage(const VersionInfo& version) {
  panelAbout_ = page("panelAbout", this);
  picture("imgVelmoraLogo", "velmora-logo", panelAbout_, QRect(8, 0, 153, 49))->setAccessibleName(QStringLiteral("Velmora"));
  picture("Image1", "kalyx5-product", panelAbout_, QRect(89, 48, 129, 41))->setAccessibleName(QStringLiteral("Kalyx 5"));

  auto* lblVersion = new QLabel(panelAbout_);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblVersion->setTextFormat(Qt::PlainText);
  lblVersion->setGeometry(4, 88, 299, 18);
  lblVersion->setAlignment(Qt::AlignCenter);
  QFont bold = font();
  bold.setBold(true);
  lblVersion->setFont(bold);
  QPalette grey = lblVersion->palette();
  grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
  lblVersion->setPalette(grey);
  // A build without version values shows empty labels, not a lone prefix.
  lblVersion->setText(version.productVersion.isEmpty() ? QString() : QStringLiteral("Version ") + version.productVersion);

  label(version.legalCopyright, panelAbout_, 10, 112)->setObjectName(QStringLiteral("lblCopyright"));

  auto* txtDetails = new QPlainTextEdit(QString::fromUtf8(kDetails), panelAbout_);
  txtDetails->setObjectName(QStringLiteral("txtDetails"));
  txtDetails->setGeometry(8, 136, 297, 105);
  txtDetails->setReadOnly(true);
  txtDetails->setFrameShape(QFrame::NoFrame);
  txtDetails->setFocusPolicy(Qt::NoFocus);
  txtDetails->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtDetails->document()->setDocumentMargin(0);

  label(QStringLiteral("Website:"), panelAbout_, 10, 240)->setObjectName(QStringLiteral("Label1"));
  auto* lblWebsite = new LinkLabel(websiteAddress().host(), panelAbout_);
  lblWebsite->setObjectName(QStringLiteral("lblWebsite"));
  lblWebsite->move(64, 240);
  lblWebsite->adjustSize();
  lblWebsite->setToolTip(QStringLiteral("Open Velmora website"));
  connect(lblWebsite, &LinkLabel::clicked, this, [this] { openLink_(websiteAddress()); });
}

void TQalAbout::buildMorePage() {
  panelMore_ = page("panelMore", this);
  QLabel* heading = label(QStringLiteral("Acknowledgments"), panelMore_, 16, 16);
  heading->setObjectName(QStringLiteral("Label4"));
  QFont bold = font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->adjustSize();
  label(QStringLiteral("Icons provided by"), panelMore_, 16, 40)->setObjectName(QStringLiteral("Label2"));
  auto* credit = new LinkLabel(QStringLiteral("Velmora Design"), panelMore_);
  credit->setObjectName(QStringLiteral("lblIconCredit"));
  credit->move(104, 40);
  credit->adjustSize();
  credit->setToolTip(QStringLiteral("Open the Velmora Design icon pages"));
  connect(credit, &LinkLabel::clicked, this, [this] { openLink_(iconCreditAddress()); });
  // The full stop follows the credit, even where the platform font is wider than Tahoma.
  label(QStringLiteral("."), panelMore_, qMax(182, credit->geometry().right() + 1), 40)
      ->setObjectName(QStringLiteral("Label3"));
  panelMore_->hide();
}

void TQalAbout::btnMoreClick() {
  const bool toMore = panelAbout_->isVisibleTo(this);
  panelAbout_->setVisible(!toMore);
  panelMore_->setVisible(toMore);
  btnMore_->setText(toMore ? QStringLiteral("Back") : QStringLiteral("More"));
}
