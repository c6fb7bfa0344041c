#pragma once

#include <functional>

#include <QColor>
#include <QLabel>

namespace polvane {

// A label that acts as a link: it lights up while the mouse is over it and reports a click.
// It stays idle while busy() holds (the windows pass whether Auto-Configure runs, which lets
// window messages run while it works); a later move over it lights it then.
// Tab reaches it, a dotted frame in its text colour shows the focus, and Space, Return,
// Enter or Alt+Down act as a click. A mouse click leaves the focus where it was.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    static QColor HighlightColor() { return QColor(0, 96, 255); }

    LinkLabel(QWidget* parent, std::function<bool()> busy);

    bool IsLit() const { return lit_; }
    QColor TextColor() const;
    // A label on a shading of its own rests and lights in colours that read on that shading;
    // any other rests in the palette's text and lights in the highlight as it reads on the
    // palette's background.
    void SetColors(const QColor& resting, const QColor& lit);
    QColor RestingColor() const;
    QColor LitColor() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Light();
    void Unlight();
    void SetTextColor(const QColor& color);

    std::function<bool()> busy_;
    bool lit_ = false;
    QColor resting_, litColor_; // invalid: from the palette
};

} // namespace polvane
