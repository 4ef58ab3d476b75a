#include "waveform/waveinfopanel.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
// The six rows every waveform has, then the rows of one kind of pulse.
QList<InfoRow> rowsAfterCommon(bool pacer) { return infoRows(pacer).mid(6); }
}  // namespace

TWaveInfoPanel::TWaveInfoPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("panelInfo"));
  setAutoFillBackground(true);
  auto* common = new QGridLayout;
  common->setVerticalSpacing(2);
  for (const InfoRow& row : infoRows(false).mid(0, 6)) addRow(common, row);
  lblDeviceID_ = findChild<QLabel*>(QStringLiteral("lblDeviceID"));
  lblDeviceID_->setToolTip(QStringLiteral("Click to edit Device ID"));
  lblDeviceID_->setCursor(Qt::IBeamCursor);
  editDeviceID_ = new QLineEdit(this);
  editDeviceID_->setObjectName(QStringLiteral("editDeviceID"));
  editDeviceID_->setMaxLength(16);
  // The row's caption names the edit too, for a screen reader.
  int row = 0, column = 0, span = 0;
  common->getItemPosition(common->indexOf(lblDeviceID_), &row, &column, &span, &span);
  if (QLayoutItem* item = common->itemAtPosition(row, 0))
    if (auto* caption = qobject_cast<QLabel*>(item->widget())) caption->setBuddy(editDeviceID_);
  editDeviceID_->hide();
  editDeviceID_->installEventFilter(this);
  common->addWidget(editDeviceID_, row, 1);

  const auto lowerPanel = [this](const char* name, bool pacer) {
    auto* panel = new QWidget(this);
    panel->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    for (const InfoRow& row : rowsAfterCommon(pacer)) addRow(grid, row);
    return panel;
  };
  panelDefibInfo_ = lowerPanel("panelDefibInfo", false);
  panelPacerInfo_ = lowerPanel("panelPacerInfo", true);
  panelPacerInfo_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(common);
  layout->addWidget(panelDefibInfo_);
  layout->addWidget(panelPacerInfo_);
  layout->addStretch(1);
  installEventFilter(this);
}

QLabel* TWaveInfoPanel::addRow(QGridLayout* grid, const InfoRow& row) {
  const int r = grid->rowCount();
  auto* caption = new QLabel(QString::fromLatin1(row.caption), grid->parentWidget() ? grid->parentWidget() : this);
  if (!row.text) {  // "First Phase:" and "Second Phase:" head their rows
    QFont font = caption->font();
    font.setUnderline(true);
    caption->setFont(font);
    caption->setObjectName(QString::fromLatin1(row.control));
    grid->addWidget(caption, r, 0, 1, 2);
    caption->installEventFilter(this);
    return caption;
  }
  auto* value = new QLabel(caption->parentWidget());
  value->setObjectName(QString::fromLatin1(row.control));
  value->setTextFormat(Qt::PlainText);  // the analyzer's texts are shown as they are, never read as markup
  value->setWordWrap(true);  // a long value (the date) takes a second line rather than being cut
  // Every grid of the panel gives its captions the same width, so the values line up.
  grid->setColumnMinimumWidth(0, caption->fontMetrics().horizontalAdvance(QStringLiteral("Interphase Delay:  ")));
  grid->addWidget(caption, r, 0, Qt::AlignTop);  // beside a value's first line when it takes two
  grid->addWidget(value, r, 1);
  grid->setColumnStretch(1, 1);
  for (QLabel* label : {caption, value}) label->installEventFilter(this);
  values_.append({row, value});
  return value;
}

void TWaveInfoPanel::setInfo(const WaveInfo& info, bool pacer) {
  info_ = info;
  for (const auto& [row, label] : std::as_const(values_)) label->setText(info_.*row.text);
  panelDefibInfo_->setVisible(!pacer);
  panelPacerInfo_->setVisible(pacer);
}

WaveInfo TWaveInfoPanel::shownInfo() const {
  WaveInfo shown = info_;
  if (editing()) shown.deviceId = editDeviceID_->text();
  return shown;
}

bool TWaveInfoPanel::pacerShown() const { return !panelPacerInfo_->isHidden(); }

bool TWaveInfoPanel::editing() const { return !editDeviceID_->isHidden(); }

void TWaveInfoPanel::startEdit() {
  if (editing()) return;
  editDeviceID_->setText(lblDeviceID_->text());
  lblDeviceID_->hide();
  editDeviceID_->show();
  editDeviceID_->setFocus(Qt::OtherFocusReason);
  editDeviceID_->selectAll();
}

void TWaveInfoPanel::commitEdit() {
  if (!editing()) return;
  info_.deviceId = editDeviceID_->text();
  lblDeviceID_->setText(info_.deviceId);
  editDeviceID_->hide();
  lblDeviceID_->show();
  emit deviceIdChanged(info_.deviceId);
}

void TWaveInfoPanel::cancelEdit() {
  if (!editing()) return;
  editDeviceID_->hide();
  lblDeviceID_->show();
}

bool TWaveInfoPanel::eventFilter(QObject* watched, QEvent* event) {
  // Esc while the Device ID is edited cancels the edit, before it could close the viewer.
  if (watched == editDeviceID_ && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    event->accept();
    return true;
  }
  if (watched == editDeviceID_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      commitEdit();
      return true;
    }
    if (key == Qt::Key_Escape) {
      cancelEdit();
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonPress && watched != editDeviceID_) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (watched == lblDeviceID_ && press->button() == Qt::LeftButton) startEdit();
    else commitEdit();
    if (press->button() == Qt::RightButton) emit popupRequested(press->globalPosition().toPoint());
    return true;  // handled here, not again by the panel under the label
  }
  return QWidget::eventFilter(watched, event);
}
