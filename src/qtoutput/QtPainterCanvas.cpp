#include "qtoutput/QtPainterCanvas.h"

#include "imaging/DibAccess.h"
#include "imaging/DrawDibToDevice.h"
#include "qtoutput/QtDibDevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

QString ToQ(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ColorOf(uint32_t rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

}

QtPainterCanvas::QtPainterCanvas(QPainter& painter, const TOutputTarget& target, QPrinter* printer)
    : TOutputCanvas(target),
      painter_(painter),
      printer_(printer)
{
    painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtPainterCanvas::SetFont(const TCanvasFont& font)
{
    QFont f(ToQ(font.name));
    f.setPointSize(font.size > 0 ? font.size : 1);
    f.setBold(font.style & 1);
    f.setItalic(font.style & 2);
    f.setUnderline(font.style & 4);
    f.setStrikeOut(font.style & 8);
    painter_.setFont(f);
    fontColor_ = ColorOf(font.color);
}

void QtPainterCanvas::SetPen(int32_t width)
{
    // Width 0 is Qt's cosmetic pen: the thinnest line the device has.
    painter_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
}

void QtPainterCanvas::TextOut(int32_t x, int32_t y, std::u16string_view text)
{
    if (text.empty())
        return;
    const QFontMetrics metrics(painter_.font(), painter_.device());
    // Text takes the font's colour; the pen of the rules stays as it was.
    const QPen rulePen = painter_.pen();
    painter_.setPen(fontColor_);
    painter_.drawText(QPoint(x, y + metrics.ascent()), ToQ(text));
    painter_.setPen(rulePen);
}

int32_t QtPainterCanvas::TextWidth(std::u16string_view text)
{
    if (text.empty())
        return 0;
    return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(ToQ(text));
}

int32_t QtPainterCanvas::TextHeight(std::u16string_view text)
{
    if (text.empty())
        return 0;
    return QFontMetrics(painter_.font(), painter_.device()).height();
}

void QtPainterCanvas::MoveTo(int32_t x, int32_t y)
{
    position_ = QPoint(x, y);
}

void QtPainterCanvas::LineTo(int32_t x, int32_t y)
{
    const QPoint to(x, y);
    painter_.drawLine(position_, to);
    position_ = to;
}

void QtPainterCanvas::FillModules(int32_t x, int32_t y, int32_t side, int32_t cells, const std::vector<ModuleRun>& runs)
{
    if (cells <= 0)
        return;
    // In module units, without smoothing: every edge falls on the pixel grid the same way for
    // both modules it parts, so neighbours meet and the code stays sharp. A preview zoomed out
    // below two pixels a module shows it smoothed, as a grey likeness of the code.
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, side < 2 * cells);
    painter_.translate(x, y);
    painter_.scale(double(side) / cells, double(side) / cells);
    for (const ModuleRun& run : runs)
        painter_.fillRect(QRectF(run.column, run.row, run.length, 1), Qt::black);
    painter_.restore();
}

void QtPainterCanvas::DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height)
{
    QtDibDevice device(painter_, printer_ != nullptr);
    DrawDibToDevice(device, x, y, width, height, logo, 0, 0, DibWidth(logo), DibHeight(logo), false,
                    DibDevice::kSrcCopy, 0, 0);
}

int32_t QtPainterCanvas::WordBreak(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                                   bool measureOnly)
{
    QString shown = ToQ(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (shown.isEmpty())
        return top;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const int width = right > left ? right - left : 1;
    const int height = bottom > top ? bottom - top : 1;
    const QFontMetrics metrics(painter_.font(), painter_.device());
    // Measured without a height limit, so the bottom of all lines comes back.
    const QRect needed = metrics.boundingRect(QRect(left, top, width, 1 << 24), flags, shown);
    if (!measureOnly) {
        const QPen rulePen = painter_.pen();
        painter_.setPen(fontColor_);
        painter_.drawText(QRect(left, top, width, std::max(height, needed.height())), flags, shown);
        painter_.setPen(rulePen);
    }
    return top + needed.height();
}

void QtPainterCanvas::NewPage()
{
    if (printer_)
        printer_->newPage();
}
