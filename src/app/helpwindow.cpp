#include "app/helpwindow.h"

#include "app/helpoutline.h"

#include "core/names.h"
#include "core/paths.h"

#include <QAction>
#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

#ifdef KALYX_HAVE_QT_HELP
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#endif

namespace {
// The collection's namespace and virtual folder, as the help project names them.
const QString kHelpRoot = QStringLiteral("qthelp://com.velmora.kalyx5pc/help/");

#ifdef KALYX_HAVE_QT_HELP
// The contents entry of a page, found by its file name.
QModelIndex contentsIndexOf(QHelpContentModel* model, const QString& page, const QModelIndex& parent = {}) {
  for (int row = 0; row < model->rowCount(parent); ++row) {
    const QModelIndex index = model->index(row, 0, parent);
    const QHelpContentItem* item = model->contentItemAt(index);
    if (item && item->url().fileName() == page) return index;
    const QModelIndex below = contentsIndexOf(model, page, index);
    if (below.isValid()) return below;
  }
  return {};
}
#endif
}  // namespace

HelpSource programHelpSource() {
  // Beside the program in a build folder and on Windows; in ../share/kalyx5pc
  // where the program is installed under bin.
  for (const QString& folder : {programFolder(), programFolder() + QStringLiteral("../share/kalyx5pc/")}) {
    const HelpSource source{folder + QStringLiteral("kalyx5pc.qhc"), folder + QStringLiteral("kalyx5pc-help")};
    if (QFileInfo::exists(source.collectionFile) || QFileInfo(source.pageFolder).isDir()) return source;
  }
  return {programFolder() + QStringLiteral("kalyx5pc.qhc"), programFolder() + QStringLiteral("kalyx5pc-help")};
}

// A text browser that reads the pages of the help collection.
class HelpBrowser : public QTextBrowser {
 public:
  HelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {}

  QVariant loadResource(int type, const QUrl& name) override {
#ifdef KALYX_HAVE_QT_HELP
    if (engine_ && name.scheme() == QLatin1String("qthelp")) return engine_->fileData(name);
#endif
    return QTextBrowser::loadResource(type, name);
  }

 private:
  QHelpEngine* engine_;
};

THelpWindow* THelpWindow::open(const HelpSource& source) {
  auto* window = new THelpWindow(source);
  if (window->hasHelp()) return window;
  delete window;
  return nullptr;
}

