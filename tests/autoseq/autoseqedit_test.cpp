#include "autoseq/autoseqtestlists.h"
#include "autoseq/sampleautoseqs.h"
#include "support/autoseqeditharness.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QApplication>
#include <QStackedWidget>
#include <QTest>

using namespace autoseq;

namespace {
TAutoSeq withDefibEnergies(std::initializer_list<quint16> joules) {
  TAutoSeq rec = initAutoSeq();
  std::size_t k = 0;
  for (quint16 j : joules) setEntryAt(rec, k++, DefibEnergyEntry{quint16(j * 10), 3, 40, 0, 1});
  return rec;
}

class AutoSeqEditTest : public AutoSeqEditHarness {};
}  // namespace

TEST_F(AutoSeqEditTest, TheWindowHasItsCaptionControlsAndChoices) {
  open(plan());
  EXPECT_EQ(editor->windowTitle(), "Kalyx 5pc Autosequence Editor");
  EXPECT_EQ(edit("txtTitle")->text(), "PLAN");
  EXPECT_EQ(edit("txtTitle")->maxLength(), 16);
  EXPECT_EQ(items(combo("cbDUT")), QStringList({"Defibrillator", "AED"}));
  QTabWidget* pages = find<QTabWidget>("PageDefib");
  QStringList tabs;
  for (int i = 0; i < pages->count(); ++i) tabs << pages->tabText(i);
  EXPECT_EQ(tabs, QStringList({"Defib Energy", "Charge Time", "Cardioversion", "ECG Performance", "Pacer", "Advanced"}));
  EXPECT_GE(editor->width(), 504);
  EXPECT_EQ(editor->minimumSize(), editor->maximumSize());  // a fixed border

  EXPECT_EQ(items(combo("cbDefibTolerance")), QStringList({"±5%", "±10%", "±15%", "±20%"}));
  EXPECT_EQ(items(combo("cbDefibWaveBank")), QStringList({"None", "Shock Advisory / AED"}));
  EXPECT_EQ(items(combo("cbCardWaveBank")), QStringList({"Sinus Rhythm", "Shock Advisory / AED"}));
  EXPECT_EQ(items(combo("cbCardWave")), QStringList({"ECG 60 BPM (ECG60)", "ECG 90 BPM (ECG90)", "ECG 120 BPM (ECG120)"}));
  EXPECT_EQ(items(combo("cbCardMethod")), QStringList({"ECG Q Wave", "ECG R Wave"}));
  EXPECT_EQ(items(combo("cbChargeWave")).value(9), "Ventricular Fibrillation, Coarse (VFIB1)");
  EXPECT_EQ(items(combo("cbECGWaveBank")),
            QStringList({"Performance", "Sinus Rhythm", "Arrhythmia", "Shock Advisory / AED", "Square Pacer Trigger",
                         "Triangle Pacer Trigger", "Haversine Pacer Trigger"}));
  EXPECT_EQ(items(combo("cbAEDWaveBank")), QStringList({"Shock Advisory / AED"}));
  EXPECT_EQ(items(combo("cbDefibScale")),
            QStringList({"x1   (1.0mV QRS Lead II)", "x2   (2.0mV QRS Lead II)", "x0.5 (0.5mV QRS Lead II)"}));
  EXPECT_EQ(items(combo("cbAutoTestTimer")), QStringList({"OFF", "3 seconds", "5 seconds", "9 seconds"}));
  EXPECT_EQ(items(combo("cbECGTriggerMode")).value(3), "Play back waveform then change to NSR60");
  EXPECT_EQ(edit("txtDefibTarget")->toolTip(), "Defib Target Energy");
  EXPECT_EQ(edit("txtDefibTarget")->maxLength(), 3);
  EXPECT_EQ(button("tbDefibAdd")->toolTip(), "Add Defib Energy Test");
  EXPECT_EQ(button("tbDefibDelete")->toolTip(), "Delete Defib Energy Test");
  for (const char* name : {"cbDefibTolerance", "cbECGWave", "cbAEDWave", "cbPulseMethod"})
    EXPECT_FALSE(combo(name)->isEditable()) << name;
}

