#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QStyleOptionFrame>
#include <QStyleOptionTitleBar>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QMdiSubWindow>
#include <QTest>

#include "ProgramDialogs.h"
#include "ToolWindowFixture.h"
#include "engine/Environment.h"
#include "model/Cells.h"
#include "windows/tools/ArrayConfigurationWindow.h"
#include "windows/tools/ArrayPictureWindow.h"
#include "windows/tools/BumperConfigurationWindow.h"
#include "windows/tools/CalculationsWindow.h"
#include "windows/tools/CellConfigurationsWindow.h"
#include "windows/controls/LinkLabel.h"
#include "windows/tools/FROptionsWindow.h"
#include "windows/tools/IFEGraphWindow.h"
#include "windows/tools/ListeningPointsWindow.h"
#include "windows/tools/NotesWindow.h"
#include "plot/PlotCanvas.h"
#include "plot/PlotPictureBox.h"
#include "support/LayoutsAtRest.h"
#include "windows/tools/RiggingDetailsWindow.h"
#include "windows/tools/SeatingAreasWindow.h"
#include "windows/base/ToolWindowHost.h"
#include "windows/tools/ToolWindowFactory.h"
#include "windows/tools/VenueWindow.h"

namespace polvane {
namespace {

// Every tool window the program has, on a venue of 24 cells.
class WindowsFit : public ToolWindowFixture {
protected:
    WindowsFit()
    {
        for (const ToolWindowInfo& info : ToolWindowRegistry::All())
            Add(info.id, [id = info.id](ToolWindowContext& c) { return ToolWindowFactory::Create(id, c); });
        SetCellCount(CellConfigurationsWindow::kMaxCells);
        SteepenColumn();
    }
    ~WindowsFit() override
    {
        // The closed windows and then the hosts' open ones go before the main window.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        hosts_.clear();
    }

    // With steep, the cells splay 5 degrees each and are attenuated by 6 dB, so that a long
    // array's angles pass -100 degrees and every value has its widest text.
    void SetCellCount(int count, bool steep = false)
    {
        Cells& cells = lifecycle_.Venue().LineArray().Cells();
        while (cells.Count() < count)
            cells.Add();
        while (cells.Count() > count)
            cells.Remove(cells.Count());
        if (steep) {
            for (int i = 1; i <= cells.Count(); ++i) {
                cells.Item(i).SetSplayAngle(Angle::FromDegrees(5));
                cells.Item(i).SetAttenuation(-6.0f);
            }
        }
        hub_.UpdateInterfaces(UpdateScope::All, true);
    }

    // Every cell a KV9 at 5 degrees and -6 dB: the lowest cells aim past -100 degrees, the
    // widest angles and attenuations the grid shows. A floor and a listening point on it
    // give some cells a throw and the listening points' graph a curve.
    void SteepenColumn()
    {
        Environment& venue = lifecycle_.Venue();
        if (venue.SeatingAreas().Count() == 0) {
            const Point2D front{20.0f, 0.0f}, back{300.0f, 10.0f};
            venue.SeatingAreas().Add(-1, &front, &back).SetName("Floor");
            venue.ListeningPoints().Add("Centre").SetSeatingAreaIndex(1);
        }
        Cells& cells = venue.LineArray().Cells();
        for (int index = 1; index <= cells.Count(); ++index) {
            Cell& cell = cells.Item(index);
            cell.SetCellType(0);
            cell.SplayAngle().SetDegrees(5.0);
            cell.SetAttenuation(-6.0f);
        }
        hub_.UpdateInterfaces(UpdateScope::All, true);
    }

    void Add(ToolWindowId id, ToolWindowHost::Factory factory)
    {
        hosts_.push_back(std::make_unique<ToolWindowHost>(context_, std::move(factory)));
        window_.SetToolWindowSlot(id, hosts_.back().get());
    }

