#pragma once

// Pictures as files: encoding them, and writing a file so that a failure
// never damages the file that was there before.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace symbol {

// A symbol's two colours, as every picture of it holds them.
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

// The picture as the bytes of a file in format ("bmp", "png", ...); the
// resolution written is the picture's own. A picture of black and white
// pixels only is written with one bit a pixel. Empty, with the reason in
// error, when it cannot be encoded.
QByteArray EncodePicture(const QImage& picture, const char* format, QString* error);

// Writes bytes to path through a temporary file in the same folder, put in
// place only when every byte was written: a failed write (a full disk, a
// folder that cannot be written) leaves an existing file as it was. Returns
// false with the reason in error.
bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace symbol