TEST_F(AutoSeqEditTest, AddingStopsAtEachListsMaximumWritesItsDefaultAndSelectsOnlyTheFirstEntry) {
  struct ListCase {
    TestList list;
    const char* option;  // one of the list's option controls
  };
  const ListCase cases[] = {{TestList::DefibEnergy, "txtDefibTarget"},  {TestList::Cardioversion, "txtCardTarget"},
                            {TestList::EcgPerformance, "cbECGWave"},    {TestList::PacerPulse, "txtPulseCurrent"},
                            {TestList::DemandSensitivity, "txtSensLimit"}, {TestList::RefractoryPeriod, "txtRefrMin"},
                            {TestList::AedEnergy, "cbAEDWave"}};
  for (const ListCase& c : cases) {
    const TestListKind& kind = testListKind(c.list);
    SCOPED_TRACE(kind.name);
    TAutoSeq rec = plan();
    if (c.list == TestList::AedEnergy) rec.setU8(Device, Aed);
    open(rec);
    const QString stem = QString::fromLatin1(kind.name).mid(3);
    QListWidget* entries = list(kind.name);
    auto* add = editor->findChild<QAbstractButton*>(QStringLiteral("tb%1Add").arg(stem));
    auto* label = editor->findChild<QLabel*>(QStringLiteral("lbl%1Maximum").arg(stem));
    ASSERT_TRUE(add && label);
    EXPECT_EQ(label->text(), kind.maximumLabel);
    QWidget* option = find<QWidget>(c.option);
    EXPECT_FALSE(option->isEnabled());

    for (int k = 0; k <= kind.maximum; ++k) add->click();  // one more than fits: silently nothing
    EXPECT_TRUE(option->isEnabled());
    EXPECT_EQ(entries->count(), kind.maximum);
    EXPECT_EQ(entries->item(kind.maximum - 1)->text(), testItemText(kind, kind.maximum - 1));
    EXPECT_EQ(entries->currentRow(), 0);
    clickOK();
    // The first entry went through the controls; the last is the default as added.
    TAutoSeq expected;
    kind.writeDefault(expected, kind.maximum - 1);
    const std::size_t last = kind.base + std::size_t(kind.maximum - 1) * kind.entrySize;
    EXPECT_EQ(QByteArray(record.data() + last, qsizetype(kind.entrySize)),
              QByteArray(expected.data() + last, qsizetype(kind.entrySize)));
    EXPECT_EQ(presentEntryCount(kind, record), kind.maximum);
  }
}

TEST_F(AutoSeqEditTest, DeletingSelectsTheEntryBeforeAndRenumbers) {
  open(withDefibEnergies({50, 100, 150}));
  QListWidget* entries = list("lstDefib");
  button("tbDefibDelete")->click();  // the first
  EXPECT_EQ(items(entries), QStringList({"Defib Energy 1", "Defib Energy 2"}));
  EXPECT_EQ(entries->currentRow(), 0);
  EXPECT_EQ(edit("txtDefibTarget")->text(), "100");

  open(withDefibEnergies({50, 100, 150}));
  entries = list("lstDefib");
  pick(entries, 2);
  edit("txtDefibTarget")->setText("999");  // unsaved values of the deleted entry are dropped, unchecked
  entries->setFocus();
  QTest::keyClick(entries, Qt::Key_Delete);
  EXPECT_EQ(entries->count(), 2);
  EXPECT_EQ(entries->currentRow(), 1);
  EXPECT_EQ(edit("txtDefibTarget")->text(), "100");
  EXPECT_TRUE(messages.shown.isEmpty());

  pick(entries, 0);
  button("tbDefibDelete")->click();
  button("tbDefibDelete")->click();
  EXPECT_EQ(entries->count(), 0);
  EXPECT_FALSE(edit("txtDefibTarget")->isEnabled());
  EXPECT_EQ(edit("txtDefibTarget")->text(), "");
  button("tbDefibDelete")->click();  // nothing left: nothing happens
  clickOK();
  EXPECT_EQ(presentEntryCount(testListKind(TestList::DefibEnergy), record), 0);
  EXPECT_EQ(record.u8(DefibEnergyEntry::Base), 0);
}

