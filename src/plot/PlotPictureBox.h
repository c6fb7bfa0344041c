#pragma once

#include <QImage>
#include <QWidget>

namespace polvane {

// The picture box a drawing window shows its canvas in. It only shows the last finished
// picture; all drawing happens on the canvas, which hands the whole picture over at once.
class PlotPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PlotPictureBox(QWidget* parent = nullptr);

    // The picture shown from the top-left corner; what it does not cover keeps the
    // window's background.
    void ShowPicture(QImage picture);
    const QImage& Picture() const { return picture_; }

    // The drawing's size in pixels.
    int ScaleWidth() const { return width(); }
    int ScaleHeight() const { return height(); }

signals:
    // The window redraws at its new size, unless it is being placed.
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
};

} // namespace polvane
