#include "autoseq/autoseqframe.h"

#include "analyzer/systeminfo.h"
#include "autoseq/autoseqedit.h"
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqlist.h"
#include "autoseq/autoseqprintout.h"
#include "core/printprompts.h"
#include "core/toolicons.h"
#include "core/usermessages.h"
#include "device/commprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "grid/frametoolbar.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "print/lineprinter.h"
#include "print/printjob.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QToolBar>

using namespace autoseqlist;

namespace {
QList<QByteArray> asBlocks(const QList<TAutoSeq>& records) {
  QList<QByteArray> blocks;
  for (const TAutoSeq& rec : records) blocks.append(QByteArray(rec.data(), TAutoSeq::Size));
  return blocks;
}

void showFileError(UserMessages& messages, const QString& text) {
  messages.show(text, autoSeqFileErrorCaption(), UserMessages::Icon::Error);
}
}  // namespace

TAutoSeqFrame::TAutoSeqFrame(const AppServices& services, QWidget* parent)
    : TListFrame(parent), services_(services), progress_(std::make_unique<CommProgressHost>(this, *services.messages)) {
  ListColumns columns = recordColumns(records_, kColumnCount, columnHeader, cellText, sortKey, sortKind);
  columns.widths = {124, 148, 330};
  columns.widest = {{QString::number(kAutoSeqRecords.limit)}, {kLongestDeviceId},
                    {QStringLiteral("Defibrillator"), QStringLiteral("AED"), QStringLiteral("Empty")}};
  columns.maximum = kAutoSeqRecords.limit;
  columns.noun = QStringLiteral("Autosequences");
  addTools(installList(QStringLiteral("sgAutoSeq"), QStringLiteral("sbAutoSeq"), std::move(columns),
                       QStringLiteral("tbAutoSeq"), services_.settings));
  buildPopup();
  connect(grid(), &TStringGridEx::gridDblClick, this, &TAutoSeqFrame::sgAutoSeqDblClick);

  const AutoSeqFileRead read = loadAutoSeqFile(services_.autoSeqFile);
  if (read.status == AutoSeqFileRead::Status::Unreadable) showFileError(*services_.messages, autoSeqReadFailureText());
  records_ = read.records;
  if (services_.settings) listPage()->loadGridSettings(*services_.settings);
  listPage()->recordsReplaced(false);

  setCommands({{FrameCommand::New, [this] { newAutoSeq(); }},
               {FrameCommand::Print, [this] { tbAutoSeqPrintClick(); }},
               {FrameCommand::Copy, [this] { copyAutoSeq(); }},
               {FrameCommand::Delete, [this] { deleteAutoSeq(); }},
               {FrameCommand::SelectAll, [this] { selectAll(); }},
               {FrameCommand::Download, [this] { tbAutoSeqDownloadClick(); }},
               {FrameCommand::Upload, [this] { tbAutoSeqUploadClick(); }}});
}

TAutoSeqFrame::~TAutoSeqFrame() {
  // Every accepted change was written at once; only a write that failed is tried again.
  if (unsaved_) saveAutoSeqFile(services_.autoSeqFile, records_);
}

void TAutoSeqFrame::addTools(QToolBar* toolbar) {
  const auto tool = [toolbar](const char* name, const QIcon& icon, const char* caption, const char* hint) {
    QAction* action = addFrameTool(toolbar, name, icon, QString::fromLatin1(hint));
    action->setText(QString::fromLatin1(caption));
    action->setToolTip(QString::fromLatin1(hint));
    return action;
  };
  connect(tool("tbAutoSeqNew", newIcon(), "New", "New Autosequence"), &QAction::triggered, this,
          &TAutoSeqFrame::newAutoSeq);
  connect(tool("tbAutoSeqCopy", copyIcon(), "Copy", "Copy Autosequences"), &QAction::triggered, this,
          &TAutoSeqFrame::copyAutoSeq);
  connect(tool("tbAutoSeqDelete", deleteIcon(), "Delete", "Delete Autosequences"), &QAction::triggered, this,
          &TAutoSeqFrame::deleteAutoSeq);
  toolbar->addSeparator();
  connect(tool("tbAutoSeqDownload", downloadIcon(), "Download", "Download Autosequences"), &QAction::triggered, this,
          &TAutoSeqFrame::tbAutoSeqDownloadClick);
  connect(tool("tbAutoSeqUpload", uploadIcon(), "Upload", "Upload Autosequences"), &QAction::triggered, this,
          &TAutoSeqFrame::tbAutoSeqUploadClick);
  toolbar->addSeparator();
  connect(tool("tbAutoSeqPrint", printIcon(), "Print", "Print Autosequences"), &QAction::triggered, this,
          &TAutoSeqFrame::tbAutoSeqPrintClick);
}

void TAutoSeqFrame::buildPopup() {
  auto* popup = new QMenu(this);
  popup->setObjectName(QStringLiteral("PopupMenuAutoSeq"));
  const auto item = [popup](const char* name, const char* caption) {
    QAction* action = popup->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };
  pmEdit_ = item("pmEdit", "&Edit");
  pmNew_ = item("pmNew", "&New");
  pmCopy_ = item("pmCopy", "&Copy");
  pmDelete_ = item("pmDelete", "&Delete");
  connect(pmEdit_, &QAction::triggered, this, &TAutoSeqFrame::pmEditClick);
  connect(pmNew_, &QAction::triggered, this, &TAutoSeqFrame::newAutoSeq);
  connect(pmCopy_, &QAction::triggered, this, &TAutoSeqFrame::copyAutoSeq);
  connect(pmDelete_, &QAction::triggered, this, &TAutoSeqFrame::deleteAutoSeq);
  grid()->setPopupMenu(popup);
  connect(grid(), &TStringGridEx::popupRequested, this, &TAutoSeqFrame::enablePopup);
}