TEST_F(AutoSeqEditTest, DefibEnergyShowsDefaultsForStoredZerosAndStoresThroughTheControls) {
  TAutoSeq rec = plan();
  setEntryAt(rec, 0, DefibEnergyEntry{0, 0, 0, 2, 1});       // no energy, tolerance or waveform
  setEntryAt(rec, 1, DefibEnergyEntry{1505, 4, 41, 1, 1});    // 150.5 J
  setEntryAt(rec, 2, DefibEnergyEntry{2000, 2, 15, 0, 1});    // a sinus rhythm no defibrillator test offers
  open(rec);
  EXPECT_EQ(edit("txtDefibTarget")->text(), "100");
  EXPECT_EQ(combo("cbDefibTolerance")->currentText(), "±10%");
  EXPECT_EQ(combo("cbDefibWaveBank")->currentText(), "None");
  EXPECT_EQ(combo("cbDefibWave")->count(), 0);
  EXPECT_EQ(combo("cbDefibScale")->currentIndex(), 2);

  pick(list("lstDefib"), 1);
  EXPECT_EQ(edit("txtDefibTarget")->text(), "150");
  EXPECT_EQ(combo("cbDefibTolerance")->currentText(), "±20%");
  EXPECT_EQ(combo("cbDefibWaveBank")->currentText(), "Shock Advisory / AED");
  EXPECT_EQ(combo("cbDefibWave")->currentText(), "Ventricular Fibrillation, Fine (VFIB2)");
  choose(combo("cbDefibWaveBank"), 0);
  EXPECT_EQ(combo("cbDefibWave")->count(), 0);
  choose(combo("cbDefibWaveBank"), 1);
  EXPECT_EQ(combo("cbDefibWave")->currentIndex(), 0);

  pick(list("lstDefib"), 2);
  EXPECT_EQ(combo("cbDefibWaveBank")->currentText(), "Shock Advisory / AED");
  EXPECT_EQ(combo("cbDefibWave")->currentIndex(), -1);
  clickOK();
  EXPECT_EQ(editor->result(), QDialog::Accepted);
  EXPECT_EQ(entryAt<DefibEnergyEntry>(record, 0).targetEnergy, 1000);  // stored as shown
  EXPECT_EQ(entryAt<DefibEnergyEntry>(record, 0).tolerance, 2);
  EXPECT_EQ(entryAt<DefibEnergyEntry>(record, 0).ecgWave, 0);
  const DefibEnergyEntry second = entryAt<DefibEnergyEntry>(record, 1);
  EXPECT_EQ(second.targetEnergy, 1500);
  EXPECT_EQ(second.ecgWave, 31);  // the bank chosen again starts at its first waveform
  // A waveform the list cannot show is kept rather than replaced by a neighbour.
  EXPECT_EQ(entryAt<DefibEnergyEntry>(record, 2).ecgWave, 15);
}

