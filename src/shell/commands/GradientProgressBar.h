#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "engine/ProgressController.h"

namespace polvane {

// The progress bar of Auto-Configure and printing: the part of a left-to-right colour
// gradient reached so far, on white. A falling fraction leaves the longer bar until Clear.
class GradientProgressBar : public QWidget, public ProgressController {
    Q_OBJECT

public:
    explicit GradientProgressBar(QWidget* parent = nullptr);

    // The colours at 0 % and 100 % (alpha is not used); clears the bar.
    void Initialize(QColor left, QColor right);
    void Clear();
    void SetProgress(double fraction) override;

    // What the bar shows, for tests and painting.
    const QImage& Surface() const { return surface_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor left_ = Qt::white;
    QColor right_ = Qt::white;
    QImage surface_;
};

} // namespace polvane
