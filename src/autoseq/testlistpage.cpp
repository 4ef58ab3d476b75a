#include "autoseq/testlistpage.h"

#include <QHBoxLayout>

TTestListPage::TTestListPage(TestList list, TAutoSeq& entries, QWidget* parent)
    : QWidget(parent), entries_(entries), tests_(new TTestListBox(testListKind(list), entries, *this, this)) {}

void TTestListPage::placeOptions(QWidget* options) {
  tests_->setOptionControls({options});
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tests_);
  layout->addWidget(options, 1);
}
