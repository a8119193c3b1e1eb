// The program's icons on the Qt window: the camera of the main window
// (IDR_MAINFRAME) and the information sign beside the tips (IDI_TIPS). They
// are registered with the window layer as the program starts, as
// res/windows/window.rc carries them in the Windows program's file: a program
// has them by linking vf_res_program.
#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include "res/resource_ids.h"
#include "ui/window/qt/icons.h"

namespace vf::res {
namespace {

// A dome camera on a wall mount, drawn on a 32-unit grid so that every size
// comes out sharp enough.
QPixmap DrawCamera(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);

  const QColor outline(0x23, 0x2b, 0x38);
  painter.setPen(QPen(outline, 1.2));

  // Mount and arm.
  painter.setBrush(QColor(0x8a, 0x94, 0xa3));
  painter.drawRoundedRect(QRectF(2, 4, 5, 12), 1.5, 1.5);
  painter.drawRect(QRectF(6.5, 8.5, 5, 3));

  // Body.
  QLinearGradient body(0, 6, 0, 20);
  body.setColorAt(0, QColor(0xf4, 0xf6, 0xf9));
  body.setColorAt(1, QColor(0xb9, 0xc3, 0xd0));
  painter.setBrush(body);
  QPainterPath housing;
  housing.addRoundedRect(QRectF(11, 5, 19, 10), 2.5, 2.5);
  painter.drawPath(housing);

  // Lens.
  painter.setBrush(QColor(0x1d, 0x4e, 0x89));
  painter.drawEllipse(QPointF(27, 16.5), 4, 4);
  painter.setBrush(QColor(0x6f, 0xb4, 0xf0));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(26.2, 15.7), 1.5, 1.5);

  // Status light and network cable.
  painter.setBrush(QColor(0x2e, 0xc2, 0x5b));
  painter.drawEllipse(QPointF(14.5, 8), 1.2, 1.2);
  painter.setPen(QPen(QColor(0x2e, 0x7d, 0xd1), 2, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath cable(QPointF(4.5, 16));
  cable.cubicTo(QPointF(4.5, 24), QPointF(12, 22), QPointF(12, 29));
  painter.drawPath(cable);
  return pixmap;
}

QIcon CameraIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(DrawCamera(size));
  return icon;
}

QIcon TipsIcon() {
  if (QApplication::style() == nullptr) return {};
  return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
}

[[maybe_unused]] const bool kRegistered =
    ui::RegisterIcon(IDR_MAINFRAME, &CameraIcon) && ui::RegisterIcon(IDI_TIPS, &TipsIcon);

}  // namespace
}  // namespace vf::res