    // The frames of the open tool windows, in the work area's coordinates.
    std::vector<std::pair<std::string, QRect>> OpenFrames() const
    {
        std::vector<std::pair<std::string, QRect>> frames;
        for (QMdiSubWindow* frame : window_.MdiArea()->subWindowList())
            if (frame->isVisible())
                frames.emplace_back(frame->windowTitle().toStdString(), frame->geometry());
        return frames;
    }

    // Opens every tool window at the given application font and expects their texts whole.
    void ExpectTextsFit(const QFont& font, const std::string& name);
    // Listening Points opened from the Tools menu after the 1024 x 768 arrangement, and at its
    // smallest: its controls apart and a graph that shows frequencies across the bands.
    void ExpectListeningPointsReadable(const std::string& name);
    void ExpectTextsFitAt(double scale);
    void ExpectTextsFitAtPoints(double points);

    std::vector<std::unique_ptr<ToolWindowHost>> hosts_;
};

// The text of a control that does not fit its width, or empty.
std::string Clipped(const QWidget& widget);

TEST_F(WindowsFit, PresetArrangements)
{
    struct Case {
        const char* item;
        QSize screen;
        int cells;
        bool inside; // every window wholly inside the work area, none to scroll to
        bool roomy;  // every drawing at least readable
    };
    // At 1024 x 768 a list of 24 cells takes nearly the whole height of its column, and the
    // seating areas, the calculations and the cell list are too wide for anything to stand
    // beside them, so the other windows cannot all fit: the work area scrolls to the rest.
    // Whatever runs past the bottom, nothing runs past the right edge.
    const Case cases[] = {
        {"mnuViewWindowsArrange800x600", {800, 600}, 24, false, false},
        {"mnuViewWindowsArrange1024x768", {1024, 768}, 12, true, false},
        {"mnuViewWindowsArrange1024x768", {1024, 768}, 24, false, false},
        {"mnuViewWindowsArrange1280x1024", {1280, 1024}, 12, true, true},
        {"mnuViewWindowsArrange1280x1024", {1280, 1024}, 24, true, true},
        {"mnuViewWindowsArrange1280x1024", {1920, 1080}, 12, true, true},
        {"mnuViewWindowsArrange1280x1024", {1920, 1080}, 24, false, true},
    };
    // The least a drawing shows where the arrangement's own screen has room for it.
    const std::map<QString, QSize> readable{{QStringLiteral("Venue"), {480, 240}},
                                            {QStringLiteral("Array Picture"), {240, 160}},
                                            {QStringLiteral("Rigging Details"), {240, 180}},
                                            {QStringLiteral("Inter-Frequency Evenness Graph"), {240, 180}}};
    window_.show();
    for (const bool steep : {false, true}) {
    for (const bool engineering : {false, true}) {
        if (options_.EngineeringMode() != engineering)
            engineering ? options_.SwitchToEngineeringMode() : options_.SwitchToStandardMode();
        for (const Case& c : cases) {
            const std::string name = std::string(c.item) + " at " + std::to_string(c.screen.width()) + "x" +
                                     std::to_string(c.screen.height()) + (engineering ? " advanced, " : " basic, ") +
                                     std::to_string(c.cells) + (steep ? " steep cells" : " cells");
            SetCellCount(c.cells, steep);
            Item(c.item)->trigger();
            QApplication::processEvents();
            // The desktop's window manager gives the maximised window the screen less a
            // title bar.
            window_.setWindowState(Qt::WindowNoState);
            window_.setGeometry(0, 0, c.screen.width(), c.screen.height() - 30);
            QApplication::processEvents();
            const QRect area = window_.MdiArea()->viewport()->rect();
            const auto frames = OpenFrames();
            ASSERT_GE(frames.size(), 7U) << name;
            const QAbstractScrollArea& scroll = *window_.MdiArea();
            // A bar appears only where windows run past that edge, never because the other
            // bar took room.
            const bool pastRight = std::any_of(frames.begin(), frames.end(),
                                               [&](const auto& f) { return f.second.right() > area.right(); });
            const bool pastBottom = std::any_of(frames.begin(), frames.end(),
                                                [&](const auto& f) { return f.second.bottom() > area.bottom(); });
            EXPECT_EQ(scroll.horizontalScrollBar()->isVisible(), pastRight) << name;
            EXPECT_EQ(scroll.verticalScrollBar()->isVisible(), pastBottom) << name;
            for (std::size_t i = 0; i < frames.size(); ++i) {
                const auto& [caption, frame] = frames[i];
                for (std::size_t j = i + 1; j < frames.size(); ++j) {
                    EXPECT_FALSE(frame.intersects(frames[j].second))
                        << name << ": " << caption << " and " << frames[j].first;
                }
                const std::string where = std::to_string(frame.x()) + "," + std::to_string(frame.y()) + " " +
                                          std::to_string(frame.width()) + "x" + std::to_string(frame.height()) +
                                          " in " + std::to_string(area.width()) + "x" + std::to_string(area.height());
                // Where all fit, each lies wholly inside the work area; elsewhere the work
                // area scrolls to what lies outside.
                if (c.inside) {
                    EXPECT_TRUE(area.contains(frame)) << name << ": " << caption << " at " << where;
                }
                EXPECT_GE(scroll.horizontalScrollBar()->maximum(), frame.right() - area.right())
                    << name << ": " << caption;
                EXPECT_GE(scroll.verticalScrollBar()->maximum(), frame.bottom() - area.bottom())
                    << name << ": " << caption;
                // On the screen it is made for, no window lies past the right edge, and no
                // drawing is squeezed below a readable size where there is room.
                EXPECT_LE(frame.right(), area.right()) << name << ": " << caption << " at " << where;
                const auto least = readable.find(QString::fromStdString(caption));
                if (c.roomy && least != readable.end()) {
                    EXPECT_GE(frame.width(), least->second.width()) << name << ": " << caption << " at " << where;
                    EXPECT_GE(frame.height(), least->second.height()) << name << ": " << caption << " at " << where;
                }
            }
        }
    }
    }
    EXPECT_EQ(reportedEnds_, 0);
}

// A window the arrangement leaves closed, opened without a place of its own, opens inside
// the work area.
TEST_F(WindowsFit, WindowWithoutPlaceOpensInsideTheWorkArea)
{
    window_.show();
    options_.SwitchToEngineeringMode();
    Item("mnuViewWindowsArrange1280x1024")->trigger();
    window_.setWindowState(Qt::WindowNoState);
    window_.setGeometry(0, 0, 1280, 1024 - 30);
    QApplication::processEvents();
    Item("mnuViewIFEGraph")->trigger();
    QApplication::processEvents();
    const QMdiSubWindow* graph = window_.MdiArea()->activeSubWindow();
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->windowTitle(), QStringLiteral("Inter-Frequency Evenness Graph"));
    const QRect view = window_.MdiArea()->viewport()->rect();
    EXPECT_TRUE(view.contains(graph->geometry()))
        << graph->x() << "," << graph->y() << " " << graph->width() << "x" << graph->height() << " in "
        << view.width() << "x" << view.height();
}

// A window chosen from the Tools menu is scrolled into view before the keys act in it.
TEST_F(WindowsFit, ToolsItemScrollsToTheWindow)
{
    window_.show();
    Item("mnuViewWindowsArrange800x600")->trigger();
    window_.setWindowState(Qt::WindowNoState);
    window_.setGeometry(0, 0, 800, 570);
    QApplication::processEvents();
    QScrollBar& down = *window_.MdiArea()->verticalScrollBar();
    QScrollBar& across = *window_.MdiArea()->horizontalScrollBar();
    // The long cell list runs past the bottom: the view is scrolled there.
    ASSERT_GT(down.maximum(), 0);
    down.setValue(down.maximum());
    across.setValue(across.maximum());
    QApplication::processEvents();
    const QMdiSubWindow* seating = nullptr;
    for (const QMdiSubWindow* frame : window_.MdiArea()->subWindowList())
        if (frame->windowTitle() == QStringLiteral("Seating Areas"))
            seating = frame;
    ASSERT_NE(seating, nullptr);
    const QRect view = window_.MdiArea()->viewport()->rect();
    ASSERT_FALSE(view.contains(seating->geometry()));

    Item("mnuViewSeatingAreas")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window_.MdiArea()->activeSubWindow(), seating);
    EXPECT_TRUE(view.contains(seating->geometry()))
        << seating->x() << "," << seating->y() << " " << seating->width() << "x" << seating->height();
    // Scrolled no further than needed: the cell list's bottom stays as near as it can.
    EXPECT_EQ(seating->y(), 0);

