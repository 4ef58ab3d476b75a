#pragma once
#include <QGroupBox>

class QComboBox;

// The ECG simulator wave options of a defibrillator energy or charge time test:
// no waveform ("None"), or one of the shock advisory bank (31 to 42), and the
// scale. Its combos are named after the page: cbDefibWaveBank, cbDefibWave,
// cbDefibScale, or the same with "Charge".
class TDefibWaveGroup : public QGroupBox {
 public:
  TDefibWaveGroup(const char* page, QWidget* parent);

  void showChoice(int wave, int scale);
  void clearChoice();
  // The waveform to store: 0 for "None"; one the list does not hold stays as stored.
  int chosenWave(int stored) const;
  int chosenScale() const;  // 0 when none is selected

 private:
  void bankChosen(int index);

  QComboBox *bank_, *wave_, *scale_;
};
