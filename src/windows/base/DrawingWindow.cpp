#include "windows/base/DrawingWindow.h"

#include <QMouseEvent>
#include <QVBoxLayout>

#include "shell/session/Session.h"
#include "shell/places/WindowPositions.h"
#include "plot/PlotPictureBox.h"

namespace polvane {

DrawingWindow::DrawingWindow(ToolWindowId id, ToolWindowContext& context, PlotCanvas::Kind kind,
                             const char* pictureName, QWidget* parent, Placement placement)
    : ToolWindow(id, context, parent), canvas_(kind, context.options),
      picture_(new PlotPictureBox(this))
{
    picture_->setObjectName(QString::fromUtf8(pictureName));
    picture_->setMouseTracking(true);
    picture_->installEventFilter(this);

    canvas_.CreateGraphicsObjects();
    canvas_.RefreshGraphicsHandle(false, true);
    if (placement == Placement::PlacedByWindow)
        return;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    connect(picture_, &PlotPictureBox::Resized, this, [this] {
        // Placing the windows resizes them one by one; they are all redrawn afterwards.
        if (WindowPositions::IsPositioning())
            return;
        Guard("Form_Resize", [this] { Redraw(); });
    });
}

DrawingWindow::~DrawingWindow()
{
    picture_->removeEventFilter(this);
    picture_->disconnect(this);
    canvas_.DestroyGraphicsObjects();
    canvas_.RefreshGraphicsHandle(true, false);
}

void DrawingWindow::UpdateInterface() { Redraw(); }

void DrawingWindow::Redraw()
{
    canvas_.SetPictureSize(picture_->ScaleWidth(), picture_->ScaleHeight());
    canvas_.SetLoadRows(LoadRows());
    canvas_.SetNoticeRows(NoticeRows());
    const CalculationResults& results = Context().session.Results();
    const std::string margin = MarginText();
    std::string content;
    if (canvas_.FitsLastPicture(results, margin)) {
        content = DrawnFrom();
        if (!content.empty() && content == shownContent_ && picture_->Picture().cacheKey() == shownPicture_)
            return;
    }
    shownContent_.clear();
    if (!canvas_.BeginRedraw(results, margin)) {
        NothingDrawn();
        return;
    }
    if (content.empty())
        content = DrawnFrom();
    DrawContent();
    canvas_.CopyTo(*picture_);
    shownContent_ = std::move(content);
    shownPicture_ = picture_->Picture().cacheKey();
}

void DrawingWindow::RefreshGraphicsObjects()
{
    Guard("RefreshGraphicsObjects", [this] {
        canvas_.RefreshGraphicsObjects();
        shownContent_.clear();
        GraphicsObjectsCreated();
    });
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
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return PictureMouseDown(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseMove:
        return PictureMouseMove(static_cast<const QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease:
        return PictureMouseUp(static_cast<const QMouseEvent&>(*event));
    default:
        return false;
    }
}

} // namespace polvane
