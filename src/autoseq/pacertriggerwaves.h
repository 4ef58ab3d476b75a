#pragma once
#include <QGroupBox>

class QComboBox;

// The ECG simulator wave options of a demand sensitivity or refractory period
// test: one of the three pacer trigger banks (square, triangle, haversine) and a
// waveform of it. A test may use only part of each bank: `skip` waveforms from
// its start, then `count` of them. A stored waveform that is no pacer trigger
// shows waveform 50, the triangle bank's 40 ms pulse.
class TTriggerWaveGroup : public QGroupBox {
 public:
  TTriggerWaveGroup(const char* bankName, const char* waveName, int skip, int count, QWidget* parent);

  void showWave(int wave);
  void clearChoice();
  int chosenWave(int stored) const;  // `stored` when no waveform is selected

 private:
  void bankChosen(int index);

  int skip_, count_;
  QComboBox *bank_, *wave_;
};
