#pragma once
#include <QTreeWidget>
#include <QUrl>

class QTextDocument;

// The outline of the help page shown: its headings, each with the links that
// follow it, as a tree beside the page. A screen reader hears each as what it
// is ("Heading 2, Near a limit", "Link, Test reports"), and a keyboard user
// goes to a heading or follows a link with Enter (or a double click).
class THelpOutline : public QTreeWidget {
  Q_OBJECT
 public:
  explicit THelpOutline(QWidget* parent = nullptr);

  // Lists the page's headings and links; relative links are taken from `page`.
  void showDocument(const QTextDocument& document, const QUrl& page);

 signals:
  // A heading was chosen: the position of its block in the document.
  void headingChosen(int position);
  void linkChosen(const QUrl& url);
};
