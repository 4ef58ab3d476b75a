#pragma once
#include "autoseq/autoseqrecord.h"
#include "core/appservices.h"
#include "grid/listframe.h"

#include <QList>
#include <memory>

class CommProgressHost;
class QAction;
class QToolBar;

// The autosequence page: the program's own set of up to 32 test plans, kept in
// autoseq.dat, listed with sorting; New, Copy and Delete; the exchange of the
// whole set with the analyzer (download replaces the list, upload replaces the
// analyzer's set) and the printout.
//
// autoseq.dat is written after every change the list accepts, through the save
// helper, so a crash or a power cut loses nothing and a failed write leaves the
// old file whole; a failed write is said, and tried again at the next change and
// at exit.
class TAutoSeqFrame : public TListFrame {
  Q_OBJECT
 public:
  explicit TAutoSeqFrame(const AppServices& services, QWidget* parent = nullptr);
  ~TAutoSeqFrame() override;

  void newAutoSeq();
  void copyAutoSeq();
  void deleteAutoSeq();
  void tbAutoSeqDownloadClick();
  void tbAutoSeqUploadClick();
  void tbAutoSeqPrintClick();
  void pmEditClick();

  const QList<TAutoSeq>& records() const { return records_; }
  CommProgressHost* progressHost() const { return progress_.get(); }

 private:
  void addTools(QToolBar* toolbar);
  void buildPopup();
  void enablePopup();
  void sgAutoSeqDblClick();
  bool editRecord(int index);
  void saveRecords();

  AppServices services_;
  QList<TAutoSeq> records_;
  bool unsaved_ = false;  // the last write of autoseq.dat failed
  std::unique_ptr<CommProgressHost> progress_;
  QAction *pmEdit_ = nullptr, *pmNew_ = nullptr, *pmCopy_ = nullptr, *pmDelete_ = nullptr;
};
