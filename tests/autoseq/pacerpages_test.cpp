#include "support/autoseqeditharness.h"

#include <QCheckBox>
#include <QTest>

using namespace autoseq;

namespace {
class PacerPagesTest : public AutoSeqEditHarness {
 protected:
  static TAutoSeq withSensitivity(quint16 limit, quint8 wave = 50) {
    TAutoSeq rec = plan();
    setEntryAt(rec, 0, DemandEntry{limit, wave, 1});
    return rec;
  }
  static TAutoSeq withRefractory(std::initializer_list<RefractoryEntry> entries) {
    TAutoSeq rec = plan();
    std::size_t k = 0;
    for (const RefractoryEntry& e : entries) setEntryAt(rec, k++, e);
    return rec;
  }
  QTabWidget* pacerPages() const { return find<QTabWidget>("PagePacer"); }
};
}  // namespace

TEST_F(PacerPagesTest, ThePacerPageHoldsItsOwnPages) {
  open(plan());
  QStringList tabs;
  for (int i = 0; i < pacerPages()->count(); ++i) tabs << pacerPages()->tabText(i);
  EXPECT_EQ(tabs, QStringList({"Load", "Pulse", "Noise Immunity", "Demand Sensitivity", "Refractory Period"}));
  EXPECT_EQ(items(combo("cbSensWaveBank")),
            QStringList({"Square Pacer Trigger", "Triangle Pacer Trigger", "Haversine Pacer Trigger"}));
  EXPECT_EQ(items(combo("cbPulseMethod")),
            QStringList({"Average Current", "Leading Edge of Pulse", "Trailing Edge of Pulse", "Peak Current"}));
  EXPECT_EQ(items(combo("cbNoiseWave")), QStringList({"50 Hz Noise", "60 Hz Noise"}));
  EXPECT_EQ(edit("txtSensLimit")->maxLength(), 4);
  EXPECT_EQ(edit("txtPulseWidth")->maxLength(), 2);
}

TEST_F(PacerPagesTest, ThePacerLoadMovesOnlyInFiftyOhmStepsAndIsStoredAtOnce) {
  TAutoSeq rec = plan();
  rec.setU8(PacerLoad, 31);
  open(rec);
  QSpinBox* load = find<QSpinBox>("spinPacerLoad");
  EXPECT_EQ(load->value(), 1600);
  EXPECT_EQ(load->maximum(), 1600);
  EXPECT_EQ(load->minimum(), 50);
  pacerPages()->setCurrentIndex(0);
  find<QTabWidget>("PageDefib")->setCurrentIndex(4);
  load->setFocus();
  QTest::keyClick(load, Qt::Key_Down);
  EXPECT_EQ(load->value(), 1550);
  EXPECT_EQ(editor->workingCopy().u8(PacerLoad), 30);
  QTest::keyClicks(load, "7");
  QTest::keyClick(load, Qt::Key_Backspace);
  EXPECT_EQ(load->value(), 1550);  // typing changes nothing
  QTest::keyClick(load, Qt::Key_Up);
  EXPECT_EQ(editor->workingCopy().u8(PacerLoad), 31);
  load->stepBy(-31);
  clickOK();
  EXPECT_EQ(record.u8(PacerLoad), 0);
}

TEST_F(PacerPagesTest, ANewPulseTestShowsItsDefaultsAndTheWidthBoxFillsItsFields) {
  open(plan());
  button("tbPulseAdd")->click();
  EXPECT_EQ(edit("txtPulseCurrent")->text(), "50");
  EXPECT_EQ(edit("txtPulseRate")->text(), "60");
  QCheckBox* width = find<QCheckBox>("cboxPulseWidth");
  EXPECT_FALSE(width->isChecked());
  EXPECT_FALSE(edit("txtPulseWidth")->isEnabled());
  EXPECT_EQ(combo("cbPulseTolWidth")->currentIndex(), -1);
  EXPECT_EQ(combo("cbPulseMethod")->currentText(), "Average Current");
  EXPECT_EQ(combo("cbPulseTolCurrent")->currentText(), "±10%");

  width->click();
  EXPECT_EQ(edit("txtPulseWidth")->text(), "20");
  EXPECT_TRUE(edit("txtPulseWidth")->isEnabled());
  EXPECT_EQ(combo("cbPulseTolWidth")->currentText(), "±10%");
  edit("txtPulseWidth")->setText("51");
  clickOK();
  expectInvalid("Target Pulse Width must be between 1 and 50");
  width->click();
  EXPECT_EQ(edit("txtPulseWidth")->text(), "");
  choose(combo("cbPulseMethod"), 3);
  clickOK();
  EXPECT_EQ(entryAt<PacerPulseEntry>(record, 0).width, 0);
  EXPECT_EQ(entryAt<PacerPulseEntry>(record, 0).widthTolerance, 0);  // no width test, no width tolerance
  EXPECT_EQ(entryAt<PacerPulseEntry>(record, 0).method, 3);
  EXPECT_EQ(entryAt<PacerPulseEntry>(record, 0).current, 50);
  EXPECT_EQ(entryAt<PacerPulseEntry>(record, 0).present, 1);
}