TEST_F(AutoSeqEditTest, AnInvalidTargetKeepsTheUserOnTheEntryWithItsMessage) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "Defib Target Energy must be between 1 and 360"},
      {"361", "Defib Target Energy must be between 1 and 360"},
      {"12a", "Defib Target Energy must be a valid integer."}};
  for (const auto& [typed, message] : cases) {
    SCOPED_TRACE(typed);
    messages.shown.clear();
    open(withDefibEnergies({50, 100}));
    edit("txtDefibTarget")->setText(typed);
    pick(list("lstDefib"), 1);
    expectInvalid(message);
    EXPECT_EQ(list("lstDefib")->currentRow(), 0);
    EXPECT_EQ(edit("txtDefibTarget")->text(), typed);
    // Nor can the page be left.
    find<QTabWidget>("PageDefib")->setCurrentIndex(2);
    EXPECT_EQ(find<QTabWidget>("PageDefib")->currentIndex(), 0);
    EXPECT_EQ(messages.shown.size(), 2);
    clickOK();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(entryAt<DefibEnergyEntry>(record, 0).targetEnergy, 500);  // the list's record untouched
  }
  edit("txtDefibTarget")->setText("360");
  pick(list("lstDefib"), 1);
  EXPECT_EQ(list("lstDefib")->currentRow(), 1);
  EXPECT_EQ(entryAt<DefibEnergyEntry>(editor->workingCopy(), 0).targetEnergy, 3600);
}

TEST_F(AutoSeqEditTest, ChargeTimeStartsFromItsDefaultsAndClearingItClearsItsBytes) {
  open(plan());
  QCheckBox* enable = find<QCheckBox>("cboxChargeEnable");
  EXPECT_FALSE(edit("txtChargeTarget")->isEnabled());
  enable->click();
  EXPECT_TRUE(edit("txtChargeTarget")->isEnabled());
  EXPECT_EQ(edit("txtChargeTarget")->text(), "360");
  EXPECT_EQ(combo("cbChargeTolerance")->currentText(), "±10%");
  EXPECT_EQ(edit("txtChargeMax")->text(), "99");
  EXPECT_EQ(combo("cbChargeWave")->currentText(), "Ventricular Fibrillation, Coarse (VFIB1)");

  edit("txtChargeMax")->setText("0");
  clickOK();
  expectInvalid("Maximum Charge Time must be between 1 and 99");
  edit("txtChargeMax")->setText("15");
  clickOK();
  EXPECT_EQ(record.u16(MaxChargeTime), 150);
  EXPECT_EQ(record.u16(ChargeTimeEnergy), 3600);
  EXPECT_EQ(record.u8(ChargeTimeTolerance), 2);
  EXPECT_EQ(record.u8(ChargeTimeWave), 40);
  EXPECT_EQ(record.u8(ChargeTimeEnabled), 1);

  open(record);
  enable = find<QCheckBox>("cboxChargeEnable");
  EXPECT_TRUE(enable->isChecked());
  enable->click();
  EXPECT_EQ(edit("txtChargeTarget")->text(), "");
  for (std::size_t offset = MaxChargeTime; offset <= ChargeTimeEnabled; ++offset)
    EXPECT_EQ(editor->workingCopy().u8(offset), 0) << offset;
  edit("txtChargeTarget")->setText("abc");  // a disabled test is not checked
  clickOK();
  EXPECT_EQ(record.u8(ChargeTimeEnabled), 0);
  EXPECT_EQ(record.u16(MaxChargeTime), 0);
}

