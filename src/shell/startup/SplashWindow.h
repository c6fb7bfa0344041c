#pragma once

#include <QWidget>

class QLabel;

namespace polvane {

// The start-up picture with the program's version; Help > About shows it again. A click
// hides it.
class SplashWindow : public QWidget {
    Q_OBJECT

public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return version_; }

signals:
    // Hidden by a click.
    void Dismissed();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* picture_;
    QLabel* version_;
};

} // namespace polvane