    // So is a window past the right and bottom edges, chosen while the view is at the top.
    down.setValue(0);
    across.setValue(0);
    QApplication::processEvents();
    Item("mnuViewCellConfigurations")->trigger();
    QApplication::processEvents();
    const QMdiSubWindow* cells = window_.MdiArea()->activeSubWindow();
    ASSERT_NE(cells, nullptr);
    EXPECT_EQ(cells->windowTitle(), QStringLiteral("Cell Configurations"));
    if (cells->height() <= view.height()) {
        EXPECT_TRUE(view.contains(cells->geometry()));
    } else {
        EXPECT_EQ(cells->y(), 0);
    }
}

// Counts the layout requests and resizes that reach the watched widgets.
class LayoutCounter : public QObject {
public:
    void Watch(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;
    std::string last;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize) {
            ++count;
            last = watched->objectName().toStdString() + (event->type() == QEvent::Resize ? " resized" : " laid out");
        }
        return false;
    }
};

// Once laid out, a tool window's frame and content rest while nothing changes: a frame that
// answered its content's layout by laying the content out again would keep a core busy.
TEST_F(WindowsFit, FramesRestOnceLaidOut)
{
    window_.show();
    options_.SwitchToEngineeringMode();
    const auto expectRest = [this](const std::string& name) {
        LayoutCounter counter;
        for (QMdiSubWindow* frame : window_.MdiArea()->subWindowList()) {
            counter.Watch(*frame);
            if (frame->widget() != nullptr)
                counter.Watch(*frame->widget());
        }
        // The first layout settles over a few rounds of the event loop; a frame caught in a
        // loop lays out or resizes at every round and never does.
        EXPECT_TRUE(LayoutsAtRest::Await()) << name << ": " << counter.last;
        // And it stays so.
        counter.count = 0;
        for (int round = 0; round < 5; ++round)
            QCoreApplication::processEvents();
        EXPECT_EQ(counter.count, 0) << name << ": " << counter.last;
    };
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        for (const auto& host : hosts_)
            host->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Item(info.menuName)->trigger();
        ASSERT_TRUE(registry_.IsLoaded(info.id)) << info.caption;
        expectRest(info.caption);
    }
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        if (!registry_.IsLoaded(info.id))
            Item(info.menuName)->trigger();
    }
    expectRest("every window");
}