TEST_F(AutoSeqEditTest, CardioversionShowsItsRhythmBankAndKeepsAWaveformItCannotShow) {
  TAutoSeq rec = plan();
  setEntryAt(rec, 0, CardioversionEntry{0, 0, 0, 16, 1, 1, 1});
  setEntryAt(rec, 1, CardioversionEntry{500, 3, 1, 32, 0, 0, 1});
  setEntryAt(rec, 2, CardioversionEntry{500, 3, 1, 19, 0, 0, 1});  // ECG 180: not one of the three
  open(rec);
  EXPECT_EQ(edit("txtCardTarget")->text(), "100");
  EXPECT_EQ(combo("cbCardTolerance")->currentText(), "±10%");
  EXPECT_EQ(combo("cbCardWaveBank")->currentText(), "Sinus Rhythm");
  EXPECT_EQ(combo("cbCardWave")->currentText(), "ECG 90 BPM (ECG90)");
  EXPECT_EQ(combo("cbCardMethod")->currentText(), "ECG R Wave");
  EXPECT_FALSE(find<QCheckBox>("cboxCardDelayTarget")->isChecked());

  pick(list("lstCard"), 1);
  EXPECT_EQ(combo("cbCardWaveBank")->currentText(), "Shock Advisory / AED");
  EXPECT_EQ(items(combo("cbCardWave")),
            QStringList({"Atrial Fibrillation, Coarse (AFIB1)", "Atrial Fibrillation, Fine (AFIB2)"}));
  EXPECT_EQ(combo("cbCardWave")->currentIndex(), 1);
  EXPECT_TRUE(find<QCheckBox>("cboxCardDelayTarget")->isChecked());
  choose(combo("cbCardWaveBank"), 0);
  EXPECT_EQ(combo("cbCardWave")->currentText(), "ECG 60 BPM (ECG60)");

  pick(list("lstCard"), 2);
  EXPECT_EQ(combo("cbCardWave")->currentIndex(), -1);
  clickOK();
  EXPECT_EQ(entryAt<CardioversionEntry>(record, 0).targetEnergy, 1000);
  EXPECT_EQ(entryAt<CardioversionEntry>(record, 0).ecgWave, 16);
  EXPECT_EQ(entryAt<CardioversionEntry>(record, 1).ecgWave, 15);
  EXPECT_EQ(entryAt<CardioversionEntry>(record, 2).ecgWave, 19);
}

TEST_F(AutoSeqEditTest, EcgPerformanceKeepsOneScaleAndFallsBackToThePerformanceBank) {
  TAutoSeq rec = plan();
  setEntryAt(rec, 0, EcgPerformanceEntry{45});
  setEntryAt(rec, 1, EcgPerformanceEntry{60});  // beyond the banks: not a test, the list ends
  open(rec);
  EXPECT_EQ(list("lstECG")->count(), 1);
  EXPECT_EQ(combo("cbECGWaveBank")->currentText(), "Square Pacer Trigger");
  EXPECT_EQ(combo("cbECGWave")->currentText(), "Pulse, 40 msec/60BPM (SQRP40)");
  choose(combo("cbECGScale"), 2);
  EXPECT_EQ(editor->workingCopy().u8(EcgScale), 2);  // at once
  button("tbECGAdd")->click();
  pick(list("lstECG"), 1);
  EXPECT_EQ(combo("cbECGWaveBank")->currentText(), "Performance");
  EXPECT_EQ(combo("cbECGWave")->currentText(), "DC Pulse, 4 sec (PULSE)");
  choose(combo("cbECGWaveBank"), 2);
  choose(combo("cbECGWave"), 3);
  clickOK();
  EXPECT_EQ(record.u8(EcgWaves), 45);
  EXPECT_EQ(record.u8(EcgWaves + 1), 25);  // Arrhythmia from 22
  EXPECT_EQ(record.u8(EcgScale), 2);

  TAutoSeq unused = plan();
  unused.setU8(EcgScale, 1);
  open(unused);
  button("tbECGAdd")->click();
  EXPECT_EQ(combo("cbECGScale")->currentIndex(), 0);  // the first test starts at x1
  EXPECT_EQ(combo("cbECGWave")->currentText(), "DC Pulse, 4 sec (PULSE)");
}

TEST_F(AutoSeqEditTest, TheAdvancedPageKeepsTheTimerInTheDeviceCode) {
  TAutoSeq rec = plan();
  rec.setU8(Device, DefibTimer9s);
  rec.setU8(TriggerMode, 2);
  open(rec);
  EXPECT_EQ(combo("cbAutoTestTimer")->currentText(), "9 seconds");
  EXPECT_EQ(combo("cbECGTriggerMode")->currentText(), "Play back waveform after shock");
  choose(combo("cbAutoTestTimer"), 0);
  choose(combo("cbECGTriggerMode"), 3);
  clickOK();
  EXPECT_EQ(record.u8(Device), DefibTimerOff);
  EXPECT_EQ(record.u8(TriggerMode), 3);
}

