#pragma once

#include <QWidget>
#include <functional>

// The white page of the preview: a plain widget whose painting and mouse presses are done by
// its owner, so that the page is drawn by the same layout as the printer and the PDF.
class PreviewBox : public QWidget {
    Q_OBJECT

public:
    explicit PreviewBox(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPaintEvent*)> onPaint;
    std::function<void()> onMousePress;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (onPaint)
            onPaint(event);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (onMousePress)
            onMousePress();
        QWidget::mousePressEvent(event);
    }
};
