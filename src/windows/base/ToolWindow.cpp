#include "windows/base/ToolWindow.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <vector>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include "engine/Environment.h"
#include "model/ProcedureFailure.h"
#include "platform/ScreenInfo.h"
#include "shell/startup/ErrorReporter.h"
#include "shell/options/Options.h"
#include "shell/session/ShellMainWindow.h"
#include "shell/session/UpdateGuard.h"
#include "shell/session/UpdateHub.h"
#include "shell/places/ScreenPlace.h"
#include "shell/session/VenueLifecycle.h"
#include "shell/places/StoredWindowPlaces.h"
#include "shell/places/WindowPlace.h"
#include "shell/session/WindowRegistry.h"
#include "windows/controls/KeyCodes.h"

namespace polvane {

// Watches the key events of the whole application and hands those meant for the window or
// one of its controls to the window before the control sees them: a control that takes
// every key (a text box) would otherwise never let F1 or a state key reach the window.
// A window without a control that takes the focus (a drawing) leaves the focus on its
// sub-window's frame when clicked, or on the work area around it: those keys are the
// window's too while its sub-window is the active one.
class ToolWindow::KeyWatcher : public QObject {
public:
    explicit KeyWatcher(ToolWindow& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        auto* target = qobject_cast<QWidget*>(watched);
        if (target == nullptr || !Owns(*target))
            return false;
        return window_.HandleKey(*target, static_cast<QKeyEvent&>(*event));
    }

private:
    bool Owns(const QWidget& target) const
    {
        if (&target == &window_ || window_.isAncestorOf(&target))
            return true;
        QWidget& frame = window_.Frame();
        if (&frame == &window_)
            return false;
        if (&target == &frame || frame.isAncestorOf(&target))
            return true;
        return target.isAncestorOf(&frame) &&
               window_.context_.area.activeSubWindow() == &frame;
    }

    ToolWindow& window_;
};

// Takes a fixed window's request for a layout, once its own layout has answered it, while
// the last fit still holds: the frame would otherwise work out its title's elided text and
// its least size again at every label that took a new text.
class ToolWindow::LayoutWatcher : public QObject {
public:
    explicit LayoutWatcher(ToolWindow& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_ || event->type() != QEvent::LayoutRequest || window_.IsSizable() ||
            window_.fitting_ || !window_.FitsAsBefore())
            return false;
        QCoreApplication::removePostedEvents(&window_.Frame(), QEvent::LayoutRequest);
        return true;
    }

private:
    ToolWindow& window_;
};

ToolWindow::ToolWindow(ToolWindowId id, ToolWindowContext& context, QWidget* parent)
    : QWidget(parent), id_(id), context_(context), info_(ToolWindowRegistry::Info(id))
{
    setObjectName(QString::fromUtf8(info_.windowName));
    setWindowTitle(QString::fromUtf8(info_.caption));
    // The window paints its own background, so a control that repaints (a pressed button,
    // a changed label) repaints over the window alone and not the frame's title around it.
    setAutoFillBackground(true);
    qApp->installEventFilter(new KeyWatcher(*this));
}

ToolWindow::~ToolWindow()
{
    // A window torn down without closing (the program's end) must not stay registered.
    context_.registry.Unregister(id_, this);
}

UnitsCode ToolWindow::VenueUnits() const { return context_.lifecycle.Venue().Units(); }

std::string ToolWindow::Procedure(std::string_view handler) const
{
    return std::string(info_.windowName) + "." + std::string(handler);
}

void ToolWindow::VenueEdited(UpdateScope scope, bool recalculate) const
{
    // Marked first: the edit stands even when a refresh fails.
    context_.lifecycle.SetDirty();
    context_.hub.UpdateInterfaces(scope, recalculate);
}

bool ToolWindow::NameBoxKey(int key, QLineEdit& box, const std::function<bool()>& store,
                            const std::function<void()>& restore) const
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!enter && key != Qt::Key_Escape)
        return false;
    Guard("txtName_KeyPress", [&] {
        if (enter) {
            if (!store())
                return;
            context_.lifecycle.SetDirty();
        } else {
            restore();
        }
        box.selectAll();
    });
    return true;
}

bool ToolWindow::Guard(std::string_view handler, const std::function<void()>& action) const
{
    return context_.reporter.Guard(Procedure(handler), action);
}

void ToolWindow::Refresh()
{
    UpdateGuard guard;
    try {
        UpdateInterface();
    } catch (const ProcedureFailure&) {
        throw;
    } catch (const std::exception& failure) {
        throw ProcedureFailure(Procedure("UpdateInterface"), failure.what());
    }
}

