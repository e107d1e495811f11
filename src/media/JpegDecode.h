// Decoding JPEG pictures into images for display, with libjpeg-turbo.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// The picture decoded to RGB (grey pictures as grey levels in RGB, CMYK converted to
// RGB). With a non-empty atLeast the decoder may scale down by 1/2, 1/4 or 1/8 as long
// as the result is still at least that large in both directions (for previews).
// A picture cut short in its scan data decodes with the missing part grey, as
// libjpeg fills it. Throws std::runtime_error with the decoder's reason when the
// bytes are no picture libjpeg can decode (no frame, unsupported precision, ...).
QImage DecodeJpeg(const QByteArray &bytes, QSize atLeast = {});