TEST_F(AutoSeqEditTest, TheAedPanelShowsWhetherEachRhythmIsShockable) {
  TAutoSeq rec = plan();
  rec.setU8(Device, Aed);
  const quint8 waves[] = {40, 41, 42, 0};
  for (std::size_t k = 0; k < 4; ++k) setEntryAt(rec, k, AedEnergyEntry{waves[k], quint8(k == 1 ? 2 : 0), 1});
  open(rec);
  EXPECT_TRUE(find<QWidget>("PanelAED")->isVisible());
  EXPECT_FALSE(find<QWidget>("PageDefib")->isVisible());
  EXPECT_EQ(combo("cbDUT")->currentText(), "AED");
  EXPECT_EQ(list("lstAED")->count(), 4);
  const char* shockable[] = {"Yes", "Report Only", "No", "Yes"};
  for (int k = 0; k < 4; ++k) {
    pick(list("lstAED"), k);
    EXPECT_EQ(edit("txtShockable")->text(), shockable[k]) << k;
  }
  EXPECT_EQ(combo("cbAEDWave")->currentText(), "Ventricular Fibrillation, Coarse (VFIB1)");  // 0 shows 40
  choose(combo("cbAEDWave"), 3);
  EXPECT_EQ(edit("txtShockable")->text(), "No");  // 34, asystole
  pick(list("lstAED"), 1);
  EXPECT_EQ(combo("cbAEDScale")->currentIndex(), 2);
  clickOK();
  EXPECT_EQ(entryAt<AedEnergyEntry>(record, 3).ecgWave, 34);
  EXPECT_EQ(entryAt<AedEnergyEntry>(record, 1).ecgScale, 2);
}

TEST_F(AutoSeqEditTest, OkOnAnAedStoresOnlyItsTitleAndAedEntries) {
  TAutoSeq rec = plan();
  rec.setU8(Device, Aed);
  rec.setU8(TriggerMode, 3);
  setEntryAt(rec, 0, AedEnergyEntry{37, 0, 1});
  setEntryAt(rec, 31, AedEnergyEntry{38, 1, 1});  // beyond the list: moves with the block
  rec.setU8(ChargeTimeEnabled, 1), rec.setU8(PacerLoad, 5), rec.setU8(NoiseEnabled, 1);
  open(rec);
  edit("txtTitle")->setText("AED WARD 7");
  clickOK();
  TAutoSeq expected;
  setAutoSeqTitle(expected, QStringLiteral("AED WARD 7"));
  expected.setU8(Device, Aed);
  setEntryAt(expected, 0, AedEnergyEntry{37, 0, 1});
  setEntryAt(expected, 31, AedEnergyEntry{38, 1, 1});
  EXPECT_EQ(record.bytes, expected.bytes);
}

TEST_F(AutoSeqEditTest, SwitchingTheDeviceTypeShowsTheOtherSideFromTheWorkingCopy) {
  TAutoSeq rec = plan();
  rec.setU8(Device, Aed);
  for (std::size_t k = 0; k < 24; ++k) setEntryAt(rec, k, AedEnergyEntry{40, 0, 1});
  open(rec);
  choose(combo("cbDUT"), 0);
  EXPECT_TRUE(find<QWidget>("PageDefib")->isVisible());
  EXPECT_EQ(list("lstDefib")->count(), 0);  // the AED entries are no energy tests
  EXPECT_EQ(combo("cbAutoTestTimer")->currentText(), "5 seconds");
  clickOK();
  EXPECT_EQ(record.u8(Device), DefibTimer5s);
  EXPECT_EQ(record.u8(TriggerMode), 1);
  // No energy test is left; the AED entries past the energy tests' block are carried as they were.
  for (std::size_t offset = 18; offset < 78; ++offset) EXPECT_EQ(record.u8(offset), 0) << offset;
  for (std::size_t offset = 78; offset < 114; ++offset) EXPECT_EQ(record.u8(offset), rec.u8(offset)) << offset;

  open(withDefibEnergies({150}));
  choose(combo("cbDUT"), 1);
  EXPECT_EQ(list("lstAED")->count(), 0);
  button("tbAEDAdd")->click();
  choose(combo("cbDUT"), 0);
  EXPECT_EQ(list("lstDefib")->count(), 1);
}