bool ToolWindow::HandleKey(QWidget&, QKeyEvent& event)
{
    int code = KeyCodes::PhysicalCode(event);
    if (event.type() == QEvent::KeyPress) {
        if (!event.isAutoRepeat())
            shiftAtPress_[code] = KeyCodes::ShiftState(event.modifiers());
        if (code != KeyCodes::kF1)
            return false;
        if (!event.isAutoRepeat())
            Guard("Form_KeyDown", [this] { context_.hub.ShowHelp(info_.helpTopic, false); });
        return true;
    }
    // A held key repeats its presses only; the state is loaded once, on the real release.
    if (event.isAutoRepeat())
        return false;
    const auto pressed = shiftAtPress_.find(code);
    // A release whose press went elsewhere is no key typed here.
    if (pressed == shiftAtPress_.end())
        return false;
    const int shift = pressed->second;
    shiftAtPress_.erase(pressed);
    if (KeepsKeyUp(code))
        return false;
    bool used = false;
    Guard("Form_KeyUp", [&] { used = context_.lifecycle.GlobalKeyHandler(code, shift); });
    return used;
}

// The state keys reach the venue's key handler with the key codes' shift bits.
static_assert(KeyCodes::kShiftBit == VenueLifecycle::kShiftBit &&
              KeyCodes::kCtrlBit == VenueLifecycle::kCtrlBit && KeyCodes::kAltBit == VenueLifecycle::kAltBit);

void ToolWindow::closeEvent(QCloseEvent* event)
{
    Guard("Form_QueryUnload", [this] {
        const WindowPlace place = Place(context_.closingWithMain && context_.closingWithMain());
        // A window loaded for the start-up, whose frame never showed, was not seen.
        const QWidget* frame = parentWidget();
        const bool seen = frame == nullptr || !frame->isHidden();
        StoredWindowPlaces(context_.options.Store()).SaveClosing(info_.caption, place, seen);
        context_.registry.Unregister(id_, this);
        context_.mainWindow.UpdateVisibleWindows();
    });
    event->accept();
}

QWidget& ToolWindow::Frame()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    return frame != nullptr ? static_cast<QWidget&>(*frame) : *this;
}

const QWidget& ToolWindow::Frame() const { return const_cast<ToolWindow*>(this)->Frame(); }

int ToolWindow::TwipsX() const { return std::max(1, context_.screen.TwipsPerPixelX()); }
int ToolWindow::TwipsY() const { return std::max(1, context_.screen.TwipsPerPixelY()); }

QSize ToolWindow::sizeHint() const
{
    const QSize hint = QWidget::sizeHint();
    return hint.isValid() ? hint.expandedTo(minimumSize()) : minimumSize();
}

bool ToolWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::LayoutRequest:
        // The fit lays the content out and leaves no request behind: answered with another
        // fit, each would keep the program busy for ever. A request that changes nothing
        // stopped before it came here (LayoutWatcher).
        if (!IsSizable() && !fitting_)
            FitFrame();
        break;
    case QEvent::Resize:
    case QEvent::Show:
        // A window that grows while its frame is still being fitted around it (shown small,
        // then given the size of its content) is otherwise left painted only as far as its
        // earlier size reached.
        update();
        if (event->type() == QEvent::Show)
            refitNeeded_ = true;
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
    case QEvent::Hide:
    case QEvent::ScreenChangeInternal:
        refitNeeded_ = true;
        break;
    default:
        break;
    }
    return handled;
}

bool ToolWindow::FitsAsBefore() const
{
    // The request has laid out this window's own layout already (Qt answers it before the
    // window sees it), so the size hint is fresh.
    return !refitNeeded_ && isVisible() && !fittedContent_.isEmpty() &&
           sizeHint().expandedTo(minimumSizeHint()) == fittedContent_ && Frame().size() == fittedFrame_;
}

void ToolWindow::FitFrame()
{
    QWidget& frame = Frame();
    if (&frame == this || fitting_)
        return;
    fitting_ = true;
    if (layout() != nullptr)
        layout()->activate();
    if (IsSizable()) {
        frame.resize(frame.size().expandedTo(MinimumFrameSize()));
        fitting_ = false;
        return;
    }
    frame.setFixedSize(sizeHint().expandedTo(minimumSizeHint()) + Decoration());
    // A frame that kept its size does not lay out its content again by itself.
    // Nor, while hidden, does content that the frame's caption made wider than it asked for,
    // down to the groups of controls that have layouts of their own.
    std::vector<QWidget*> laidOut{&frame, this};
    for (QWidget* child : findChildren<QWidget*>())
        laidOut.push_back(child);
    for (QWidget* widget : laidOut) {
        if (widget->layout() != nullptr) {
            widget->layout()->invalidate();
            widget->layout()->activate();
        }
    }
    // A group laid out tells the layout around it, which is then to be laid out once more:
    // from the innermost group outwards, each is laid out again where it was so told.
    for (auto widget = laidOut.rbegin(); widget != laidOut.rend(); ++widget)
        if ((*widget)->layout() != nullptr)
            (*widget)->layout()->activate();
    // Everything is laid out now: the requests the layouts posted on the way are stale, and
    // each would only start another round.
    for (QWidget* widget : laidOut)
        QCoreApplication::removePostedEvents(widget, QEvent::LayoutRequest);
    fittedContent_ = sizeHint().expandedTo(minimumSizeHint());
    fittedFrame_ = frame.size();
    refitNeeded_ = !isVisible();
    fitting_ = false;
}

