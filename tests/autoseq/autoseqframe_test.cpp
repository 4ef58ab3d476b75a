#include "autoseq/autoseqedit.h"
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqframe.h"
#include "device/commprogress.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "support/autoseqmemory.h"
#include "support/pdftext.h"
#include "support/scriptedprinter.h"
#include "support/testfiles.h"
#include "support/uiharness.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace autoseq;

namespace {
QList<TAutoSeq> plans(int n) {
  QList<TAutoSeq> list;
  for (int i = 0; i < n; ++i) list << makeAutoSeq(QStringLiteral("PLAN %1").arg(i + 1));
  return list;
}

class AutoSeqFrameTest : public UiHarness {
 protected:
  PdfPrintPrompts printer;
  std::unique_ptr<TAutoSeqFrame> frame;
  TStringGridEx* grid = nullptr;

  // The frame as the program starts it, on a data file holding these records.
  void start(const QList<TAutoSeq>& onFile) {
    if (!onFile.isEmpty()) writeAll(autoSeqFile(), autoSeqFileBytes(onFile));
    AppServices s = services();
    s.printing = &printer;
    frame = std::make_unique<TAutoSeqFrame>(s);
    frame->resize(700, 450);
    frame->show();
    grid = frame->grid();
  }
  QList<TAutoSeq> onFile() const { return loadAutoSeqFile(autoSeqFile()).records; }
  QStringList titles() const {
    QStringList out;
    for (const TAutoSeq& rec : frame->records()) out << autoSeqTitleText(rec);
    return out;
  }
  QStringList shownTitles() const {
    QStringList out;
    for (int r = 1; r <= grid->getDispLstSize(); ++r) out << grid->cellText(r, 1);
    return out;
  }
  QList<int> selected() const { return frame->listPage()->selectedIndexes(); }
  void select(std::initializer_list<int> indexes) {
    grid->deselectAll();
    for (int i : indexes) grid->setSelLst(i, true);
  }
  void pressHeader(int column) {
    const QPoint at(grid->columnViewportPosition(column) + 10, 5);
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, at);
  }
  void closeDialog() {
    if (TCommProgress* dialog = frame->progressHost()->current()) dialog->closeProgress();
  }
};
}  // namespace

TEST_F(AutoSeqFrameTest, TheDataFileIsListedAtTheStartAndAFirstStartSaysNothing) {
  start({makeAutoSeq("ICU PLAN"), makeAutoSeq("LOBBY AED", Aed), makeAutoSeq("", Empty)});
  EXPECT_EQ(frame->statusText(), "3/32 Autosequences");
  EXPECT_EQ(grid->cellText(2, 0), "2");
  EXPECT_EQ(grid->cellText(2, 1), "LOBBY AED");
  EXPECT_EQ(grid->cellText(2, 2), "AED");
  EXPECT_EQ(grid->cellText(3, 2), "Empty");
  EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Device Under Test");
  EXPECT_TRUE(messages.shown.isEmpty());
  frame.reset();
  QFile::remove(autoSeqFile());
  start({});
  EXPECT_EQ(frame->statusText(), "0/32 Autosequences");
  EXPECT_TRUE(messages.shown.isEmpty());  // no file yet is no failure
}

TEST_F(AutoSeqFrameTest, AFileThatCannotBeReadIsSaidAndNeverOverwrittenUnasked) {
  QDir().mkpath(autoSeqFile());  // something is there, but no file can be read from it
  start({});
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Could not open autosequence data file for reading.");
  EXPECT_EQ(messages.shown[0].caption, "Error Opening File");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  frame.reset();
  EXPECT_TRUE(QFileInfo(autoSeqFile()).isDir());
}