// The text of a control that does not fit its width, or empty.
std::string Clipped(const QWidget& widget)
{
    QString text;
    int room = widget.width();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (label->wordWrap() || label->text().isEmpty() || label->text().startsWith('<'))
            return {};
        text = label->text();
        room = label->contentsRect().width() - 2 * label->margin() - std::max(0, label->indent());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        text = button->text();
        // A push button's text sits inside its bevel; an option's beside its mark.
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        room = qobject_cast<const QPushButton*>(button) != nullptr
                   ? button->width() - margin
                   : button->width() - button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) -
                         button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    } else if (const auto* box = qobject_cast<const QLineEdit*>(&widget)) {
        // The program shows only a spin control's arrows: its number means nothing.
        if (qobject_cast<const QAbstractSpinBox*>(box->parentWidget()) != nullptr)
            return {};
        text = box->text();
        QStyleOptionFrame option;
        option.initFrom(box);
        room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 4;
    } else {
        return {};
    }
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    if (widget.fontMetrics().horizontalAdvance(text) <= room)
        return {};
    return text.toStdString();
}

// Expects the shown controls of a window to keep clear of one another and of its edges,
// but for those that lie over or under others by design.
void ExpectApart(const QWidget& window, const std::function<bool(const QWidget&)>& layered,
                 const std::string& name)
{
    std::vector<const QWidget*> controls;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisibleTo(&window) && !layered(*control))
            controls.push_back(control);
    }
    const std::string where = name + " " + window.objectName().toStdString() + ": ";
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::string control = controls[i]->objectName().toStdString();
        EXPECT_TRUE(window.rect().contains(controls[i]->geometry())) << where << control << " past the edge";
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << where << control << " and " << controls[j]->objectName().toStdString();
        }
    }
}