// Before the grid moves the selection to the clicked row: Edit wants exactly one
// selected record, Copy and Delete a list that is not empty.
void TAutoSeqFrame::enablePopup() {
  const bool any = !records_.isEmpty();
  pmEdit_->setEnabled(any && grid()->getSelCount() == 1);
  pmCopy_->setEnabled(any);
  pmDelete_->setEnabled(any);
  pmNew_->setEnabled(true);
}

void TAutoSeqFrame::saveRecords() {
  unsaved_ = saveAutoSeqFile(services_.autoSeqFile, records_).has_value();
  if (unsaved_) showFileError(*services_.messages, autoSeqWriteFailureText());
}

void TAutoSeqFrame::newAutoSeq() {
  if (records_.size() < kAutoSeqRecords.limit) {
    records_.append(initAutoSeq());
    listPage()->appendRecord(int(records_.size()) - 1);
    saveRecords();
  }
  listPage()->updateStatus();
}

void TAutoSeqFrame::copyAutoSeq() {
  const QList<int> selected = listPage()->selectedIndexes();
  const qsizetype room = kAutoSeqRecords.limit - records_.size();
  if (!records_.isEmpty() && room >= selected.size() && !selected.isEmpty()) {
    for (int index : selected) {
      records_.append(records_[index]);
      listPage()->appendRecord(int(records_.size()) - 1);
    }
    saveRecords();
  }
  listPage()->updateStatus();
}

void TAutoSeqFrame::deleteAutoSeq() {
  if (grid()->getDispLstSize() > 0 &&
      services_.messages->show(QStringLiteral("Do you want to delete the selected autosequences?"),
                               QStringLiteral("Delete Autosequences?"), UserMessages::Icon::Warning,
                               UserMessages::Buttons::YesNo) == UserMessages::Result::Yes) {
    const QList<int> selected = listPage()->selectedIndexes();
    for (qsizetype i = selected.size() - 1; i >= 0; --i) records_.removeAt(selected[i]);
    listPage()->recordsReplaced(false);
    saveRecords();
  }
  listPage()->updateStatus();
}

void TAutoSeqFrame::tbAutoSeqDownloadClick() {
  if (services_.messages->show(QStringLiteral("Are you sure you want to download autosequences from Kalyx 5?\n"
                                              "Existing autosequences will be overwritten."),
                               QStringLiteral("Download Autosequences?"), UserMessages::Icon::Warning,
                               UserMessages::Buttons::YesNo) != UserMessages::Result::Yes)
    return;
  DeviceLink link{*services_.driver, *services_.messages};
  runDownload(link, *progress_, kAutoSeqRecords, swapAutoSeq, [this](const SystemInfo&, const QList<QByteArray>& blocks) {
    records_.clear();
    for (const QByteArray& block : blocks) records_.append(autoSeqFromBytes(block.constData()));
    listPage()->recordsReplaced(false);
    saveRecords();
  });
}

void TAutoSeqFrame::tbAutoSeqUploadClick() {
  if (grid()->getDispLstSize() == 0) return;
  DeviceLink link{*services_.driver, *services_.messages};
  runUpload(link, *progress_, asBlocks(records_), swapAutoSeq);  // in record order, whatever the grid's order
}

void TAutoSeqFrame::tbAutoSeqPrintClick() {
  if (grid()->getDispLstSize() == 0) return;
  QPrinter printer(QPrinter::HighResolution);
  if (!services_.printing || !services_.printing->choosePrinter(window(), printer, true)) return;
  QList<int> indexes;
  if (printer.printRange() == QPrinter::Selection) indexes = listPage()->selectedIndexes();
  else
    for (int i = 0; i < records_.size(); ++i) indexes << i;
  QList<QStringList> documents;
  for (int index : indexes) documents.append(autoSeqPrintLines(records_[index]));
  reportPrintOutcome(runPrintJob(printer, [&documents](QPagedPaintDevice& device) { return printLines(device, documents); }),
                     *services_.messages);
}

// The editor writes the record back itself, on OK only; an empty record has nothing to edit.
bool TAutoSeqFrame::editRecord(int index) {
  if (index < 0 || index >= records_.size() || records_[index].u8(autoseq::Device) == autoseq::Empty) return false;
  TAutoSeqEdit editor(this, records_[index], services_);
  return editor.exec() == QDialog::Accepted;
}

// An accepted edit is written to autoseq.dat at once, whichever way the editor was opened.
void TAutoSeqFrame::sgAutoSeqDblClick() {
  if (!editRecord(listPage()->currentRecord())) return;
  listPage()->fillGrid();
  saveRecords();
}

void TAutoSeqFrame::pmEditClick() {
  if (!editRecord(listPage()->currentRecord())) return;
  listPage()->fillGrid();
  saveRecords();
}