TEST_F(AutoSeqFrameTest, NewAddsUpToThirtyTwoAndEachChangeIsWrittenAtOnce) {
  start(plans(31));
  frame->newAutoSeq();
  EXPECT_EQ(frame->statusText(), "32/32 Autosequences");
  EXPECT_EQ(onFile().size(), 32);
  EXPECT_EQ(onFile().last().bytes, initAutoSeq().bytes);
  EXPECT_FALSE(grid->getSelLst(31));
  frame->newAutoSeq();  // the limit: nothing happens, nothing is said
  EXPECT_EQ(frame->records().size(), 32);
  EXPECT_EQ(frame->statusText(), "32/32 Autosequences");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AutoSeqFrameTest, CopyNeedsRoomForEverySelectedRecord) {
  start(plans(30));
  select({4, 7, 9});
  frame->copyAutoSeq();
  EXPECT_EQ(frame->records().size(), 30);
  select({7, 4});
  pressHeader(1);
  pressHeader(1);  // sorted by title, descending: the copies still come last
  frame->copyAutoSeq();
  ASSERT_EQ(frame->records().size(), 32);
  EXPECT_EQ(frame->records()[30].bytes, frame->records()[4].bytes);  // in record order, identical
  EXPECT_EQ(frame->records()[31].bytes, frame->records()[7].bytes);
  EXPECT_EQ(shownTitles().mid(30), (QStringList{"PLAN 5", "PLAN 8"}));
  EXPECT_EQ(selected(), (QList<int>{4, 7}));  // the copies are not selected
  EXPECT_EQ(onFile().size(), 32);
}

TEST_F(AutoSeqFrameTest, DeleteAsksThenRemovesTheSelectedAndRenumbers) {
  start(plans(5));
  select({1, 3});
  messages.answers = {UserMessages::Result::No};
  frame->deleteAutoSeq();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Do you want to delete the selected autosequences?");
  EXPECT_EQ(messages.shown[0].caption, "Delete Autosequences?");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Warning);
  EXPECT_EQ(messages.shown[0].buttons, UserMessages::Buttons::YesNo);
  EXPECT_EQ(frame->records().size(), 5);
  frame->deleteAutoSeq();  // Yes
  EXPECT_EQ(titles(), (QStringList{"PLAN 1", "PLAN 3", "PLAN 5"}));
  EXPECT_EQ(grid->cellText(3, 0), "3");
  EXPECT_EQ(selected().size(), 1);  // only the current row's record is selected afterwards
  EXPECT_EQ(onFile().size(), 3);
  EXPECT_EQ(frame->statusText(), "3/32 Autosequences");
}

TEST_F(AutoSeqFrameTest, TitlesSortWithoutCaseTiesInRecordOrderAndReverseWhole) {
  start({makeAutoSeq("beta"), makeAutoSeq("Alpha"), makeAutoSeq("BETA"), makeAutoSeq("alpha")});
  pressHeader(1);
  EXPECT_EQ(grid->dispLst(), (QList<int>{1, 3, 0, 2}));
  EXPECT_EQ(grid->cellText(1, 0), "2");  // No. stays the record's own number
  pressHeader(1);
  EXPECT_EQ(grid->dispLst(), (QList<int>{2, 0, 3, 1}));
}

TEST_F(AutoSeqFrameTest, DownloadAsksFirstAndReplacesTheListOnlyWhenAllArrived) {
  start(plans(2));
  useMemory(memoryOfAutoSeqs(plans(32)));
  messages.answers = {UserMessages::Result::No};
  frame->tbAutoSeqDownloadClick();
  EXPECT_EQ(messages.shown[0].text,
            "Are you sure you want to download autosequences from Kalyx 5?\nExisting autosequences will be overwritten.");
  EXPECT_EQ(messages.shown[0].caption, "Download Autosequences?");
  EXPECT_EQ(driver.opens, 0);
  frame->tbAutoSeqDownloadClick();
  closeDialog();
  EXPECT_EQ(frame->records().size(), 32);
  EXPECT_EQ(frame->statusText(), "32/32 Autosequences");
  EXPECT_EQ(onFile().size(), 32);  // written at once
  EXPECT_EQ(frame->progressHost()->current()->findChild<QProgressBar*>("pbComm")->maximum(), 33);

  useMemory(memoryOfAutoSeqs(plans(33)));
  frame->tbAutoSeqDownloadClick();
  EXPECT_EQ(messages.shown.last().text, "Unexpected number of autosequences.");
  useMemory(memoryOfAutoSeqs({}));
  frame->tbAutoSeqDownloadClick();
  EXPECT_EQ(messages.shown.last().text, "No autosequences to download.");
  useMemory(memoryOfAutoSeqs(plans(3)));
  driver.engine().setBlockDelay(80);
  QTimer::singleShot(120, [this] { frame->progressHost()->current()->findChild<QPushButton*>("btnCancel")->click(); });
  frame->tbAutoSeqDownloadClick();
  EXPECT_EQ(frame->records().size(), 32);  // cancelled: the list as it was
  EXPECT_EQ(onFile().size(), 32);
}

