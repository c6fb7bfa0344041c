// What an edit repaints: a drawing window whose picture the edit changed shows the new one
// once; one whose picture stayed the same is not repainted at all.
#include <map>
#include <string>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "DrawingWindowTestSupport.h"
#include "ToolWindowFixture.h"
#include "shell/UpdateScope.h"
#include "windows/ArrayPictureWindow.h"
#include "windows/CellConfigurationsWindow.h"
#include "windows/ListeningPointsWindow.h"
#include "windows/RiggingDetailsWindow.h"
#include "windows/ToolWindowHost.h"

namespace polvane {
namespace {

// Counts the paint events each picture box receives.
class PaintCounter : public QObject {
public:
    void Watch(PlotPictureBox& box) { box.installEventFilter(this); }
    int Of(const PlotPictureBox& box) const
    {
        const auto found = paints_.find(&box);
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
    hub_.UpdateInterfaces(UpdateScope::All, true);
    QApplication::processEvents();
    EXPECT_EQ(counter_.Of(*picture_->picArray()), 0);
    EXPECT_EQ(counter_.Of(*rigging_->picRigging()), 0);
    EXPECT_EQ(counter_.Of(*points_->picResponse()), 0);

    Click(*cells_->RowAt(2).splayUp);
    EXPECT_EQ(counter_.Of(*picture_->picArray()), 1);
}

} // namespace
} // namespace polvane