// Expects each shown value of the cell grid to end clearly before the next column begins:
// half as far again as a blank at least; a blank would make neighbouring values read as
// one phrase.
void ExpectColumnsApart(const CellConfigurationsWindow& cells, const std::string& name)
{
    for (int index = 1; index <= CellConfigurationsWindow::kRowCount; ++index) {
        const CellConfigurationsWindow::Row& row = cells.RowAt(index);
        if (!row.number->isVisibleTo(&cells))
            continue;
        const QWidget* const columns[] = {row.number,  row.type,  row.angle,   row.throwDistance, row.pinning,
                                          row.splay,   row.splayUp, row.attenuation, row.attenUp};
        for (std::size_t i = 0; i + 1 < std::size(columns); ++i) {
            const auto* label = qobject_cast<const QLabel*>(columns[i]);
            if (label == nullptr)
                continue;
            const QFontMetrics metrics = label->fontMetrics();
            const int textEnd = label->x() + label->contentsRect().left() + metrics.horizontalAdvance(label->text());
            const QWidget& next = *columns[i + 1];
            const auto* nextLabel = qobject_cast<const QLabel*>(&next);
            const int nextStart = next.x() + (nextLabel != nullptr ? nextLabel->contentsRect().left() : 0);
            EXPECT_GE(2 * (nextStart - textEnd), 3 * metrics.horizontalAdvance(QLatin1Char(' ')))
                << name << " row " << index << ": \"" << label->text().toStdString() << "\" before "
                << next.objectName().toStdString();
        }
    }
}

// Expects every shown label, box and button of a window to hold its whole text.
void ExpectWhole(const QWidget& window, const std::string& name)
{
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        const std::string clipped = Clipped(*control);
        EXPECT_TRUE(clipped.empty()) << name << " " << window.windowTitle().toStdString() << ": "
                                     << control->objectName().toStdString() << " \"" << clipped << "\"";
    }
}

// Opens every tool window afresh at the given application font, arranged for 1280 x 1024,
// and every dialog, and expects every label, box and button to hold its whole text.
void WindowsFit::ExpectTextsFit(const QFont& font, const std::string& name)
{
    const QFont defaultFont = QApplication::font();
    options_.SwitchToEngineeringMode();
    QApplication::setFont(font);
    for (const auto& host : hosts_)
        host->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Item("mnuViewWindowsArrange1280x1024")->trigger();
    for (const ToolWindowInfo& info : ToolWindowRegistry::All()) {
        if (!registry_.IsLoaded(info.id))
            Item(info.menuName)->trigger();
    }
    // The new font reaches the windows only when the event loop delivers it, and their
    // layouts answer it a round or more later: a look before would measure the old font.
    EXPECT_TRUE(LayoutsAtRest::Await()) << name;
    // Run with QT_SCALE_FACTOR set, the windows must really be drawn at that scale.
    bool scaled = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&scaled);
    for (QMdiSubWindow* frame : window_.MdiArea()->subWindowList()) {
        EXPECT_EQ(frame->widget()->font().pointSizeF(), font.pointSizeF())
            << name << " " << frame->windowTitle().toStdString();
        if (scaled) {
            EXPECT_DOUBLE_EQ(frame->devicePixelRatio(), factor) << frame->windowTitle().toStdString();
        }
        ExpectWhole(*frame, name);
    }
    // The grid's shadings lie under their rows.
    auto* cells = window_.MdiArea()->findChild<CellConfigurationsWindow*>();
    ASSERT_NE(cells, nullptr);
    ExpectApart(*cells, [](const QWidget& control) { return control.objectName().startsWith("ShapeBkg"); }, name);
    ExpectColumnsApart(*cells, name);
    ExpectListeningPointsReadable(name);
    // The dialogs, each page of the options and the array design's J counts among them.
    ProgramDialogs dialogs(hub_, reporter_, screen_, options_, prompts_, &window_);
    dialogs.CheckEachPage([&name](QDialog& dialog) {
        EXPECT_TRUE(LayoutsAtRest::Await()) << name << " " << dialog.windowTitle().toStdString();
        ExpectWhole(dialog, name);
        // Lists show every entry whole, none half cut at the bottom, each on its own page.
        for (const QListWidget* list : dialog.findChildren<QListWidget*>()) {
            if (!list->isVisibleTo(&dialog))
                continue;
            for (int row = 0; row < list->count(); ++row) {
                EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))))
                    << name << " " << dialog.windowTitle().toStdString() << ": "
                    << list->item(row)->text().toStdString();
            }
        }
    });
    QApplication::setFont(defaultFont);
    EXPECT_EQ(reportedEnds_, 0);
}

