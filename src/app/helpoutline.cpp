#include "app/helpoutline.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {
enum Role { PositionRole = Qt::UserRole + 1, UrlRole };
}  // namespace

THelpOutline::THelpOutline(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("HelpOutline"));
  setAccessibleName(QStringLiteral("On this page"));
  setHeaderHidden(true);
  setRootIsDecorated(true);
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const QVariant url = item->data(0, UrlRole);
    if (url.isValid()) emit linkChosen(url.toUrl());
    else emit headingChosen(item->data(0, PositionRole).toInt());
  });
}

void THelpOutline::showDocument(const QTextDocument& document, const QUrl& page) {
  clear();
  QTreeWidgetItem* under = nullptr;  // the heading the links that follow belong to
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    const QString text = block.text().simplified();
    if (level > 0 && !text.isEmpty()) {
      under = new QTreeWidgetItem(this, {text});
      under->setData(0, PositionRole, block.position());
      under->setData(0, Qt::AccessibleTextRole, QStringLiteral("Heading %1, %2").arg(level).arg(text));
      QFont bold = font();
      bold.setBold(true);
      under->setFont(0, bold);
      continue;
    }
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextCharFormat format = fragment.fragment().charFormat();
      const QString caption = fragment.fragment().text().simplified();
      if (!format.isAnchor() || format.anchorHref().isEmpty() || caption.isEmpty()) continue;
      const QUrl url = page.resolved(QUrl(format.anchorHref()));
      auto* link = under ? new QTreeWidgetItem(under, {caption}) : new QTreeWidgetItem(this, {caption});
      link->setData(0, UrlRole, url);
      link->setData(0, Qt::AccessibleTextRole, QStringLiteral("Link, ") + caption);
      link->setForeground(0, palette().link());
      link->setToolTip(0, url.fileName());
    }
  }
  expandAll();
}