void ToolWindow::WatchLayoutRequests()
{
    // Filters installed later see an event first: this one comes after the frame's own.
    installEventFilter(new LayoutWatcher(*this));
}

void ToolWindow::GiveDefaultSize()
{
    QWidget& frame = Frame();
    if (IsSizable() && &frame != this)
        frame.resize(sizeHint().expandedTo(QSize(kDefaultWidth, kDefaultHeight)) + Decoration());
    FitFrame();
}

QSize ToolWindow::Decoration() const
{
    // The frame's own parts (title bar and borders) come on top of the content.
    const QWidget& frame = Frame();
    if (&frame == this)
        return {};
    const QSize difference = frame.sizeHint() - sizeHint();
    if (!IsSizable())
        return difference;
    // A sizable window's content may ask for less than the frame's own least width, which
    // is then no decoration: the borders and the title bar are at most what the style says.
    const int border = frame.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &frame);
    const int title = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame);
    return difference.boundedTo(QSize(2 * border, title + border));
}

QSize ToolWindow::MinimumFrameSize() const
{
    // Small enough to share a screen with the others, large enough to show a picture or
    // a few lines; a window's own minimum comes first.
    return minimumSize().expandedTo(QSize(kMinimumWidth, kMinimumHeight)) + Decoration();
}

int ToolWindow::Left() const { return Frame().x() * TwipsX(); }
int ToolWindow::Top() const { return Frame().y() * TwipsY(); }
// Never a size below the minimum, whatever the frame was squeezed to.
int ToolWindow::Width() const
{
    return std::max(Frame().width(), IsSizable() ? MinimumFrameSize().width() : 0) * TwipsX();
}
int ToolWindow::Height() const
{
    return std::max(Frame().height(), IsSizable() ? MinimumFrameSize().height() : 0) * TwipsY();
}

int ToolWindow::NeededWidth() const
{
    return (IsSizable() ? MinimumFrameSize().width() : Frame().width()) * TwipsX();
}

int ToolWindow::NeededHeight() const
{
    return (IsSizable() ? MinimumFrameSize().height() : Frame().height()) * TwipsY();
}

void ToolWindow::Move(int left, int top)
{
    placed_ = true;
    FitFrame();
    MoveHeld(left, top, Frame().size());
}

void ToolWindow::Move(int left, int top, int width, int height)
{
    placed_ = true;
    if (!IsSizable()) {
        Move(left, top);
        return;
    }
    MoveHeld(left, top, QSize(ScreenInfo::ToPixels(width, TwipsX()), ScreenInfo::ToPixels(height, TwipsY())));
}

void ToolWindow::MoveHeld(int left, int top, QSize size)
{
    QWidget& frame = Frame();
    // A fixed window takes the size of its content, a sizable one at least its minimum.
    const QSize least = IsSizable() ? MinimumFrameSize() : frame.size();
    const std::optional<ScreenPlace::Rect> held = ScreenPlace::HeldOnScreen(
        {ScreenInfo::ToPixels(left, TwipsX()), ScreenInfo::ToPixels(top, TwipsY()), size.width(), size.height()},
        {least.width(), least.height()}, context_.screen.Width(), context_.screen.Height());
    // On a screen too small for the window its title bar at the corner keeps it reachable.
    const ScreenPlace::Rect place = held.value_or(ScreenPlace::Rect{0, 0, least.width(), least.height()});
    if (IsSizable())
        frame.resize(QSize(place.width, place.height).expandedTo(least));
    frame.move(place.left, place.top);
}

void ToolWindow::Arrange(int left, int top)
{
    placed_ = true;
    FitFrame();
    Frame().move(ScreenInfo::ToPixels(left, TwipsX()), ScreenInfo::ToPixels(top, TwipsY()));
}

void ToolWindow::Arrange(int left, int top, int width, int height)
{
    if (IsSizable())
        Frame().resize(QSize(ScreenInfo::ToPixels(width, TwipsX()), ScreenInfo::ToPixels(height, TwipsY()))
                           .expandedTo(MinimumFrameSize()));
    Arrange(left, top);
}

bool ToolWindow::IsShown() const { return !Frame().isHidden(); }

void ToolWindow::Show()
{
    QWidget& frame = Frame();
    FitFrame();
    frame.show();
    // A window with no place of its own opens where the work area puts it, which may lie
    // partly past its edges: it is held inside, as far as it fits.
    if (!placed_ && &frame != this) {
        const QRect view = context_.area.viewport()->rect();
        frame.move(std::clamp(frame.x(), 0, std::max(0, view.width() - frame.width())),
                   std::clamp(frame.y(), 0, std::max(0, view.height() - frame.height())));
    }
    frame.raise();
    if (auto* subWindow = qobject_cast<QMdiSubWindow*>(&frame); subWindow != nullptr)
        context_.area.setActiveSubWindow(subWindow);
}

} // namespace polvane