void WindowsFit::ExpectListeningPointsReadable(const std::string& name)
{
    // Shown, as on the desktop, the windows take their sizes and lay themselves out; the
    // graph draws its scale.
    window_.show();
    options_.SetShowScale(true);
    Item("mnuViewWindowsArrange1024x768")->trigger();
    Item("mnuViewListeningPoints")->trigger();
    EXPECT_TRUE(LayoutsAtRest::Await()) << name;
    auto* points = window_.MdiArea()->findChild<ListeningPointsWindow*>();
    ASSERT_NE(points, nullptr);
    ASSERT_TRUE(points->isVisibleTo(&window_));
    const auto expectReadable = [&](const std::string& where) {
        // The graph's frame, the marker and the name under the pointer lie over the graph.
        ExpectApart(*points, [points](const QWidget& control) {
            return &control == points->shpHotspot() || &control == points->lblTooltip() ||
                   control.objectName() == "shpPicBorder";
        }, where);
        int frequencies = 0;
        for (const PlotCanvas::ScaleLabel& label : points->Canvas().ScaleLabels())
            frequencies += label.alongX ? 1 : 0;
        EXPECT_GE(frequencies, 3) << where << ": a graph " << points->picResponse()->width() << " wide";
    };
    expectReadable(name + " at 1024 x 768");
    points->parentWidget()->resize(1, 1);
    EXPECT_TRUE(LayoutsAtRest::Await()) << name;
    expectReadable(name + " at its smallest");
}

void WindowsFit::ExpectTextsFitAt(double scale)
{
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * scale);
    ExpectTextsFit(font, QStringLiteral("x%1").arg(scale).toStdString());
}

void WindowsFit::ExpectTextsFitAtPoints(double points)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    ExpectTextsFit(font, QStringLiteral("%1 pt").arg(points).toStdString());
}

// Also run by a test of its own with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt): the
// factor is read only when the application starts.
TEST_F(WindowsFit, TextsFitTheirControls) { ExpectTextsFitAt(1.0); }

TEST_F(WindowsFit, TextsFitTheirControlsFrom8To12Points)
{
    for (const double points : {8.0, 10.0, 12.0})
        ExpectTextsFitAtPoints(points);
}

TEST_F(WindowsFit, TextsFitTheirControlsAtTwiceTheSize) { ExpectTextsFitAt(2.0); }

