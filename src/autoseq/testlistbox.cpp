#include "autoseq/testlistbox.h"

#include "core/toolicons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton* makeButton(const QString& name, const char* hint, const QIcon& icon, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setToolTip(QString::fromLatin1(hint));
  button->setAccessibleName(QString::fromLatin1(hint));  // a picture button is named by what it does
  button->setIcon(icon);
  button->setIconSize(QSize(16, 16));
  button->setAutoRaise(true);
  return button;
}
}  // namespace

TTestListBox::TTestListBox(const TestListKind& kind, TAutoSeq& record, TestListOwner& owner, QWidget* parent)
    : QWidget(parent), kind_(kind), record_(record), owner_(owner) {
  const QString name = QString::fromLatin1(kind.name);
  const QString stem = name.mid(3);  // "lstDefib": "Defib"
  list_ = new QListWidget(this);
  list_->setObjectName(name);
  list_->setAccessibleName(QString::fromLatin1(kind.itemPrefix).trimmed() + QStringLiteral(" Tests"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  add_ = makeButton(QStringLiteral("tb%1Add").arg(stem), kind.addHint, newIcon(), this);
  delete_ = makeButton(QStringLiteral("tb%1Delete").arg(stem), kind.deleteHint, deleteIcon(), this);
  auto* maximum = new QLabel(QString::fromLatin1(kind.maximumLabel), this);
  maximum->setObjectName(QStringLiteral("lbl%1Maximum").arg(stem));
  list_->setAccessibleDescription(maximum->text());  // read with the list

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(0);
  buttons->addWidget(add_);
  buttons->addWidget(delete_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  layout->addWidget(maximum);
  maximum->setWordWrap(true);
  setFixedWidth(150);  // the options beside the list get the rest of the page

  connect(add_, &QToolButton::clicked, this, &TTestListBox::add);
  connect(delete_, &QToolButton::clicked, this, &TTestListBox::remove);
  auto* deleteKey = new QShortcut(QKeySequence::Delete, list_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(deleteKey, &QShortcut::activated, this, &TTestListBox::remove);
  auto* insertKey = new QShortcut(QKeySequence(Qt::Key_Insert), list_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(insertKey, &QShortcut::activated, this, &TTestListBox::add);
  // Handled once the click or key that moved the row is over, so a refused change
  // can put the row back without the view selecting the clicked row after it.
  connect(list_, &QListWidget::currentRowChanged, this, &TTestListBox::rowChosen, Qt::QueuedConnection);
}

int TTestListBox::count() const { return list_->count(); }

void TTestListBox::rebuild() {
  list_->clear();
  const int n = presentEntryCount(kind_, record_);
  for (int k = 0; k < n; ++k) list_->addItem(testItemText(kind_, k));
  if (n > 0) list_->setCurrentRow(0);
  current_ = n > 0 ? 0 : -1;
  show(current_);
}

void TTestListBox::show(int k) {
  const bool present = k >= 0 && k < kind_.maximum;
  for (QWidget* control : options_) control->setEnabled(present);
  if (present) owner_.showEntry(k);
  else owner_.clearEntry();
}

void TTestListBox::storeCurrent() {
  if (current_ >= 0 && current_ < kind_.maximum) owner_.storeEntry(current_);
  else clearTestList(kind_, record_);
}

bool TTestListBox::validateCurrent() { return current_ < 0 || owner_.validateEntry(); }

void TTestListBox::add() {
  const int n = appendDefaultEntry(kind_, record_);
  if (n < 0) return;
  list_->addItem(testItemText(kind_, n));
  if (n != 0) return;  // a later entry is added unselected; the current one stays
  select(0);
  show(0);
  owner_.firstEntryAdded();
}

void TTestListBox::remove() {
  const int selected = list_->currentRow();
  if (count() == 0 || selected < 0) return;
  deleteEntry(kind_, record_, selected);
  rebuild();
  const int next = selected > 0 ? selected - 1 : 0;
  if (next >= count()) return;
  select(next);
  show(next);
}

void TTestListBox::rowChosen() {
  const int row = list_->currentRow();
  if (row == current_ || row < 0) return;  // the list moved it itself, or it was put back
  if (!validateCurrent()) {
    list_->setCurrentRow(current_);
    return;
  }
  storeCurrent();
  current_ = row;
  show(row);
}

void TTestListBox::select(int row) {
  list_->setCurrentRow(row);
  current_ = row;
}
