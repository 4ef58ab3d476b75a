#pragma once
#include "autoseq/autoseqtestlists.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QToolButton;

// The page that shows one list's entries: it fills its option controls from an
// entry, writes them back, and checks them before the user leaves the entry.
class TestListOwner {
 public:
  virtual ~TestListOwner() = default;
  virtual void showEntry(int k) = 0;    // k is a present entry
  virtual void clearEntry() = 0;        // no entry: every option control empty
  virtual void storeEntry(int k) = 0;   // k is a present entry
  virtual bool validateEntry() = 0;     // the current entry; shows its own message
  virtual void firstEntryAdded() {}
};

// One test list of the autosequence editor, the same for all seven lists: the
// list box of entries with its Add and Delete buttons and its maximum, kept in
// step with the entries of a record (the working copy, or the AED working area).
// The option controls are enabled exactly while the list has entries; leaving an
// entry checks and stores it first.
class TTestListBox : public QWidget {
 public:
  TTestListBox(const TestListKind& kind, TAutoSeq& record, TestListOwner& owner, QWidget* parent = nullptr);
  // The option controls, enabled exactly while the list has entries.
  void setOptionControls(QList<QWidget*> options) { options_ = std::move(options); }

  void rebuild();          // from the record's present entries; selects and shows the first
  void storeCurrent();     // the current entry into the record, or the list's block 0 without one
  bool validateCurrent();  // true without a current entry
  int count() const;

  void add();     // Add, and Insert in the list: silent at the maximum
  void remove();  // Delete, and the Delete key in the list; no question asked

  QListWidget* list() const { return list_; }
  QToolButton* addButton() const { return add_; }
  QToolButton* deleteButton() const { return delete_; }

 private:
  void show(int k);
  void rowChosen();
  void select(int row);  // makes the row the current entry without leaving the old one

  const TestListKind& kind_;
  TAutoSeq& record_;
  TestListOwner& owner_;
  QList<QWidget*> options_;
  QListWidget* list_;
  QToolButton *add_, *delete_;
  int current_ = -1;
};