TEST_F(AutoSeqFrameTest, UploadSendsTheRecordsInRecordOrderWhateverTheSort) {
  start({});
  frame->tbAutoSeqUploadClick();
  EXPECT_EQ(driver.opens, 0);  // nothing to send: no link is opened
  frame.reset();
  const QList<TAutoSeq> records = {makeAutoSeq("ZULU"), makeAutoSeq("ALPHA", Aed), makeAutoSeq("MIKE")};
  start(records);
  pressHeader(1);
  frame->tbAutoSeqUploadClick();
  closeDialog();
  EXPECT_EQ(driver.engine().memory().autoSeqs, autoSeqWireBlocks(records));
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"GS", "PA"}));
  EXPECT_EQ(frame->records()[0].bytes, records[0].bytes);  // the list stays in host order
}

TEST_F(AutoSeqFrameTest, ThePopUpEnablesEditOnlyForOneSelectedRecord) {
  start(plans(3));
  auto* popup = frame->findChild<QMenu*>("PopupMenuAutoSeq");
  ASSERT_NE(popup, nullptr);
  select({0, 2});
  emit grid->popupRequested(2);
  EXPECT_FALSE(popup->findChild<QAction*>("pmEdit")->isEnabled());
  EXPECT_TRUE(popup->findChild<QAction*>("pmCopy")->isEnabled());
  select({1});
  emit grid->popupRequested(2);
  EXPECT_TRUE(popup->findChild<QAction*>("pmEdit")->isEnabled());
  frame.reset();
  QFile::remove(autoSeqFile());
  start({});
  emit grid->popupRequested(1);
  auto* empty = frame->findChild<QMenu*>("PopupMenuAutoSeq");
  EXPECT_FALSE(empty->findChild<QAction*>("pmDelete")->isEnabled());
  EXPECT_FALSE(empty->findChild<QAction*>("pmEdit")->isEnabled());
  EXPECT_TRUE(empty->findChild<QAction*>("pmNew")->isEnabled());
}

TEST_F(AutoSeqFrameTest, AFailedWriteIsSaidTheListKeptAndTheOldFileWhole) {
  start(plans(2));
  const QByteArray before = readAll(autoSeqFile());
  // A folder in the file's place makes the write fail, for root too.
  const QString saved = dataHome.path() + "/saved.dat";
  ASSERT_TRUE(QFile::rename(autoSeqFile(), saved));
  ASSERT_TRUE(QDir().mkpath(autoSeqFile()));
  frame->newAutoSeq();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Could not open autosequence data file for writing.");
  EXPECT_EQ(messages.shown[0].caption, "Error Opening File");
  EXPECT_EQ(frame->records().size(), 3);  // kept in memory
  EXPECT_EQ(readAll(saved), before);
}

