#pragma once

#include "system/ProgramVersion.h"

#include <QByteArray>
#include <QImage>

class QWidget;

namespace qb {

// The splash's first frame drawn at build time, so that its window shows without loading a font
// or an SVG renderer. The frame holds with the look it was drawn under: what the splash's pixels
// depend on that is known before any font loads (texts, style, palette, resolution).
QByteArray SplashLook(ProgramVersion version, const QWidget& window);

// The prepared frame when it was drawn under this look; a null image otherwise.
QImage PreparedSplashFrame(const QByteArray& look);

// The bytes of the resource PreparedSplashFrame reads.
QByteArray SplashFrameFile(const QByteArray& look, const QImage& frame);

} // namespace qb
