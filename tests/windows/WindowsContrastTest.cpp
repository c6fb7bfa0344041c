#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTest>

#include "ProgramDialogs.h"
#include "ToolWindowFixture.h"
#include "engine/Environment.h"
#include "model/Cells.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/controls/TextContrast.h"
#include "windows/tools/ToolWindowFactory.h"

namespace polvane {
namespace {

// A dark desktop palette: light text on dark grey.
QPalette DarkPalette()
{
    QPalette dark;
    const QColor window(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a), text(0xf0, 0xf0, 0xf0);
    const QColor greyed(0x7f, 0x7f, 0x7f);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::PlaceholderText, greyed);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    dark.setColor(QPalette::Midlight, QColor(0x45, 0x45, 0x45));
    dark.setColor(QPalette::Mid, QColor(0x25, 0x25, 0x25));
    dark.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, greyed);
    return dark;
}

// The colour most of an area of the picture shows: what lies behind the text in it.
QColor Behind(const QImage& picture, const QRect& area)
{
    std::map<QRgb, int> counts;
    const QRect inside = area.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xff000000u];
    if (counts.empty())
        return {};
    return QColor::fromRgb(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                               return a.second < b.second;
                           })->first);
}

// Whether a control shows a text of its own, and where to look for what lies behind it.
bool ShowsText(const QWidget& control, QRect& area)
{
    area = control.rect();
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return !label->text().trimmed().isEmpty();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        // A push button's face, without its edge.
        if (qobject_cast<const QPushButton*>(&control) != nullptr)
            area = control.rect().adjusted(4, 4, -4, -4);
        return !button->text().trimmed().isEmpty();
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        area = control.rect().adjusted(3, 3, -3, -3);
        return !box->text().isEmpty() && qobject_cast<const QAbstractSpinBox*>(control.parentWidget()) == nullptr;
    }
    if (qobject_cast<const QAbstractSpinBox*>(&control) != nullptr) {
        area = control.rect().adjusted(3, 3, -20, -3);
        return true;
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&control))
        return !group->title().isEmpty();
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&control)) {
        area = view->viewport()->geometry();
        return view->model() != nullptr && view->model()->rowCount() > 0;
    }
    return false;
}

// Expects every shown, usable text of a window to read plainly on what the window really
// paints behind it: the control's text colour against the colour most of its area shows.
void ExpectReadable(QWidget& window, const std::string& name)
{
    const QImage picture = window.grab().toImage();
    const double ratio = picture.devicePixelRatio();
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        QRect area;
        if (!control->isVisibleTo(&window) || !control->isEnabled() || !ShowsText(*control, area))
            continue;
        const QPoint at = control->mapTo(&window, area.topLeft());
        const QRect shown(at * ratio, area.size() * ratio);
        const QColor back = Behind(picture, shown);
        if (!back.isValid())
            continue; // outside the picture
        const QColor text = control->palette().color(control->foregroundRole());
        EXPECT_GE(TextContrast::Ratio(text, back), TextContrast::kReadable)
            << name << " " << window.windowTitle().toStdString() << ": " << control->objectName().toStdString()
            << " " << control->metaObject()->className() << " " << text.name().toStdString() << " on "
            << back.name().toStdString();
    }
}

// Every tool window and dialog the program has, on a venue of 24 cells with a floor and a
// listening point, in the light palette and in a dark one.
class WindowsContrast : public ToolWindowFixture {
protected:
    WindowsContrast()
    {
        for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
            hosts_.push_back(std::make_unique<ToolWindowHost>(
                context_, [id = info.id](ToolWindowContext& c) { return ToolWindowFactory::Create(id, c); }));
            window_.SetToolWindowSlot(info.id, hosts_.back().get());
        }
        Environment& venue = lifecycle_.Venue();
        const Point2D front{20.0f, 0.0f}, back{300.0f, 10.0f};
        venue.SeatingAreas().Add(-1, &front, &back).SetName("Floor");
        venue.ListeningPoints().Add("Centre").SetSeatingAreaIndex(1);
        Cells& cells = venue.LineArray().Cells();
        while (cells.Count() < 24)
            cells.Add();
        hub_.UpdateInterfaces(UpdateScope::All, true);
    }
    ~WindowsContrast() override
    {
        QApplication::setPalette(light_);
        window_.setPalette(QPalette());
        for (const auto& host : hosts_)
            host->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        hosts_.clear();
    }

    // Every window opened afresh in the palette, and then every dialog and page.
    void ExpectReadableIn(const QPalette& palette, const std::string& name)
    {
        // The main window was made before: it takes the palette as the desktop would give it
        // at the program's start, and hands it on to every window in it.
        QApplication::setPalette(palette);
        window_.setPalette(palette);
        for (const auto& host : hosts_)
            host->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        Item("mnuViewWindowsArrange1280x1024")->trigger();
        for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
            if (!registry_.IsLoaded(info.id))
                Item(info.menuName)->trigger();
        }
        const auto frames = window_.MdiArea()->subWindowList();
        ASSERT_EQ(frames.size(), static_cast<qsizetype>(ToolWindowRegistry::All().size()));
        for (QMdiSubWindow* frame : frames)
            ExpectReadable(*frame->widget(), name);

        ProgramDialogs dialogs(hub_, reporter_, screen_, options_, prompts_, &window_);
        dialogs.CheckEachPage([&name](QDialog& dialog) { ExpectReadable(dialog, name); });
    }

    const QPalette light_ = QApplication::palette();
    std::vector<std::unique_ptr<ToolWindowHost>> hosts_;
};

TEST_F(WindowsContrast, EveryTextReadsPlainlyInTheLightPaletteAndInADarkOne)
{
    ExpectReadableIn(light_, "light");
    ExpectReadableIn(DarkPalette(), "dark");
}

} // namespace
} // namespace polvane