// Bytes 78 to 113 are no part of a defibrillator plan: OK carries them unchanged.
TEST_F(AutoSeqEditTest, OkCarriesTheBytesAfterTheEnergyTestsOfADefibrillatorPlan) {
  TAutoSeq rec = withDefibEnergies({100});
  for (std::size_t offset = 78; offset < 114; ++offset) rec.setU8(offset, quint8(offset));
  const std::function<void()> edits[] = {[] {}, [this] {
                                           edit("txtTitle")->setText("CHANGED");
                                           button("tbDefibAdd")->click();
                                         }};
  for (const auto& makeEdits : edits) {
    open(rec);
    makeEdits();
    clickOK();
    ASSERT_EQ(editor->result(), QDialog::Accepted);
    for (std::size_t offset = 78; offset < 114; ++offset) EXPECT_EQ(record.u8(offset), rec.u8(offset)) << offset;
  }
}

TEST_F(AutoSeqEditTest, OkIsRefusedWhileAHiddenDefibrillatorEntryIsInvalid) {
  TAutoSeq rec = plan();
  rec.setU8(Device, Aed);
  setEntryAt(rec, 0, AedEnergyEntry{40, 0, 1});
  open(rec);
  choose(combo("cbDUT"), 0);
  button("tbDefibAdd")->click();
  edit("txtDefibTarget")->setText("0");
  choose(combo("cbDUT"), 1);
  clickOK();
  expectInvalid("Defib Target Energy must be between 1 and 360");
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(record.u8(Device), Aed);
  EXPECT_EQ(entryAt<AedEnergyEntry>(record, 0).ecgWave, 40);
}

TEST_F(AutoSeqEditTest, OkChecksEveryPageAndShowsEachFailure) {
  TAutoSeq rec = withDefibEnergies({100});
  setEntryAt(rec, 0, CardioversionEntry{1000, 2, 0, 15, 0, 0, 1});
  setEntryAt(rec, 0, DemandEntry{200, 50, 1});
  open(rec);
  edit("txtDefibTarget")->setText("");
  edit("txtCardTarget")->setText("400");
  edit("txtSensLimit")->setText("9");
  clickOK();
  ASSERT_EQ(messages.shown.size(), 3);
  EXPECT_EQ(messages.shown[0].text, "Defib Target Energy must be a valid integer.");
  EXPECT_EQ(messages.shown[1].text, "Cardioversion Target Energy must be between 1 and 360");
  EXPECT_EQ(messages.shown[2].text, "Sensitivity Limit must be between 0.01 and 3.00.");
  EXPECT_EQ(record.bytes, rec.bytes);
}

TEST_F(AutoSeqEditTest, CancelAndClosingStoreNothing) {
  const TAutoSeq rec = withDefibEnergies({100, 200});
  open(rec);
  edit("txtTitle")->setText("CHANGED");
  edit("txtDefibTarget")->setText("300");
  pick(list("lstDefib"), 1);  // stored into the working copy only
  button("btnCancel")->click();
  EXPECT_EQ(editor->result(), QDialog::Rejected);
  EXPECT_EQ(record.bytes, rec.bytes);
  open(rec);
  edit("txtTitle")->setText("CHANGED");
  editor->close();
  EXPECT_EQ(record.bytes, rec.bytes);
}