TEST_F(PacerPagesTest, PulseEntriesShowTheirStoredValuesAndAreCheckedInOrder) {
  TAutoSeq rec = plan();
  setEntryAt(rec, 0, PacerPulseEntry{2, 120, 30, 80, 0, 4, 3, 1});
  setEntryAt(rec, 1, PacerPulseEntry{0, 0, 0, 0, 0, 0, 0, 1});
  open(rec);
  EXPECT_EQ(edit("txtPulseCurrent")->text(), "120");
  EXPECT_EQ(edit("txtPulseWidth")->text(), "30");
  EXPECT_TRUE(find<QCheckBox>("cboxPulseWidth")->isChecked());
  EXPECT_EQ(combo("cbPulseTolWidth")->currentText(), "±20%");
  EXPECT_EQ(combo("cbPulseTolCurrent")->currentText(), "±5%");  // a stored 0 shows the first
  EXPECT_EQ(combo("cbPulseTolRate")->currentText(), "±15%");
  EXPECT_EQ(combo("cbPulseMethod")->currentText(), "Trailing Edge of Pulse");

  const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
      {{"0", "60"}, "Target Current must be between 1 and 250"},
      {{"251", "x"}, "Target Current must be between 1 and 250"},
      {{"100", "x"}, "Target Pulse Rate must be a valid integer."},
      {{"100", "256"}, "Target Pulse Rate must be between 1 and 255"}};
  for (const auto& [texts, message] : cases) {
    edit("txtPulseCurrent")->setText(texts.first);
    edit("txtPulseRate")->setText(texts.second);
    pick(list("lstPulse"), 1);
    expectInvalid(message);
    EXPECT_EQ(list("lstPulse")->currentRow(), 0);
  }
  edit("txtPulseRate")->setText("70");
  pick(list("lstPulse"), 1);
  EXPECT_EQ(edit("txtPulseCurrent")->text(), "50");
  EXPECT_EQ(edit("txtPulseRate")->text(), "60");
  EXPECT_EQ(entryAt<PacerPulseEntry>(editor->workingCopy(), 0).rate, 70);
}

TEST_F(PacerPagesTest, NoiseImmunityBytesFollowTheControlsAtOnce) {
  open(plan());
  QCheckBox* enable = find<QCheckBox>("cboxNoiseEnable");
  EXPECT_FALSE(combo("cbNoiseWave")->isEnabled());
  enable->click();
  EXPECT_EQ(combo("cbNoiseWave")->currentText(), "60 Hz Noise");  // frequency code 0
  EXPECT_EQ(editor->workingCopy().u8(NoiseEnabled), 1);
  clickOK();
  EXPECT_EQ(record.u8(NoiseEnabled), 1);
  EXPECT_EQ(record.u8(NoiseFrequency), 2);

  TAutoSeq fifty = plan();
  fifty.setU8(NoiseEnabled, 1), fifty.setU8(NoiseFrequency, 1);
  open(fifty);
  enable = find<QCheckBox>("cboxNoiseEnable");
  EXPECT_TRUE(enable->isChecked());
  EXPECT_EQ(combo("cbNoiseWave")->currentText(), "50 Hz Noise");
  choose(combo("cbNoiseWave"), 1);
  EXPECT_EQ(editor->workingCopy().u8(NoiseFrequency), 2);
  enable->click();
  EXPECT_EQ(combo("cbNoiseWave")->currentIndex(), -1);
  EXPECT_EQ(editor->workingCopy().u8(NoiseEnabled), 0);
  EXPECT_EQ(editor->workingCopy().u8(NoiseFrequency), 0);
}

TEST_F(PacerPagesTest, SensitivityLimitsAreTypedAsMillivolts) {
  open(withSensitivity(7, 44));
  EXPECT_EQ(edit("txtSensLimit")->text(), "0.07");
  EXPECT_EQ(combo("cbSensWaveBank")->currentText(), "Square Pacer Trigger");
  EXPECT_EQ(combo("cbSensWave")->currentIndex(), 1);
  const std::pair<const char*, const char*> refused[] = {
      {"3.01", "Sensitivity Limit must be between 0.01 and 3.00."},
      {"0", "Sensitivity Limit must be between 0.01 and 3.00."},
      {"abc", "Sensitivity Limit must be a valid number."},
      {"1e0", "Sensitivity Limit must be a valid number."}};
  for (const auto& [typed, message] : refused) {
    edit("txtSensLimit")->setText(typed);
    clickOK();
    expectInvalid(message);
  }
  const std::pair<const char*, quint16> stored[] = {{"0.5", 50}, {"3", 300}, {" .05", 5}, {"3.00", 300}};
  for (const auto& [typed, hundredths] : stored) {
    open(withSensitivity(200));
    edit("txtSensLimit")->setText(typed);
    clickOK();
    EXPECT_EQ(entryAt<DemandEntry>(record, 0).sensitivityLimit, hundredths) << typed;
  }
}