TEST_F(AutoSeqFrameTest, PrintOffersTheSelectionAndPrintsInRecordOrder) {
  start({makeAutoSeq("FIRST"), makeAutoSeq("SECOND", Aed), makeAutoSeq("THIRD")});
  printer.pdfPath = dataHome.path() + "/all.pdf";
  printer.printAll = true;
  pressHeader(1);
  pressHeader(1);
  frame->tbAutoSeqPrintClick();
  EXPECT_TRUE(printer.selectionOffered);
  EXPECT_EQ(pdfPageCount(printer.pdfPath), 3);  // three page runs
  EXPECT_TRUE(pdfText(printer.pdfPath, 1).contains("Autosequence Title: FIRST"));
  EXPECT_TRUE(pdfText(printer.pdfPath, 2).simplified().contains("Device Under Test: AED"));
  EXPECT_TRUE(pdfText(printer.pdfPath, 3).simplified().contains("Auto-Test Timer: 5 seconds"));

  printer.pdfPath = dataHome.path() + "/selection.pdf";
  printer.printAll = false;
  select({2, 0});
  frame->tbAutoSeqPrintClick();
  EXPECT_EQ(pdfPageCount(printer.pdfPath), 2);
  EXPECT_TRUE(pdfText(printer.pdfPath, 2).contains("THIRD"));
}

namespace {
// Answers the editor from inside its own loop, as the user would.
template <class Answer>
void whenEditorOpens(Answer answer) {
  QTimer::singleShot(0, [answer] {
    auto* editor = qobject_cast<TAutoSeqEdit*>(QApplication::activeModalWidget());
    answer(editor);
  });
}

void retitleAndAccept(TAutoSeqEdit* editor, const char* title) {
  ASSERT_NE(editor, nullptr) << "no editor opened";
  editor->findChild<QLineEdit*>("txtTitle")->setText(QString::fromLatin1(title));
  editor->findChild<QPushButton*>("btnOK")->click();
}
}  // namespace

TEST_F(AutoSeqFrameTest, DoubleClickingARecordEditsItAndWritesTheAcceptedEdit) {
  start({makeAutoSeq("ICU"), makeAutoSeq("LOBBY AED", Aed)});
  const QPoint row2 = grid->cellRect(2, 1).center();
  whenEditorOpens([](TAutoSeqEdit* editor) {
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->findChild<QComboBox*>("cbDUT")->currentText(), "AED");
    retitleAndAccept(editor, "LOBBY AED 2");
  });
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row2);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row2);
  EXPECT_EQ(autoSeqTitleText(frame->records()[1]), "LOBBY AED 2");
  EXPECT_EQ(grid->cellText(2, 1), "LOBBY AED 2");
  EXPECT_EQ(autoSeqTitleText(onFile()[1]), "LOBBY AED 2");  // an accepted edit is kept at once
}

TEST_F(AutoSeqFrameTest, EditFromThePopUpWritesTheFileOnlyWhenAccepted) {
  start({makeAutoSeq("ICU"), makeAutoSeq("WARD")});
  const QByteArray before = readAll(autoSeqFile());
  grid->setCurrentGridRow(1);
  whenEditorOpens([](TAutoSeqEdit* editor) {
    ASSERT_NE(editor, nullptr);
    editor->findChild<QLineEdit*>("txtTitle")->setText("NOT KEPT");
    editor->findChild<QPushButton*>("btnCancel")->click();
  });
  frame->pmEditClick();
  EXPECT_EQ(readAll(autoSeqFile()), before);
  EXPECT_EQ(autoSeqTitleText(frame->records()[0]), "ICU");

  whenEditorOpens([](TAutoSeqEdit* editor) { retitleAndAccept(editor, "ICU BED 4"); });
  frame->pmEditClick();
  EXPECT_EQ(grid->cellText(1, 1), "ICU BED 4");
  EXPECT_EQ(autoSeqTitleText(onFile()[0]), "ICU BED 4");
}

TEST_F(AutoSeqFrameTest, AnEmptyRecordOpensNoEditor) {
  start({makeAutoSeq("", Empty)});
  grid->setCurrentGridRow(1);
  bool opened = false;
  QTimer::singleShot(0, [&opened] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      opened = true;
      static_cast<QDialog*>(modal)->reject();
    }
  });
  frame->pmEditClick();
  emit grid->gridDblClick();
  QCoreApplication::processEvents();
  EXPECT_FALSE(opened);
  EXPECT_EQ(frame->records()[0].bytes, makeAutoSeq("", Empty).bytes);
}
