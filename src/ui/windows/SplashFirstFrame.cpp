#include "SplashFirstFrame.h"

#include <QApplication>
#include <QDataStream>
#include <QIODevice>
#include <QPalette>
#include <QResource>
#include <QStyle>
#include <QWidget>

#include <cstring>

namespace qb {
namespace {

constexpr auto kFrameFormat = QImage::Format_RGB32;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_4;

} // namespace

QByteArray SplashLook(ProgramVersion version, const QWidget& window) {
    QByteArray look;
    QDataStream out(&look, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << kProductName << SplashVersionText(version) << QApplication::style()->name()
        << QApplication::palette() << window.logicalDpiY() << window.devicePixelRatioF();
    return look;
}

// The file: the look, the frame's width and height, then its rows of 32-bit pixels, stored
// uncompressed so that reading it costs one copy.
QImage PreparedSplashFrame(const QByteArray& look) {
    const QByteArray file =
        QResource(QStringLiteral(":/pictures/splash-first-frame")).uncompressedData();
    QDataStream in(file);
    in.setVersion(kStreamVersion);
    QByteArray drawnLook;
    qint32 width = 0;
    qint32 height = 0;
    in >> drawnLook >> width >> height;
    if (in.status() != QDataStream::Ok || drawnLook != look || width <= 0 || height <= 0) {
        return {};
    }
    const qsizetype rowBytes = qsizetype(width) * 4;
    const qsizetype offset = in.device()->pos();
    if (file.size() - offset != rowBytes * height) {
        return {};
    }
    QImage frame(width, height, kFrameFormat);
    for (int y = 0; y < height; ++y) {
        std::memcpy(frame.scanLine(y), file.constData() + offset + y * rowBytes, rowBytes);
    }
    return frame;
}

QByteArray SplashFrameFile(const QByteArray& look, const QImage& frame) {
    const QImage pixels = frame.convertToFormat(kFrameFormat);
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << look << qint32(pixels.width()) << qint32(pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        out.writeRawData(reinterpret_cast<const char*>(pixels.constScanLine(y)),
                         pixels.width() * 4);
    }
    return file;
}

} // namespace qb