TEST_F(PacerPagesTest, SensitivityWaveformsComeFromTheTriggerBanks) {
  open(withSensitivity(0, 20));  // neither a limit nor a trigger waveform
  EXPECT_EQ(edit("txtSensLimit")->text(), "2.00");
  EXPECT_EQ(combo("cbSensWaveBank")->currentText(), "Triangle Pacer Trigger");
  EXPECT_EQ(combo("cbSensWave")->currentText(), "Pulse, 40 msec (TRIP40)");  // waveform 50
  EXPECT_EQ(combo("cbSensWave")->count(), 5);
  choose(combo("cbSensWaveBank"), 2);
  choose(combo("cbSensWave"), 4);
  clickOK();
  EXPECT_EQ(entryAt<DemandEntry>(record, 0).triggerWave, 57);
  EXPECT_EQ(entryAt<DemandEntry>(record, 0).sensitivityLimit, 200);
}

TEST_F(PacerPagesTest, RefractoryLimitsAreCheckedWithTheirMessages) {
  const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
      {{"400", "300"}, "Minimum time greater than maximum time"},
      {{"40", "300"}, "Minimum Refractory Limit must be between 50 and 750"},
      {{"200", "800"}, "Maximum Refractory Limit must be between 50 and 750"},
      {{"0", "300"}, "Minimum Refractory Limit must be a valid number."},
      // Each field names itself: a zero maximum, or a maximum that is no number.
      {{"200", "0"}, "Maximum Refractory Limit must be a valid number."},
      {{"200", "abc"}, "Maximum Refractory Limit must be a valid integer."},
      {{"abc", "300"}, "Minimum Refractory Limit must be a valid integer."}};
  for (const auto& [texts, message] : cases) {
    SCOPED_TRACE(message);
    open(withRefractory({{250, 350, 44}, {100, 200, 49}}));
    edit("txtRefrMin")->setText(texts.first);
    edit("txtRefrMax")->setText(texts.second);
    pick(list("lstRefr"), 1);
    expectInvalid(message);
    EXPECT_EQ(list("lstRefr")->currentRow(), 0);
  }
  open(withRefractory({{250, 350, 44}}));
  edit("txtRefrMin")->setText("300");
  edit("txtRefrMax")->setText("300");
  clickOK();
  EXPECT_EQ(entryAt<RefractoryEntry>(record, 0).minimum, 300);
  EXPECT_EQ(entryAt<RefractoryEntry>(record, 0).maximum, 300);
}

TEST_F(PacerPagesTest, RefractoryWaveformsAreTheSecondAndThirdOfEachTriggerBank) {
  open(withRefractory({{250, 350, 55}, {250, 0, 0}}));
  EXPECT_EQ(combo("cbRefrWaveBank")->currentText(), "Haversine Pacer Trigger");
  EXPECT_EQ(items(combo("cbRefrWave")), QStringList({"Pulse, 25 msec (SSQP25)", "Pulse, 40 msec (SSQP40)"}));
  EXPECT_EQ(combo("cbRefrWave")->currentIndex(), 1);
  pick(list("lstRefr"), 1);
  EXPECT_EQ(edit("txtRefrMax")->text(), "750");
  EXPECT_EQ(combo("cbRefrWaveBank")->currentText(), "Triangle Pacer Trigger");
  EXPECT_EQ(combo("cbRefrWave")->currentText(), "Pulse, 40 msec (TRIP40)");  // waveform 50
  choose(combo("cbRefrWaveBank"), 0);
  EXPECT_EQ(items(combo("cbRefrWave")), QStringList({"Pulse, 25 msec (SQRP25)", "Pulse, 40 msec (SQRP40)"}));
  clickOK();
  EXPECT_EQ(entryAt<RefractoryEntry>(record, 0).triggerWave, 55);
  EXPECT_EQ(entryAt<RefractoryEntry>(record, 1).triggerWave, 44);
  EXPECT_EQ(entryAt<RefractoryEntry>(record, 1).maximum, 750);
}

TEST_F(PacerPagesTest, APacerPageIsLeftOnlyWhenAllThreeListsAreValid) {
  TAutoSeq rec = withRefractory({{400, 300, 50}});
  setEntryAt(rec, 0, DemandEntry{500, 50, 1});
  settings.writeInteger("AutoSeqEdit", "DEFIB_TAB", 4);
  open(rec);
  ASSERT_EQ(find<QTabWidget>("PageDefib")->currentIndex(), 4);
  pacerPages()->setCurrentIndex(3);  // from Load: both checks run and fail
  EXPECT_EQ(pacerPages()->currentIndex(), 0);
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[0].text, "Sensitivity Limit must be between 0.01 and 3.00.");
  EXPECT_EQ(messages.shown[1].text, "Minimum time greater than maximum time");

  // Leaving the Pacer page of the page control stops at the first failure.
  messages.shown.clear();
  find<QTabWidget>("PageDefib")->setCurrentIndex(5);
  EXPECT_EQ(find<QTabWidget>("PageDefib")->currentIndex(), 4);
  EXPECT_EQ(messages.shown.size(), 1);

  edit("txtSensLimit")->setText("3");
  edit("txtRefrMax")->setText("500");
  pacerPages()->setCurrentIndex(3);
  EXPECT_EQ(pacerPages()->currentIndex(), 3);
}
