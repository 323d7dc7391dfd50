#pragma once

#include <QWidget>

// The status bar's owner-drawn progress panel: the left part, in proportion to the
// percentage, is navy; the rest has the button-face colour.
class ProgressPanel : public QWidget {
    Q_OBJECT

public:
    explicit ProgressPanel(QWidget* parent = nullptr);

    int StatusPosition() const { return position_; }
    void SetStatusPosition(int percent) { position_ = percent; }
    // The rectangle of the last drawing, in panel coordinates.
    QRect sbrect() const { return sbrect_; }
    // The navy part of a panel drawn in rectangle r at the current position.
    QRect NavyPart(const QRect& r) const;

    QSize sizeHint() const override { return {50, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int position_ = 0;
    QRect sbrect_;
};
