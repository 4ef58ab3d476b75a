#pragma once
#include "autoseq/autoseqrecord.h"
#include "autoseq/testlistbox.h"

// A page of the editor built around one test list: the list on the left, the
// option controls of its current entry on the right.
class TTestListPage : public QWidget, public TestListOwner {
 public:
  TTestListBox* tests() const { return tests_; }
  bool validate() { return tests_->validateCurrent(); }  // the current entry, if there is one
  bool validateEntry() override { return true; }         // most lists: any choice is valid

 protected:
  TTestListPage(TestList list, TAutoSeq& entries, QWidget* parent);
  // Lays out the list beside its options group, which is enabled with the list.
  void placeOptions(QWidget* options);

  TAutoSeq& entries_;  // the working copy, or for the AED list the AED working area
  TTestListBox* tests_;
};
