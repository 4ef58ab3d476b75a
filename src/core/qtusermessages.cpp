#include "core/qtusermessages.h"

#include <QLabel>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>
#include <QStyle>

#include "core/toolicons.h"

namespace {
QMessageBox::Icon boxIcon(UserMessages::Icon icon) {
  switch (icon) {
    case UserMessages::Icon::Information: return QMessageBox::Information;
    case UserMessages::Icon::Warning: return QMessageBox::Warning;
    case UserMessages::Icon::Error: return QMessageBox::Critical;
    case UserMessages::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

QString iconName(UserMessages::Icon icon) {
  switch (icon) {
    case UserMessages::Icon::Information: return QStringLiteral("Information");
    case UserMessages::Icon::Warning: return QStringLiteral("Warning");
    case UserMessages::Icon::Error: return QStringLiteral("Error");
    case UserMessages::Icon::None: break;
  }
  return {};
}
}  // namespace

QPixmap messageIconPicture(UserMessages::Icon icon, int size, qreal devicePixelRatio) {
  const QString name = iconName(icon).toLower();
  return name.isEmpty() ? QPixmap()
                        : resourcePicture(QStringLiteral("message-") + name, QSize(size, size), devicePixelRatio);
}

UserMessages::Result QtUserMessages::show(const QString& text, const QString& caption, Icon icon, Buttons buttons) {
  QMessageBox box(boxIcon(icon), caption, text,
                  buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner_);
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  if (buttons == Buttons::YesNo) box.setDefaultButton(QMessageBox::Yes);
  // The icon says how grave the message is, drawn from a vector picture at the
  // screen's scale so that it stays sharp; a screen reader says it in words.
  if (icon != Icon::None) {
    const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    // Drawn for the finest screen: the box may open on any of them.
    qreal scale = box.devicePixelRatioF();
    for (const QScreen* screen : QGuiApplication::screens()) scale = std::max(scale, screen->devicePixelRatio());
    box.setIconPixmap(messageIconPicture(icon, size, scale));
  }
  if (auto* picture = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label")))
    picture->setAccessibleName(iconName(icon));
  const int pressed = box.exec();
  if (buttons == Buttons::Ok) return Result::Ok;
  return pressed == QMessageBox::Yes ? Result::Yes : Result::No;
}
