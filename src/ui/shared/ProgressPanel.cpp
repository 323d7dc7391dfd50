#include "ui/shared/ProgressPanel.h"

#include <QPainter>

namespace {
const QColor kNavy(0, 0, 128);
}

ProgressPanel::ProgressPanel(QWidget* parent) : QWidget(parent)
{
    setFixedWidth(50);
    setObjectName("StatusBar1Panel1");
}

QRect ProgressPanel::NavyPart(const QRect& r) const
{
    const int pos = qBound(0, position_, 100);
    const int right = r.left() + (r.width() * pos) / 100;
    return QRect(QPoint(r.left(), r.top()), QPoint(right - 1, r.bottom()));
}

void ProgressPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    const QRect navy = NavyPart(r);
    painter.fillRect(r, palette().color(QPalette::Button));
    if (navy.width() > 0)
        painter.fillRect(navy, kNavy);
    sbrect_ = r;
}