// The caption of a tool window's frame, whole in its title bar.
bool CaptionWhole(const QMdiSubWindow& frame)
{
    QStyleOptionTitleBar option;
    option.initFrom(&frame);
    option.text = frame.windowTitle();
    option.titleBarFlags = frame.windowFlags();
    option.titleBarState = frame.windowState();
    option.subControls = QStyle::SC_All;
    option.rect = QRect(0, 0, frame.width(),
                        frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &frame));
    const QRect label = frame.style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &frame);
    return QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(frame.windowTitle()) <=
           label.width();
}

// A first start with nothing stored, on the screens laptops have, at 1.5x and 2x (in
// device-independent pixels) and on the 4:3 ones, with a 12-cell venue: the arrangement
// chosen for the screen puts every window inside the work area, none over another, every
// text and caption whole, and gives the venue a real share of the screen.
TEST_F(WindowsFit, FirstStartFitsTheScreen)
{
    struct Case {
        int width;
        int height;
        double scale;
    };
    const Case cases[] = {{1366, 768, 1},  {1280, 800, 1},  {1280, 720, 1},  {1920, 1080, 1.5}, {2560, 1440, 2},
                          {1024, 768, 1},  {1280, 1024, 1}, {1920, 1080, 1}, {3840, 2160, 2}, {1440, 900, 1},
                          {1600, 900, 1}, {1280, 960, 1}};
    SetCellCount(12);
    for (const bool engineering : {false, true}) {
        if (options_.EngineeringMode() != engineering)
            engineering ? options_.SwitchToEngineeringMode() : options_.SwitchToStandardMode();
        for (const Case& c : cases) {
            const QSize screen(static_cast<int>(c.width / c.scale), static_cast<int>(c.height / c.scale));
            const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                                     QString::number(c.scale).toStdString() + (engineering ? " advanced" : " basic");
            // Nothing stored, nothing open, the main window not shown yet: a first start.
            window_.hide();
            window_.setWindowState(Qt::WindowNoState);
            window_.setGeometry(0, 0, 640, 480);
            for (const auto& host : hosts_)
                host->Unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (const ToolWindowInfo& info : ToolWindowRegistry::All())
                store_.Remove(SettingsStore::kWindowPositions, info.caption);
            store_.Remove(SettingsStore::kWindowPositions, "Main Window");
            screen_.SetSize(screen.width(), screen.height());
            window_.ShowWindows();
            window_.show();
            // The desktop's window manager gives the maximised window the screen less a
            // title bar.
            window_.setWindowState(Qt::WindowNoState);
            window_.setGeometry(0, 0, screen.width(), screen.height() - 30);
            QApplication::processEvents();
            const QRect area = window_.MdiArea()->viewport()->rect();
            const auto frames = OpenFrames();
            ASSERT_GE(frames.size(), 7U) << name;
            for (std::size_t i = 0; i < frames.size(); ++i) {
                const auto& [caption, frame] = frames[i];
                const std::string where = name + ": " + caption + " at " + std::to_string(frame.x()) + "," +
                                          std::to_string(frame.y()) + " " + std::to_string(frame.width()) + "x" +
                                          std::to_string(frame.height()) + " in " + std::to_string(area.width()) +
                                          "x" + std::to_string(area.height());
                EXPECT_TRUE(area.contains(frame)) << where;
                for (std::size_t j = i + 1; j < frames.size(); ++j)
                    EXPECT_FALSE(frame.intersects(frames[j].second)) << where << " and " << frames[j].first;
                // A 4:3 screen keeps the arrangement it had, the venue's share with it.
                if (caption == "Venue" && screen.width() * 3 > screen.height() * 4) {
                    EXPECT_GE(frame.width(), 480) << where;
                    EXPECT_GE(frame.height(), 200) << where;
                }
            }
            for (QMdiSubWindow* frame : window_.MdiArea()->subWindowList()) {
                if (!frame->isVisible())
                    continue;
                ExpectWhole(*frame, name);
                EXPECT_TRUE(CaptionWhole(*frame)) << name << ": " << frame->windowTitle().toStdString() << " "
                                                  << frame->width() << " wide";
            }
        }
    }
    EXPECT_EQ(reportedEnds_, 0);
}

} // namespace
} // namespace polvane