TEST_F(AutoSeqEditTest, WindowStateIsRestoredAndWrittenWhateverTheResult) {
  settings.writeInteger("AutoSeqEdit", "TOP", 40);
  settings.writeInteger("AutoSeqEdit", "LEFT", 60);
  settings.writeInteger("AutoSeqEdit", "DEFIB_TAB", 4);
  settings.writeInteger("AutoSeqEdit", "PACER_TAB", 3);
  open(plan());
  EXPECT_EQ(editor->frameGeometry().topLeft(), QPoint(60, 40));
  EXPECT_EQ(find<QTabWidget>("PageDefib")->currentIndex(), 4);
  EXPECT_EQ(find<QTabWidget>("PagePacer")->currentIndex(), 3);
  find<QTabWidget>("PageDefib")->setCurrentIndex(1);
  find<QTabWidget>("PagePacer")->setCurrentIndex(0);
  editor->move(100, 80);
  button("btnCancel")->click();
  editor.reset();
  EXPECT_EQ(settings.readInteger("AutoSeqEdit", "DEFIB_TAB", -9), 1);
  EXPECT_EQ(settings.readInteger("AutoSeqEdit", "PACER_TAB", -9), 0);
  EXPECT_EQ(settings.readInteger("AutoSeqEdit", "TOP", -9), 80);
  EXPECT_EQ(settings.readInteger("AutoSeqEdit", "LEFT", -9), 100);
}

// A plan must survive an edit that changes nothing: every sample plan, on every
// page it opens at, comes back byte for byte.
TEST_F(AutoSeqEditTest, OkWithoutAChangeGivesTheSameBytesBack) {
  const QList<TAutoSeq> samples = sampleAutoSeqs();
  for (int page = 0; page < 6; ++page) {
    settings.writeInteger("AutoSeqEdit", "DEFIB_TAB", page);
    for (const TAutoSeq& sample : samples) {
      SCOPED_TRACE(autoSeqTitleText(sample).toStdString() + " on page " + std::to_string(page));
      open(sample);
      clickOK();
      ASSERT_EQ(editor->result(), QDialog::Accepted);
      for (std::size_t i = 0; i < TAutoSeq::Size; ++i) EXPECT_EQ(record.u8(i), sample.u8(i)) << "byte " << i;
      editor.reset();
    }
  }
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AutoSeqEditTest, TabWalksFromTheTitleThroughThePagesToTheButtons) {
  settings.writeInteger("AutoSeqEdit", "DEFIB_TAB", 3);
  TAutoSeq rec = withDefibEnergies({100});
  setEntryAt(rec, 0, EcgPerformanceEntry{15});
  open(rec);
  QApplication::setActiveWindow(editor.get());
  edit("txtTitle")->setFocus();
  auto tabFrom = [](QWidget* from, bool back = false) {
    from->setFocus();
    QTest::keyClick(from, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
  };
  EXPECT_EQ(tabFrom(edit("txtTitle")), "cbDUT");
  EXPECT_EQ(tabFrom(edit("txtTitle"), true), "btnCancel");
  EXPECT_EQ(tabFrom(combo("cbECGScale")), "lstECG");
  // Enter anywhere accepts the dialog, as OK does.
  QTest::keyClick(list("lstDefib"), Qt::Key_Return);
  EXPECT_EQ(editor->result(), QDialog::Accepted);
}

// The note beside a field (its unit and range, "Joules (1-360)") is read with
// the field by a screen reader, on every page of the editor.
TEST_F(AutoSeqEditTest, EachFieldsUnitAndRangeAreReadWithIt) {
  open(plan());
  int tied = 0;
  for (const QBoxLayout* row : editor->findChildren<QBoxLayout*>()) {
    QList<QWidget*> fields;
    QList<QLabel*> notes;
    for (int i = 0; i < row->count(); ++i) {
      QWidget* w = row->itemAt(i)->widget();
      if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) fields << w;
      else if (auto* label = qobject_cast<QLabel*>(w); label && !label->buddy()) notes << label;
    }
    if (fields.size() != 1 || notes.size() != 1) continue;
    EXPECT_EQ(fields[0]->accessibleDescription(), notes[0]->text()) << fields[0]->objectName().toStdString();
    ++tied;
  }
  EXPECT_GE(tied, 8);  // the energies, the charge time, the pacer's current, rate and width, the ECG scale
}
