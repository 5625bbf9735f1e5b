#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>

#include <vector>

// Renders a picture from the resources onto a transparent image of the given size.
QImage renderSvg(const QString& path, QSize size);

// True when no pixel of the image has any transparency.
bool isOpaque(const QImage& image);

// The television bar order, left to right.
const std::vector<QRgb>& barColours();
