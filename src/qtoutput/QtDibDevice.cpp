#include "qtoutput/QtDibDevice.h"

#include "imaging/DibAccess.h"
#include "imaging/DibPixels.h"

#include <QImage>
#include <QPainter>

#include <vector>

namespace {

// The image as a Qt image, top row first; a null image when the depth cannot be read.
QImage ToQImage(const dib& d)
{
    const int32_t width = DibWidth(d);
    const int32_t height = DibHeight(d);
    if (!d.bits || width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    std::vector<uint8_t> bgr(static_cast<size_t>(width) * 3);
    for (int32_t row = 0; row < height; ++row) {
        if (!DibRowToBgr(d, row, bgr.data()))
            return {};
        uchar* line = image.scanLine(height - 1 - row);  // storage row 0 is the bottom row
        for (int32_t x = 0; x < width; ++x) {
            line[3 * x] = bgr[3 * x + 2];
            line[3 * x + 1] = bgr[3 * x + 1];
            line[3 * x + 2] = bgr[3 * x];
        }
    }
    return image;
}

}

bool QtDibDevice::PutRows(int32_t x, int32_t y, const dib& rows)
{
    const QImage image = ToQImage(rows);
    if (image.isNull())
        return false;
    painter_.drawImage(QPoint(x, y), image);
    return true;
}

bool QtDibDevice::StretchImage(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& image, int32_t sx, int32_t sy,
                               int32_t sw, int32_t sh, uint32_t)
{
    const QImage whole = ToQImage(image);
    if (whole.isNull())
        return false;
    // The source row sy counts from the bottom; Qt's rows count from the top.
    const QRect source(sx, DibHeight(image) - sy - sh, sw, sh);
    const bool smooth = painter_.testRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);  // whole rows and columns only
    painter_.drawImage(QRect(dx, dy, dw, dh), whole, source);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    return true;
}
