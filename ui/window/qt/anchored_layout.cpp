#include "ui/window/qt/anchored_layout.h"

#include <QVariant>
#include <QWidget>

#include "ui/window/dialog_template.h"
#include "ui/window/qt/control_id.h"

namespace vf::ui {

void FollowDialogEdges(QWidget *dialog, QSize delta) {
  if (delta.isNull()) return;
  const auto children = dialog->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget *widget : children) {
    const QVariant property = widget->property(kControlAnchorProperty);
    if (!property.isValid()) continue;
    const unsigned anchor = property.toUInt();
    QRect place = widget->geometry();
    if ((anchor & kMoveWithRight) != 0) place.translate(delta.width(), 0);
    if ((anchor & kMoveWithBottom) != 0) place.translate(0, delta.height());
    if ((anchor & kStretchRight) != 0) place.setRight(place.right() + delta.width());
    if ((anchor & kStretchDown) != 0) place.setBottom(place.bottom() + delta.height());
    widget->setGeometry(place);
  }
}

}  // namespace vf::ui
