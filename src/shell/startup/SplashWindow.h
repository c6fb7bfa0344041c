#pragma once

#include <QWidget>

class QLabel;

namespace polvane {

// The start-up picture with the program's version; Help > About shows it again. A click
// hides it; shown as About, Escape and Enter do too. It stays above every window, so a
// message or dialog that comes up while it shows (a file refused at start-up) hides it.
class SplashWindow : public QWidget {
    Q_OBJECT

public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return version_; }
    // Help > About: shows the window in front. Until it hides, Escape and Enter close it
    // wherever they are typed in the program, but in a dialog or an open menu: a window
    // manager need not give the keyboard to a splash window.
    void ShowAsAbout();

signals:
    // Hidden by a click or a key.
    void Dismissed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Dismiss();
    // The picture for the pixel ratio of the window's screen.
    void DrawPicture();

    QLabel* picture_;
    QLabel* version_;
    bool watching_ = false;
    bool asAbout_ = false;
};

} // namespace polvane
