// What an edit repaints: a drawing window whose picture the edit changed shows the new one
// once; one whose picture stayed the same is not drawn or repainted at all.
#include <map>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "DrawingWindowTestSupport.h"
#include "ToolWindowFixture.h"
#include "shell/session/UpdateScope.h"
#include "windows/tools/ArrayPictureWindow.h"
#include "windows/tools/CellConfigurationsWindow.h"
#include "windows/tools/ListeningPointsWindow.h"
#include "windows/tools/RiggingDetailsWindow.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

// Counts the paint events each picture box receives.
class PaintCounter : public QObject {
public:
    void Watch(PlotPictureBox& box) { box.installEventFilter(this); }
    int Of(const QObject& watched) const
    {
        const auto found = paints_.find(&watched);
        return found == paints_.end() ? 0 : found->second;
    }
    void Reset() { paints_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints_[watched];
        return false;
    }

private:
    std::map<const QObject*, int> paints_;
};

class DrawingRepaintTest : public ToolWindowFixture {
protected:
    DrawingRepaintTest()
    {
        LineArray& array = lifecycle_.Venue().LineArray();
        for (int i = 0; i < 8; ++i)
            array.Cells().Add();
        array.Bumper().SetLocation(Point2D(0, 30));
        const Point2D front(10, 0), back(80, 6);
        lifecycle_.Venue().SeatingAreas().Add(-1, &front, &back);

        cells_ = Open<CellConfigurationsWindow>(cellsHost_, ToolWindowId::CellConfigurations,
                                                "mnuViewCellConfigurations");
        picture_ = Open<ArrayPictureWindow>(pictureHost_, ToolWindowId::ArrayPicture, "mnuViewArrayPicture");
        rigging_ = Open<RiggingDetailsWindow>(riggingHost_, ToolWindowId::RiggingDetails,
                                              "mnuViewRiggingDetails");
        points_ = Open<ListeningPointsWindow>(pointsHost_, ToolWindowId::ListeningPoints,
                                              "mnuViewListeningPoints");
        // Side by side, as an arrangement places them: a window wholly under another gets
        // no paint at all, whatever the edit did to it.
        window_.resize(1400, 1000);
        window_.show();
        const auto place = [this](const char* title, int x, int y) {
            for (QMdiSubWindow* frame : window_.MdiArea()->subWindowList())
                if (frame->windowTitle() == QLatin1String(title))
                    frame->move(x, y);
        };
        place("Array Picture", 0, 0);
        place("Rigging Details", 420, 0);
        place("Listening Points", 0, 340);
        place("Cell Configurations", 840, 0);
        hub_.UpdateInterfaces(UpdateScope::All, true);
        QApplication::processEvents();
        counter_.Watch(*picture_->picArray());
        counter_.Watch(*rigging_->picRigging());
        counter_.Watch(*points_->picResponse());
    }

    template <class W>
    W* Open(ToolWindowHost& host, ToolWindowId id, const char* item)
    {
        window_.SetToolWindowSlot(id, &host);
        window_.findChild<QAction*>(QString::fromUtf8(item))->trigger();
        return dynamic_cast<W*>(host.Window());
    }

    // Clicks the button as the user does and lets every repaint it causes happen.
    void Click(QPushButton& button)
    {
        counter_.Reset();
        QTest::mouseClick(&button, Qt::LeftButton);
        QApplication::processEvents();
    }

    // A painter on a surface moves its cache key: an unchanged key means nothing was drawn.
    static qint64 Drawn(const DrawingWindow& window) { return window.Canvas().Surface().cacheKey(); }

    // Cells at the same splay on two hang points.
    void Hang(int count, double splay)
    {
        LineArray& array = lifecycle_.Venue().LineArray();
        while (array.Cells().Count() > 0)
            array.Cells().Remove(1);
        const Angle angle = Angle::FromDegrees(splay);
        for (int i = 0; i < count; ++i)
            array.Cells().Add(-1, -1, &angle);
        array.Bumper().SetRigging(RiggingCode::DualPoint);
        hub_.UpdateInterfaces(UpdateScope::All, true);
        QApplication::processEvents();
    }

    // View > Refresh All, which makes every picture again from nothing.
    void RefreshAll()
    {
        window_.findChild<QAction*>(QStringLiteral("mnuViewRefresh"))->trigger();
        QApplication::processEvents();
    }

    ToolWindowHost cellsHost_{context_, [](ToolWindowContext& c) { return new CellConfigurationsWindow(c); }};
    ToolWindowHost pictureHost_{context_, [](ToolWindowContext& c) { return new ArrayPictureWindow(c); }};
    ToolWindowHost riggingHost_{context_, [](ToolWindowContext& c) { return new RiggingDetailsWindow(c); }};
    ToolWindowHost pointsHost_{context_, [](ToolWindowContext& c) { return new ListeningPointsWindow(c); }};
    CellConfigurationsWindow* cells_ = nullptr;
    ArrayPictureWindow* picture_ = nullptr;
    RiggingDetailsWindow* rigging_ = nullptr;
    ListeningPointsWindow* points_ = nullptr;
    PaintCounter counter_;
};

TEST_F(DrawingRepaintTest, AnEditRepaintsAChangedPictureOnceAndAnUnchangedOneNotAtAll)
{
    ASSERT_NE(cells_, nullptr);
    ASSERT_NE(picture_, nullptr);
    ASSERT_NE(points_, nullptr);
    const auto& row = cells_->RowAt(4);
    for (QPushButton* button : {row.splayUp, row.splayDown, row.splayUp}) {
        const QImage before = picture_->picArray()->Picture();
        Click(*button);
        EXPECT_NE(picture_->picArray()->Picture(), before) << "the array's shape changed";
        EXPECT_EQ(counter_.Of(*picture_->picArray()), 1);
        // No listening points: the response graph shows the same empty plot.
        EXPECT_EQ(counter_.Of(*points_->picResponse()), 0);
    }
}

