#pragma once
#include "waveform/waveinfo.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// The viewer's information panel: a caption and a value text for each of the
// waveform's texts, the pacer rows over the part from "Total Energy:" down for a
// pacer pulse, and the device-I.D. edit box in the place of its value.
//
// A click on the device-I.D. value starts an edit; Enter or a click anywhere else
// on the panel commits it, Esc cancels it.
class TWaveInfoPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TWaveInfoPanel(QWidget* parent = nullptr);

  void setInfo(const WaveInfo& info, bool pacer);
  // The texts as shown, the device I.D. from the edit box while it is open.
  WaveInfo shownInfo() const;
  bool pacerShown() const;

  bool editing() const;
  void startEdit();
  void commitEdit();  // does nothing unless an edit is open
  void cancelEdit();

 signals:
  // The device I.D. the user committed; the chart title follows it.
  void deviceIdChanged(const QString& deviceId);
  void popupRequested(const QPoint& globalPosition);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* addRow(class QGridLayout* grid, const InfoRow& row);

  WaveInfo info_;
  QList<QPair<InfoRow, QLabel*>> values_;
  QLabel* lblDeviceID_ = nullptr;
  QLineEdit* editDeviceID_ = nullptr;
  QWidget* panelDefibInfo_ = nullptr;
  QWidget* panelPacerInfo_ = nullptr;
};
