#pragma once
#include "autoseq/autoseqrecord.h"
#include "core/appservices.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QStackedWidget;
class TAdvancedPage;
class TAedPanel;
class TCardioversionPage;
class TChargeTimePage;
class TDefibEnergyPage;
class TEcgPerformancePage;
class TGuardedTabWidget;
class TPacerPage;

// The autosequence editor: a modal dialog on a working copy of one record of the
// list. A defibrillator plan is edited on the pages of `PageDefib`, an AED plan on
// `PanelAED`. OK checks every page, stores the controls into the working copy and
// copies it over the list's record; Cancel leaves the record as it was.
class TAutoSeqEdit : public QDialog {
  Q_OBJECT
 public:
  TAutoSeqEdit(QWidget* owner, TAutoSeq& record, const AppServices& services);
  ~TAutoSeqEdit() override;  // keeps the place and the open pages for the next edit

  void showRecord();
  void storeRecord();
  void btnOKClick();

  const TAutoSeq& workingCopy() const { return work_; }

 private:
  QWidget* buildTopBar();
  QWidget* buildButtons();
  void loadDefibPages();
  void showSide(bool aed);  // PanelAED in the place of PageDefib, or back
  void dutChosen(int index);
  // The six checks in page order: all of them, or up to the first that fails.
  bool validatePages(bool stopAtFirstFailure);
  void loadWindowState();
  void saveWindowState();

  TAutoSeq& record_;
  AppServices services_;
  TAutoSeq work_;
  TAutoSeq aedArea_;  // the AED entries at their place in a record while the dialog is open
  QLineEdit* title_ = nullptr;
  QComboBox* dut_ = nullptr;
  QStackedWidget* sides_ = nullptr;  // PageDefib or PanelAED, one at a time in the same place
  TGuardedTabWidget* pageDefib_ = nullptr;
  TDefibEnergyPage* defibEnergy_ = nullptr;
  TChargeTimePage* chargeTime_ = nullptr;
  TCardioversionPage* cardioversion_ = nullptr;
  TEcgPerformancePage* ecgPerformance_ = nullptr;
  TPacerPage* pacer_ = nullptr;
  TAdvancedPage* advanced_ = nullptr;
  TAedPanel* aed_ = nullptr;
};
