// Writes the window's icons for the Windows build, res/windows/*.ico, from
// the same drawing the Qt window uses (program_icons.cpp), so both systems
// show one camera.
//
//   cmake --build build --target export_windows_icons
//   QT_QPA_PLATFORM=offscreen build/export_windows_icons res/windows
//
// Each icon holds 16, 24, 32 and 48 pixel images as 32-bit DIBs with alpha,
// which every Windows since XP (and Wine) reads.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdio>
#include <vector>

#include "res/resource_ids.h"
#include "ui/window/qt/icons.h"

namespace {

constexpr int kSizes[] = {16, 24, 32, 48};

// The information sign beside the tips: a white "i" on a blue disc.
QImage DrawTips(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(QPen(QColor(0x1b, 0x4f, 0x9c), 1.2));
  painter.setBrush(QColor(0x2f, 0x7b, 0xd8));
  painter.drawEllipse(QPointF(16, 16), 14.4, 14.4);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(16, 9), 2.4, 2.4);
  painter.drawRoundedRect(QRectF(13.8, 13, 4.4, 12.5), 1.2, 1.2);
  return image;
}

void Put16(QByteArray &out, quint16 value) {
  const quint16 le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char *>(&le), 2);
}
void Put32(QByteArray &out, quint32 value) {
  const quint32 le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char *>(&le), 4);
}

// One image as an icon resource stores it: a BITMAPINFOHEADER of twice the
// height, the BGRA rows bottom-up, then the 1-bit mask (unused with alpha).
QByteArray Dib(const QImage &source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int size = image.width();
  QByteArray out;
  Put32(out, 40);
  Put32(out, static_cast<quint32>(size));
  Put32(out, static_cast<quint32>(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (int x = 0; x < size; ++x) Put32(out, row[x]);  // ARGB32 is BGRA in memory order.
  }
  const int maskRow = ((size + 31) / 32) * 4;
  out.append(QByteArray(maskRow * size, '\0'));
  return out;
}

bool WriteIcon(const QString &path, const std::vector<QImage> &images) {
  QByteArray header;
  QByteArray data;
  Put16(header, 0);
  Put16(header, 1);  // An icon.
  Put16(header, static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (const QImage &image : images) {
    const QByteArray dib = Dib(image);
    header.append(static_cast<char>(image.width() % 256));
    header.append(static_cast<char>(image.height() % 256));
    header.append('\0');  // No palette.
    header.append('\0');
    Put16(header, 1);
    Put16(header, 32);
    Put32(header, static_cast<quint32>(dib.size()));
    Put32(header, offset);
    offset += static_cast<quint32>(dib.size());
    data.append(dib);
  }
  QFile file(path);
  return file.open(QIODevice::WriteOnly) &&
         file.write(header + data) == header.size() + data.size();
}

}  // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: export_windows_icons FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QIcon camera = vf::ui::LoadIcon(vf::res::IDR_MAINFRAME);
  std::vector<QImage> cameras, tips;
  for (int size : kSizes) {
    cameras.push_back(camera.pixmap(size, size).toImage().scaled(size, size));
    tips.push_back(DrawTips(size));
  }
  if (!WriteIcon(folder + "/vellafind.ico", cameras) || !WriteIcon(folder + "/tips.ico", tips)) {
    std::fprintf(stderr, "export_windows_icons: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
