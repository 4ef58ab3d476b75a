#include "waveformviewer.h"

#include "names.h"
#include "settingsfile.h"
#include "windowgeometry.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>

namespace {
const QString kSection = QStringLiteral("WaveformViewer");
}

TWaveformViewer::TWaveformViewer(const AppServices& services, const Waveform& wave)
    : services_(services), wave_(wave) {
  setObjectName(QStringLiteral("WaveformViewer"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(productName() + QStringLiteral(" Waveform Viewer"));

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("panelInfo"));
  auto* form = new QFormLayout(panel);
  for (const InfoRow& row : infoRows(wave_.pacer)) {
    auto* value = new QLabel(row.text ? wave_.info.*row.text : QString(), panel);
    value->setObjectName(QString::fromLatin1(row.control));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QString::fromLatin1(row.caption), value);
  }
  auto* points = new QLabel(QStringLiteral("%1 points").arg(wave_.points.size()), panel);
  points->setObjectName(QStringLiteral("lblPointCount"));
  form->addRow(QString(), points);
  setCentralWidget(panel);
  if (services_.settings) loadWindowGeometry(*this, *services_.settings, kSection, QSize(760, 390));
}

TWaveformViewer::~TWaveformViewer() {
  if (!geometrySaved_) saveGeometry();
}

void TWaveformViewer::saveGeometry() {
  geometrySaved_ = true;
  if (services_.settings) saveWindowGeometry(*this, *services_.settings, kSection);
}

void TWaveformViewer::closeEvent(QCloseEvent* event) {
  saveGeometry();
  event->accept();
}