// A redraw that draws the same picture again hands nothing over; the next real change does.
TEST_F(DrawingRepaintTest, ARefreshWithNothingChangedRepaintsNoPicture)
{
    hub_.UpdateInterfaces(UpdateScope::All, true);
    counter_.Reset();
    const qint64 array = Drawn(*picture_), rigging = Drawn(*rigging_), points = Drawn(*points_);
    hub_.UpdateInterfaces(UpdateScope::All, true);
    QApplication::processEvents();
    // Not even drawn to be compared.
    EXPECT_EQ(Drawn(*picture_), array);
    EXPECT_EQ(Drawn(*rigging_), rigging);
    EXPECT_EQ(Drawn(*points_), points);
    EXPECT_EQ(counter_.Of(*picture_->picArray()), 0);
    EXPECT_EQ(counter_.Of(*rigging_->picRigging()), 0);
    EXPECT_EQ(counter_.Of(*points_->picResponse()), 0);

    Click(*cells_->RowAt(2).splayUp);
    EXPECT_EQ(counter_.Of(*picture_->picArray()), 1);
}

// An array curled back under its bumper is out of balance, its centre of gravity off the
// rigging picture: a splay step changes the array picture but nothing the rigging window
// shows, which is then not drawn at all. What every window shows is what a full redraw draws.
TEST_F(DrawingRepaintTest, AStepThatLeavesAPictureAsItWasDoesNotDrawIt)
{
    options_.SetShowCenterOfGravity(true);
    options_.SetShowWeights(true);
    Hang(24, 5.0);
    const CalculationResults& results = session_.Results();
    ASSERT_FALSE(results.Balanced);
    const PlotCanvas& canvas = rigging_->Canvas();
    ASSERT_FALSE(QRectF(QPointF(0, 0), QSizeF(canvas.Surface().size()))
                     .adjusted(-12, -12, 12, 12)
                     .contains(QPointF(canvas.ConvertX(results.HangLinePoint.x), canvas.ConvertY(results.HangLinePoint.y))))
        << "the cross is to stay off the picture";
    const auto& row = cells_->RowAt(4);
    for (QPushButton* button : {row.splayUp, row.splayDown, row.splayDown}) {
        const qint64 array = Drawn(*picture_), rigging = Drawn(*rigging_), points = Drawn(*points_);
        Click(*button);
        EXPECT_NE(Drawn(*picture_), array);
        EXPECT_EQ(Drawn(*rigging_), rigging);
        EXPECT_EQ(Drawn(*points_), points) << "no listening points: the same empty graph";
    }
    const QImage array = picture_->picArray()->Picture();
    const QImage rigging = rigging_->picRigging()->Picture();
    const QImage points = points_->picResponse()->Picture();
    RefreshAll();
    EXPECT_EQ(picture_->picArray()->Picture(), array);
    EXPECT_EQ(rigging_->picRigging()->Picture(), rigging);
    EXPECT_EQ(points_->picResponse()->Picture(), points);
}

// A balanced array's loads move with every step: the rigging window draws them anew.
TEST_F(DrawingRepaintTest, AStepThatMovesTheLoadsRedrawsTheRiggingDetails)
{
    options_.SetShowWeights(true);
    Hang(8, 1.0);
    ASSERT_TRUE(session_.Results().Balanced);
    const auto loads = [this] {
        std::vector<std::string> texts;
        for (const auto& label : rigging_->Labels())
            texts.push_back(label.text);
        return texts;
    };
    const qint64 before = Drawn(*rigging_);
    const std::vector<std::string> shown = loads();
    Click(*cells_->RowAt(2).splayUp);
    EXPECT_NE(Drawn(*rigging_), before);
    EXPECT_NE(loads(), shown);
    EXPECT_EQ(counter_.Of(*rigging_->picRigging()), 1);
    const QImage rigging = rigging_->picRigging()->Picture();
    RefreshAll();
    EXPECT_EQ(rigging_->picRigging()->Picture(), rigging);
}

// A sub-window repaints its title bar and borders when it becomes the active one, not at
// every click from one of its buttons to the next.
TEST_F(DrawingRepaintTest, TheFocusMovingInsideTheActiveWindowLeavesItsFrameAlone)
{
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    auto* frame = qobject_cast<QMdiSubWindow*>(cells_->parentWidget());
    auto* pictureFrame = qobject_cast<QMdiSubWindow*>(picture_->parentWidget());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(pictureFrame, nullptr);
    window_.MdiArea()->setActiveSubWindow(pictureFrame);
    QApplication::processEvents();

    const auto& row = cells_->RowAt(4);
    Click(*row.splayUp);
    EXPECT_EQ(window_.MdiArea()->activeSubWindow(), frame) << "a click into a window activates it";
    EXPECT_EQ(QApplication::focusWidget(), row.splayUp);

    PaintCounter frames;
    frame->installEventFilter(&frames);
    for (QPushButton* button : {row.splayDown, row.splayUp, row.attenDown}) {
        Click(*button);
        EXPECT_EQ(QApplication::focusWidget(), button);
    }
    EXPECT_EQ(frames.Of(*frame), 0);

    window_.MdiArea()->setActiveSubWindow(pictureFrame);
    QApplication::processEvents();
    Click(*row.splayDown);
    EXPECT_EQ(window_.MdiArea()->activeSubWindow(), frame);
    EXPECT_GE(frames.Of(*frame), 1) << "activated again, the frame shows it";
}

} // namespace
} // namespace polvane
