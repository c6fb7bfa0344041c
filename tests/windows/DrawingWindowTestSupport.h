#pragma once

#include <cmath>
#include <cstdint>

#include <QApplication>
#include <QImage>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointF>

#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/options/Options.h"
#include "shell/session/RefreshableWindow.h"
#include "windows/base/DrawingWindow.h"
#include "plot/PlotPictureBox.h"

namespace polvane::drawing_test {

// Colours that tell the drawn parts apart; every one opaque unless a test says otherwise.
constexpr std::uint32_t kBackground = ArgbColor::MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kBumperFill = ArgbColor::MakeARGB(255, 100, 100, 100);
constexpr std::uint32_t kBumperEdge = ArgbColor::MakeARGB(255, 40, 40, 40);
constexpr std::uint32_t kCellFill = ArgbColor::MakeARGB(255, 250, 200, 0);
constexpr std::uint32_t kCellEdge = ArgbColor::MakeARGB(255, 120, 0, 120);
constexpr std::uint32_t kCenterOfGravity = ArgbColor::MakeARGB(255, 255, 0, 0);
constexpr std::uint32_t kPathHit = ArgbColor::MakeARGB(255, 0, 160, 0);
constexpr std::uint32_t kPathMiss = ArgbColor::MakeARGB(255, 0, 0, 220);
constexpr std::uint32_t kCable = ArgbColor::MakeARGB(255, 0, 140, 140);
constexpr std::uint32_t kScaleLines = ArgbColor::MakeARGB(255, 140, 140, 0);
constexpr std::uint32_t kText = ArgbColor::MakeARGB(255, 0, 0, 0);
constexpr std::uint32_t kSelected = ArgbColor::MakeARGB(128, 10, 20, 30);

// Distinct colours, aliased drawing and no scale or grid, so pixels hold exact pen colours.
inline void UseTestColours(Options& options)
{
    ColorTable& colors = options.Colors();
    colors.SetColor(ColorTable::kBackground, kBackground);
    colors.SetColor(ColorTable::kBumperFill, kBumperFill);
    colors.SetColor(ColorTable::kBumperEdge, kBumperEdge);
    colors.SetColor(ColorTable::kCellFill, kCellFill);
    colors.SetColor(ColorTable::kCellEdge, kCellEdge);
    colors.SetColor(ColorTable::kCenterOfGravity, kCenterOfGravity);
    colors.SetColor(ColorTable::kSoundPathHit, kPathHit);
    colors.SetColor(ColorTable::kSoundPathMiss, kPathMiss);
    colors.SetColor(ColorTable::kRiggingCable, kCable);
    colors.SetColor(ColorTable::kScaleLines, kScaleLines);
    colors.SetColor(ColorTable::kText, kText);
    colors.SetColor(ColorTable::kSelectedItem, kSelected);
    options.SetAntialias(false);
    options.SetShowScale(false);
    options.SetShowGrid(false);
}

// Shows the window's frame at a size and redraws at it.
inline void ShowAtSize(DrawingWindow& window, int width, int height)
{
    // Hidden widgets lay nothing out: the main window around the frame is shown too.
    window.window()->show();
    QWidget* frame = window.parentWidget() != nullptr ? window.parentWidget() : &window;
    frame->show();
    frame->resize(width, height);
    QApplication::processEvents();
    window.UpdateInterface();
}

inline QRgb Pixel(const QImage& image, QPointF at)
{
    return image.pixel(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y())));
}

// Whether the colour lies on a pixel within `reach` pixels of the point.
inline bool ColourNear(const QImage& image, QPointF at, std::uint32_t argb, int reach = 1)
{
    const int cx = static_cast<int>(std::lround(at.x()));
    const int cy = static_cast<int>(std::lround(at.y()));
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            if (image.valid(cx + dx, cy + dy) && image.pixel(cx + dx, cy + dy) == argb)
                return true;
    return false;
}

// Whether anything but the background lies within `reach` pixels of the point.
inline bool InkNear(const QImage& image, QPointF at, int reach)
{
    const int cx = static_cast<int>(std::lround(at.x()));
    const int cy = static_cast<int>(std::lround(at.y()));
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy)
            if (image.valid(cx + dx, cy + dy) && image.pixel(cx + dx, cy + dy) != kBackground)
                return true;
    return false;
}

inline bool ColourAnywhere(const QImage& image, std::uint32_t argb)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == argb)
                return true;
    return false;
}

inline void SendMouse(QWidget& target, QEvent::Type type, QPointF at, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, target.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

// A window that only counts what the update hub tells it.
class HighlightSpy : public RefreshableWindow {
public:
    void Refresh() override { ++refreshes; }
    void DoHighlightCell() override { ++highlights; }
    void DoClearHighlightedCell() override { ++clears; }
    int refreshes = 0;
    int highlights = 0;
    int clears = 0;
};

} // namespace polvane::drawing_test
