#include "windows/DrawingWindow.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "shell/Session.h"
#include "shell/WindowPositions.h"
#include "windows/PlotPictureBox.h"

namespace polvane {

DrawingWindow::DrawingWindow(ToolWindowId id, ToolWindowContext& context, PlotCanvas::Kind kind,
                             const char* pictureName, QWidget* parent)
    : ToolWindow(id, context, parent), canvas_(kind, context.options),
      picture_(new PlotPictureBox(this))
{
    picture_->setObjectName(QString::fromUtf8(pictureName));
    picture_->setMouseTracking(true);
    picture_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);

    canvas_.CreateGraphicsObjects();
    canvas_.RefreshGraphicsHandle(false, true);
    connect(picture_, &PlotPictureBox::Resized, this, [this] {
        // Placing the windows resizes them one by one; they are all redrawn afterwards.
        if (WindowPositions::IsPositioning())
            return;
        Guard("Form_Resize", [this] { UpdateInterface(); });
    });
}

DrawingWindow::~DrawingWindow()
{
    picture_->removeEventFilter(this);
    picture_->disconnect(this);
    canvas_.DestroyGraphicsObjects();
    canvas_.RefreshGraphicsHandle(true, false);
}

void DrawingWindow::UpdateInterface()
{
    canvas_.SetPictureSize(picture_->ScaleWidth(), picture_->ScaleHeight());
    if (!canvas_.BeginRedraw(Context().session.Results(), MarginText()))
        return;
    DrawContent();
    canvas_.CopyTo(*picture_);
}

void DrawingWindow::RefreshGraphicsObjects()
{
    canvas_.RefreshGraphicsObjects();
    GraphicsObjectsCreated();
}

void DrawingWindow::DrawCross(QPointF at, float arm, const QPen& pen)
{
    const auto x = static_cast<float>(at.x());
    const auto y = static_cast<float>(at.y());
    canvas_.DrawLineManual(x - arm, y - arm, x + arm, y + arm, pen);
    canvas_.DrawLineManual(x - arm, y + arm, x + arm, y - arm, pen);
}

bool DrawingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != picture_)
        return ToolWindow::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove)
        PictureMouseMove(static_cast<const QMouseEvent&>(*event));
    else if (event->type() == QEvent::MouseButtonRelease)
        PictureMouseUp(static_cast<const QMouseEvent&>(*event));
    return false;
}

} // namespace polvane