THelpWindow::THelpWindow(const HelpSource& source) : source_(source) {
  setObjectName(QStringLiteral("HelpWindow"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle(productName() + QStringLiteral(" Help"));
#ifdef KALYX_HAVE_QT_HELP
  if (QFileInfo::exists(source.collectionFile)) {
    engine_ = new QHelpEngine(source.collectionFile, this);
    engine_->setReadOnly(true);  // the collection may lie in a folder the user cannot write
    if (!engine_->setupData() || engine_->registeredDocumentations().isEmpty()) {
      delete engine_;
      engine_ = nullptr;
    }
  }
#endif
  browser_ = new HelpBrowser(engine_, this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setAccessibleName(QStringLiteral("Help page"));
  // A caret the keyboard moves, from which a screen reader reads.
  browser_->setTextInteractionFlags(browser_->textInteractionFlags() | Qt::TextSelectableByKeyboard);
  if (!engine_) browser_->setSearchPaths({source.pageFolder});
  buildNavigation();
  resize(980, 680);
}

THelpWindow::~THelpWindow() = default;

void THelpWindow::buildNavigation() {
  QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setObjectName(QStringLiteral("tbHelpNavigation"));
  bar->setMovable(false);
  QAction* back = bar->addAction(QStringLiteral("Back"), browser_, &QTextBrowser::backward);
  back->setObjectName(QStringLiteral("mmHelpBack"));
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  QAction* forward = bar->addAction(QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
  forward->setObjectName(QStringLiteral("mmHelpForward"));
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  QAction* home = bar->addAction(QStringLiteral("Home"), this, [this] { showPage(QStringLiteral("QalHelp.html")); });
  home->setObjectName(QStringLiteral("mmHelpHome"));
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  auto* close = new QAction(this);
  close->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);

  auto* tabs = new QTabWidget;
  tabs->setObjectName(QStringLiteral("HelpNavigation"));
  tabs->setFocusPolicy(Qt::NoFocus);  // its tab strip and the contents take the focus (the
  tabs->tabBar()->setFocusPolicy(Qt::TabFocus);  // policy passes on to the strip, which gets its own back)
#ifdef KALYX_HAVE_QT_HELP
  if (engine_) {
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName(QStringLiteral("HelpContents"));
    contents->setAccessibleName(QStringLiteral("Contents"));
    tabs->addTab(contents, QStringLiteral("Contents"));
    // One click on a title shows its page, as Enter and a double click do.
    connect(contents, &QHelpContentWidget::linkActivated, this, [this](const QUrl& url) { browser_->setSource(url); });
    connect(contents, &QTreeView::clicked, this, [this](const QModelIndex& index) {
      if (QHelpContentItem* item = engine_->contentModel()->contentItemAt(index)) browser_->setSource(item->url());
    });
    // The contents open fully, and mark the page shown. (While sourceChanged is
    // emitted, source() still answers the page before, so the signal's address is used.)
    const auto markPage = [this, contents](const QUrl& page) {
      const QModelIndex index = contentsIndexOf(engine_->contentModel(), page.fileName());
      if (index.isValid()) contents->setCurrentIndex(index);
    };
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents, [this, contents, markPage] {
      contents->expandAll();
      markPage(browser_->source());
    });
    connect(browser_, &QTextBrowser::sourceChanged, contents, markPage);

    auto* indexPage = new QWidget;
    auto* filter = new QLineEdit(indexPage);
    filter->setObjectName(QStringLiteral("HelpIndexFilter"));
    filter->setPlaceholderText(QStringLiteral("Look for"));
    filter->setAccessibleName(QStringLiteral("Look for"));
    QHelpIndexWidget* index = engine_->indexWidget();
    index->setObjectName(QStringLiteral("HelpIndex"));
    index->setAccessibleName(QStringLiteral("Index"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(filter);
    indexLayout->addWidget(index);
    tabs->addTab(indexPage, QStringLiteral("Index"));
    connect(filter, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(filter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { browser_->setSource(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links, const QString&) {
      if (!links.isEmpty()) browser_->setSource(links.first().url);
    });
  }
#endif
  // The page's own headings and links, which the text itself gives a screen reader only as text.
  outline_ = new THelpOutline;
  tabs->addTab(outline_, QStringLiteral("On This Page"));
  connect(browser_, &QTextBrowser::sourceChanged, outline_,
          [this](const QUrl& page) { outline_->showDocument(*browser_->document(), page); });
  connect(outline_, &THelpOutline::linkChosen, browser_, [this](const QUrl& url) { browser_->setSource(url); });
  connect(outline_, &THelpOutline::headingChosen, browser_, [this](int position) {
    QTextCursor at(browser_->document());
    at.setPosition(position);
    browser_->setTextCursor(at);
    browser_->ensureCursorVisible();
    browser_->setFocus(Qt::OtherFocusReason);  // a screen reader reads on from the heading
  });
  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({std::max(220, tabs->tabBar()->sizeHint().width() + 8), 680});  // every tab in sight
  setCentralWidget(splitter);
}

bool THelpWindow::hasHelp() const { return engine_ || QFileInfo(source_.pageFolder).isDir(); }

QUrl THelpWindow::pageUrl(const QString& page) const {
  if (engine_) return QUrl(kHelpRoot + page);
  return QUrl::fromLocalFile(QDir(source_.pageFolder).filePath(page));
}

bool THelpWindow::pageExists(const QUrl& url) const {
#ifdef KALYX_HAVE_QT_HELP
  if (engine_) return !engine_->fileData(url).isEmpty();
#endif
  return QFileInfo(url.toLocalFile()).isFile();
}

bool THelpWindow::showPage(const QString& page) {
  const QUrl url = pageUrl(page);
  if (page.isEmpty() || !pageExists(url)) return false;
  browser_->setSource(url);
  return true;
}

QString THelpWindow::currentPage() const { return browser_->source().fileName(); }

HelpWindowViewer::HelpWindowViewer(HelpSource source) : source_(std::move(source)) {}

HelpWindowViewer::~HelpWindowViewer() { delete window_; }

void HelpWindowViewer::showPage(const QString& page) {
  if (!window_) window_ = THelpWindow::open(source_);
  if (!window_ || !window_->showPage(page)) return;
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void HelpWindowViewer::closeAll() {
  if (window_) window_->close();
}
