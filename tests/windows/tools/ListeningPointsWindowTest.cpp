#include "windows/tools/ListeningPointsWindow.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "engine/CalculationResults.h"
#include "shell/options/CurveColors.h"
#include "shell/options/FrequencyTable.h"
#include "windows/tools/FROptionsWindow.h"
#include "windows/dialogs/NewListeningPointDialog.h"
#include "plot/PlotPictureBox.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class ListeningPointsWindowTest : public ToolWindowFixture {
protected:
    ListeningPointsWindowTest()
    {
        AddArea("Floor", {10, 0}, {60, 0});    // 50 long
        AddArea("Balcony", {20, 10}, {30, 15}); // 10 long
        AddPoint("Front", 1, 5);
        AddPoint("Rear", 1, 40);
        AddPoint("Upper", 2, 2);
        Venue().ListeningPoints().SetReferencePointIndex(1);
        window_.SetToolWindowSlot(ToolWindowId::ListeningPoints, &host_);
        window_.show();
        window_.findChild<QAction*>(QStringLiteral("mnuViewListeningPoints"))->trigger();
        points_ = dynamic_cast<ListeningPointsWindow*>(host_.Window());
        points_->parentWidget()->resize(900, 400);
        points_->SetDialogRunner([this](NewListeningPointDialog& dialog) {
            ++dialogsShown_;
            dialogName_ = dialog.txtName()->text().toStdString();
            dialogAreas_.clear();
            for (int i = 0; i < dialog.cboSeatingArea()->count(); ++i)
                dialogAreas_.push_back(dialog.cboSeatingArea()->itemText(i).toStdString());
            dialogArea_ = dialog.cboSeatingArea()->currentIndex();
            answer_(dialog);
        });
        lifecycle_.ClearDirty();
    }

    Environment& Venue() { return lifecycle_.Venue(); }
    ListeningPoints& Points() { return Venue().ListeningPoints(); }
    void AddArea(const char* name, Point2D front, Point2D back)
    {
        Venue().SeatingAreas().Add(-1, &front, &back).SetName(name);
    }
    void AddPoint(const std::string& name, int area, float position)
    {
        ListeningPoint& point = Points().Add(name);
        point.SetSeatingAreaIndex(area);
        point.SetHorizontalPosition(position);
    }
    QListWidget& List() const { return *points_->lstListeningPoints(); }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < List().count(); ++i)
            texts.push_back(List().item(i)->text().toStdString());
        return texts;
    }
    void Select(int entry) { List().setCurrentRow(entry - 1); }
    static void Focus(QWidget* control, QEvent::Type type)
    {
        QFocusEvent event(type, Qt::TabFocusReason);
        QCoreApplication::sendEvent(control, &event);
    }
    void CommitPosition(const char* text)
    {
        QLineEdit* box = points_->txtHorizontalPosition();
        box->setText(QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
    }
    void Hover(QPointF at)
    {
        QMouseEvent move(QEvent::MouseMove, at, points_->picResponse()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(points_->picResponse(), &move);
    }
    // Results with one flat level per band for each point.
    void StoreLevels(const std::vector<float>& levels, std::size_t bands = FrequencyTable::kCount)
    {
        CalculationResults results;
        for (float level : levels) {
            ListeningPointResult point;
            point.Levels.assign(bands, level);
            results.PointLevels.push_back(point);
        }
        session_.StoreResults(results);
        points_->Refresh();
    }
    QPointF CurvePoint(int band, float level) const
    {
        const PlotCanvas& canvas = points_->Canvas();
        return {canvas.ConvertX(FrequencyTable::Frequency(band)), canvas.ConvertY(level)};
    }
    QColor PixelAt(QPointF at) const
    {
        return points_->picResponse()->Picture().pixelColor(at.toPoint());
    }

    ToolWindowHost host_{context_,
                         [](ToolWindowContext& context) { return new ListeningPointsWindow(context); }};
    ListeningPointsWindow* points_ = nullptr;
    std::function<void(NewListeningPointDialog&)> answer_ = [](NewListeningPointDialog& dialog) {
        dialog.accept();
    };
    int dialogsShown_ = 0;
    std::string dialogName_;
    std::vector<std::string> dialogAreas_;
    int dialogArea_ = -2;
};

// A new venue from the program's own English template, with one seating area, the frequency
// response options window open beside this one, and the levels from the real prediction.
class ListeningPointsOnATemplateTest : public ListeningPointsWindowTest {
protected:
    ListeningPointsOnATemplateTest()
    {
        options_.SwitchToEngineeringMode();
        templatePath_ = (fs::path(QT_TESTCASE_SOURCEDIR) / ".." / "templates" / "Blank_English.venue").string();
        lifecycle_.NewVenue();
        AddArea("Floor", {20, 0}, {220, 0});
        hub_.UpdateInterfaces(UpdateScope::All, true);
        window_.SetToolWindowSlot(ToolWindowId::FROptions, &frHost_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewFROptions"))->trigger();
        frequency_ = frHost_.Window()->findChild<QComboBox*>(QStringLiteral("cboFrequency"));
        lifecycle_.ClearDirty();
    }
    void ClickAdd() { QTest::mouseClick(points_->cmdAdd(), Qt::LeftButton); }
    void ClickEntry(int entry)
    {
        const QRect item = List().visualItemRect(List().item(entry - 1));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    }
    // Where the graph shows entry's i-th level (0-based), read from the shared results.
    QPointF LevelAt(int entry, std::size_t i, float frequency) const
    {
        const auto& levels = session_.Results().PointLevels.at(static_cast<std::size_t>(entry - 1)).Levels;
        return {points_->Canvas().ConvertX(frequency), points_->Canvas().ConvertY(levels.at(i))};
    }

    ToolWindowHost frHost_{context_, [](ToolWindowContext& context) { return new FROptionsWindow(context); }};
    QComboBox* frequency_ = nullptr;
};

TEST_F(ListeningPointsOnATemplateTest, PointsAddedInTheWindowShowAtOnceAtOneFrequencyAndAtAll)
{
    ASSERT_EQ(Venue().LineArray().Cells().Count(), 4);
    ASSERT_EQ(Points().Count(), 0);
    for (int added = 1; added <= 3; ++added) {
        ClickAdd();
        ASSERT_EQ(Points().Count(), added);
        EXPECT_EQ(Points().ReferencePointIndex(), 1) << "the first point added is the reference";
    }
    ASSERT_FALSE(Venue().AggregateFrequencies());
    // The second point is placed where the first stands; moved back, each shows apart.
    ClickEntry(2);
    ASSERT_EQ(points_->SelectedPoint(), 2);
    CommitPosition("100");
    ASSERT_FLOAT_EQ(Points().Item(2).HorizontalPosition(), 100.0f);

    // One analysed frequency: one level each, the reference's 0 dB, each drawn as a mark in
    // its own colour where the pointer finds it.
    const float centre = Venue().CenterFrequency();
    EXPECT_EQ(session_.Results().PointLevels.at(0).Levels, std::vector<float>{0.0f});
    for (int entry = 1; entry <= 3; ++entry) {
        ASSERT_EQ(session_.Results().PointLevels.at(static_cast<std::size_t>(entry - 1)).Levels.size(), 1u);
        const QPointF mark = LevelAt(entry, 0, centre);
        ASSERT_TRUE(points_->Canvas().PlotRect().contains(mark)) << entry;
        EXPECT_EQ(points_->EntryAt(mark), entry);
    }
    // The last one drawn lies on top.
    EXPECT_EQ(PixelAt(LevelAt(3, 0, centre)), QColor::fromRgba(CurveColors::Color(3)));

    // The reference cannot be deleted.
    ClickEntry(1);
    ASSERT_EQ(points_->SelectedPoint(), 1);
    QTest::mouseClick(points_->cmdDelete(), Qt::LeftButton);
    EXPECT_EQ(prompts_.Last().text, ListeningPointsWindow::kReferenceText);
    EXPECT_EQ(Points().Count(), 3);

    // "All", chosen in the other window, gives every point a curve over the 23 bands here
    // at once.
    frequency_->setFocus();
    QTest::keyClick(frequency_, Qt::Key_Home);
    ASSERT_TRUE(Venue().AggregateFrequencies());
    for (int entry = 1; entry <= 3; ++entry) {
        ASSERT_EQ(session_.Results().PointLevels.at(static_cast<std::size_t>(entry - 1)).Levels.size(),
                  static_cast<std::size_t>(FrequencyTable::Count()));
    }
    const int band = 12;
    const QPointF onCurve = LevelAt(3, band - 1, FrequencyTable::Frequency(band));
    EXPECT_EQ(PixelAt(onCurve), QColor::fromRgba(CurveColors::Color(3)));
    // Between two bands the curve is drawn too.
    const QPointF from = LevelAt(3, 0, FrequencyTable::Frequency(1));
    const QPointF to = LevelAt(3, 1, FrequencyTable::Frequency(2));
    if (points_->Canvas().PlotRect().contains(from) && points_->Canvas().PlotRect().contains(to)) {
        EXPECT_EQ(PixelAt((from + to) / 2), QColor::fromRgba(CurveColors::Color(3)));
    }
}

TEST_F(ListeningPointsWindowTest, LevelsBelowTheGraphStayOffTheScale)
{
    // The rear point, far from the reference and on a wide sweep of levels, reads well below
    // the graph's floor at some band.
    options_.SwitchToEngineeringMode();
    std::vector<float> bands;
    for (int band = 1; band <= FrequencyTable::Count(); ++band)
        bands.push_back(FrequencyTable::Frequency(band));
    Venue().SetFrequencyList(bands);
    Venue().SetAggregateFrequencies(true);
    for (int i = 0; i < 4; ++i)
        Venue().LineArray().Cells().Add();
    Points().Item(2).SetHorizontalPosition(50);
    Points().Item(2).SetSeatingAreaIndex(1);
    Venue().SeatingAreas().Item(1).SetPoints(Point2D(2, -60), Point2D(400, -60));
    hub_.UpdateInterfaces(UpdateScope::All, true);
    const std::vector<float>& rear = session_.Results().PointLevels.at(1).Levels;
    ASSERT_FALSE(rear.empty());
    const PlotCanvas& canvas = points_->Canvas();
    const QImage& picture = points_->picResponse()->Picture();
    // Nothing of any curve colour lies outside the plot.
    const QRectF plot = canvas.PlotRect();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (plot.contains(QPointF(x, y)))
                continue;
            const QRgb pixel = picture.pixel(x, y);
            for (int colour = 1; colour <= 3; ++colour)
                ASSERT_NE(pixel, CurveColors::Color(colour)) << x << "," << y;
        }
    }
}

TEST_F(ListeningPointsWindowTest, TheListShowsEveryPointCheckedAndKeepsCheckStatesOnRefresh)
{
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Front", "Rear", "Upper"}));
    for (int i = 0; i < List().count(); ++i)
        EXPECT_EQ(List().item(i)->checkState(), Qt::Checked);
    ASSERT_EQ(points_->cboSeatingAreas()->count(), 2);
    EXPECT_EQ(points_->cboSeatingAreas()->itemText(1), "Balcony");

    // Nothing selected yet: the editors are off.
    EXPECT_EQ(points_->SelectedPoint(), 0);
    EXPECT_FALSE(points_->txtName()->isEnabled());
    EXPECT_FALSE(points_->cmdDelete()->isEnabled());

    List().item(1)->setCheckState(Qt::Unchecked);
    Points().Item(3).SetName("Gallery");
    Points().Remove(1);
    Points().SetReferencePointIndex(1);
    hub_.UpdateInterfaces(UpdateScope::ListeningPoints, false);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Rear", "Gallery"}));
    EXPECT_EQ(List().item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(List().item(1)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(ListeningPointsWindowTest, SelectingAnEntryShowsThePointInTheEditors)
{
    Select(3);
    EXPECT_EQ(points_->SelectedPoint(), 3);
    EXPECT_TRUE(points_->txtName()->isEnabled());
    EXPECT_TRUE(points_->spnHorizontalPosition()->isEnabled());
    EXPECT_TRUE(points_->cmdDelete()->isEnabled());
    EXPECT_EQ(points_->txtName()->text(), "Upper");
    EXPECT_EQ(points_->txtHorizontalPosition()->text(), "2.00 ft");
    EXPECT_EQ(points_->cboSeatingAreas()->currentIndex(), 1);
    // Showing a point is no edit of it.
    EXPECT_FALSE(points_->NameIsDirty());
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(Points().Item(3).Name(), "Upper");
}

TEST_F(ListeningPointsWindowTest, AddPlacesANewPointOnTheChosenAreaAndSelectsIt)
{
    answer_ = [](NewListeningPointDialog& dialog) {
        dialog.txtName()->setText(QStringLiteral("Mix"));
        dialog.cboSeatingArea()->setCurrentIndex(1);
        dialog.accept();
    };
    points_->cmdAdd()->click();
    EXPECT_EQ(dialogsShown_, 1);
    EXPECT_EQ(dialogName_, "4");
    EXPECT_EQ(dialogAreas_, (std::vector<std::string>{"Floor", "Balcony"}));
    EXPECT_EQ(dialogArea_, 0);
    ASSERT_EQ(Points().Count(), 4);
    const ListeningPoint& added = Points().Item(4);
    EXPECT_EQ(added.Name(), "Mix");
    EXPECT_EQ(added.SeatingAreaIndex(), 2);
    // The list's last entry stood at 2: 2 × 0.085 of the balcony's 10.
    EXPECT_FLOAT_EQ(added.HorizontalPosition(), 1.7f);
    EXPECT_EQ(points_->SelectedPoint(), 4);
    EXPECT_EQ(List().currentRow(), 3);
    EXPECT_EQ(List().item(3)->checkState(), Qt::Checked);
    EXPECT_TRUE(lifecycle_.IsDirty());

    // The dialog remembers the area chosen last.
    answer_ = [](NewListeningPointDialog& dialog) { dialog.accept(); };
    points_->cmdAdd()->click();
    EXPECT_EQ(dialogArea_, 1);
    EXPECT_EQ(Points().Item(5).SeatingAreaIndex(), 2);
}

TEST_F(ListeningPointsWindowTest, CancelAddsNothingButTheAreaChoiceIsRemembered)
{
    answer_ = [](NewListeningPointDialog& dialog) {
        dialog.cboSeatingArea()->setCurrentIndex(1);
        dialog.reject();
    };
    points_->cmdAdd()->click();
    EXPECT_EQ(Points().Count(), 3);
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(points_->Dialog().Tag(), "");

    // The remembered entry beyond a shorter area list falls back to the last entry.
    Venue().SeatingAreas().Remove(2);
    answer_ = [](NewListeningPointDialog& dialog) { dialog.reject(); };
    points_->cmdAdd()->click();
    EXPECT_EQ(dialogArea_, 0);
}

TEST_F(ListeningPointsWindowTest, TwentyPointsAreTheLimit)
{
    while (Points().Count() < 19)
        AddPoint("P", 1, 0);
    points_->Refresh();
    answer_ = [](NewListeningPointDialog& dialog) { dialog.reject(); };
    points_->cmdAdd()->click();
    EXPECT_EQ(dialogsShown_, 1);
    EXPECT_EQ(dialogName_, "20");

    // A venue file may hold more than the window lets the user add.
    for (int count : {20, 25}) {
        while (Points().Count() < count)
            AddPoint("P", 1, 0);
        points_->Refresh();
        points_->cmdAdd()->click();
        EXPECT_EQ(dialogsShown_, 1);
        EXPECT_EQ(prompts_.Last().text, ListeningPointsWindow::kLimitText);
        EXPECT_EQ(prompts_.Last().buttons, MessageButtons::Ok);
        EXPECT_EQ(Points().Count(), count);
    }
}

TEST_F(ListeningPointsWindowTest, WithoutSeatingAreasNoPointCanBeAdded)
{
    Venue().SeatingAreas().Remove(2);
    Venue().SeatingAreas().Remove(1);
    points_->Refresh();
    EXPECT_FALSE(points_->cmdAdd()->isEnabled());
    points_->cmdAdd()->click();
    EXPECT_EQ(dialogsShown_, 0);
    EXPECT_EQ(Points().Count(), 3);
}

TEST_F(ListeningPointsWindowTest, NewPointPositionsWrapOntoTheArea)
{
    struct Case {
        int k;
        float length;
        float position;
    };
    const Case cases[] = {
        {0, 50.0f, 0.0f},
        {1, 50.0f, 4.25f},
        {12, 50.0f, 1.0f}, // 1.02 of the length, back by one length
        {19, 10.0f, 6.15f},
        {3, 0.0f, 0.0f},
        {3, -20.0f, -5.1f},
        {15, -20.0f, -5.5f},
        {-1, 50.0f, 0.0f},
        {5, std::numeric_limits<float>::quiet_NaN(), 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ListeningPointsWindow::NewPointPosition(c.k, c.length), c.position, 1e-4)
            << c.k << " on " << c.length;
}

TEST_F(ListeningPointsWindowTest, DeleteAsksFirstAndRefusesTheReferencePoint)
{
    Select(1);
    points_->cmdDelete()->click();
    EXPECT_EQ(Points().Count(), 3);
    EXPECT_EQ(prompts_.Last().text, ListeningPointsWindow::kReferenceText);
    EXPECT_EQ(prompts_.Last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(prompts_.Last().title, "Quessel Polvane");

    Select(2);
    prompts_.QueueAnswer(MessageAnswer::No);
    points_->cmdDelete()->click();
    EXPECT_EQ(prompts_.Last().text, "Are you sure that you want to delete the \"Rear\" listening point?");
    EXPECT_EQ(prompts_.Last().buttons, MessageButtons::YesNo);
    EXPECT_EQ(prompts_.Last().icon, MessageIcon::Question);
    EXPECT_EQ(Points().Count(), 3);
    EXPECT_FALSE(lifecycle_.IsDirty());

    // Deleting the last entry selects the new last one.
    Select(3);
    prompts_.QueueAnswer(MessageAnswer::Yes);
    points_->cmdDelete()->click();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Front", "Rear"}));
    EXPECT_EQ(points_->SelectedPoint(), 2);
    EXPECT_EQ(points_->txtName()->text(), "Rear");
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(ListeningPointsWindowTest, ThePositionIsBoundToTheLengthOfThePointsArea)
{
    Select(2);
    struct Case {
        const char* typed;
        float stored;
    };
    const Case cases[] = {{"12.5 ft", 12.5f}, {"75", 50.0f}, {"-3", 0.0f}, {"abc", 0.0f}};
    for (const Case& c : cases) {
        CommitPosition(c.typed);
        EXPECT_FLOAT_EQ(Points().Item(2).HorizontalPosition(), c.stored) << c.typed;
    }
    EXPECT_TRUE(lifecycle_.IsDirty());

    // The spin steps a broken number to the next whole one.
    CommitPosition("3.7");
    points_->spnHorizontalPosition()->setValue(1);
    EXPECT_FLOAT_EQ(Points().Item(2).HorizontalPosition(), 4.0f);
    EXPECT_EQ(points_->spnHorizontalPosition()->value(), 0);
    EXPECT_EQ(points_->txtHorizontalPosition()->text(), "4.00 ft");
}

TEST_F(ListeningPointsWindowTest, APointOnAnAreaThatIsGoneShowsNoAreaAndKeepsOnlyTheLowerBound)
{
    Points().Item(3).SetSeatingAreaIndex(7);
    points_->Refresh();
    Select(3);
    EXPECT_EQ(points_->cboSeatingAreas()->currentIndex(), -1);
    CommitPosition("75");
    EXPECT_FLOAT_EQ(Points().Item(3).HorizontalPosition(), 75.0f);
    CommitPosition("-2");
    EXPECT_FLOAT_EQ(Points().Item(3).HorizontalPosition(), 0.0f);

    // Choosing an area puts it back on one, where it was along it.
    points_->cboSeatingAreas()->setCurrentIndex(0);
    EXPECT_EQ(Points().Item(3).SeatingAreaIndex(), 1);
    EXPECT_FLOAT_EQ(Points().Item(3).HorizontalPosition(), 0.0f);
    EXPECT_TRUE(lifecycle_.IsDirty());
}

TEST_F(ListeningPointsWindowTest, ATypedNameShowsInTheListAtOnceAndEscRestoresBoth)
{
    Select(2);
    QLineEdit* name = points_->txtName();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Booth"));
    EXPECT_EQ(List().item(1)->text(), "Booth");
    EXPECT_EQ(Points().Item(2).Name(), "Rear");
    EXPECT_TRUE(points_->NameIsDirty());

    QTest::keyClick(name, Qt::Key_Escape);
    EXPECT_EQ(name->text(), "Rear");
    EXPECT_EQ(List().item(1)->text(), "Rear");
    EXPECT_FALSE(points_->NameIsDirty());
    Focus(name, QEvent::FocusOut);
    EXPECT_EQ(Points().Item(2).Name(), "Rear");
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(ListeningPointsWindowTest, EnterStoresTheNameAndLeavingTheBoxTellsTheOtherWindows)
{
    Select(2);
    QLineEdit* name = points_->txtName();
    name->setText(QStringLiteral("Booth"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(Points().Item(2).Name(), "Booth");
    EXPECT_EQ(name->selectedText(), "Booth");
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_TRUE(points_->NameIsDirty());

    name->setText(QStringLiteral("Desk"));
    Focus(name, QEvent::FocusOut);
    EXPECT_EQ(Points().Item(2).Name(), "Desk");
    EXPECT_EQ(List().item(1)->text(), "Desk");
    EXPECT_FALSE(points_->NameIsDirty());
}

TEST_F(ListeningPointsWindowTest, CheckedPointsAreDrawnInTheirCurveColours)
{
    StoreLevels({0.0f, -12.0f, -24.0f});
    for (int entry = 1; entry <= 3; ++entry) {
        const QColor expected = QColor::fromRgba(CurveColors::Color(entry));
        EXPECT_EQ(PixelAt(CurvePoint(12, -12.0f * static_cast<float>(entry - 1))), expected) << entry;
    }

    List().item(1)->setCheckState(Qt::Unchecked);
    EXPECT_NE(PixelAt(CurvePoint(12, -12.0f)), QColor::fromRgba(CurveColors::Color(2)));
    EXPECT_EQ(points_->EntryAt(CurvePoint(12, -12.0f)), 0);
    EXPECT_EQ(points_->EntryAt(CurvePoint(12, -24.0f)), 3);
}

TEST_F(ListeningPointsWindowTest, ThePointerNamesTheNearestCurvePointWithinReach)
{
    StoreLevels({0.0f, -12.0f, 0.0f});
    const QPointF on = CurvePoint(5, -12.0f);
    Hover(on + QPointF(3, 4));
    EXPECT_FALSE(points_->lblTooltip()->isHidden());
    EXPECT_EQ(points_->lblTooltip()->text(), "Rear");
    const QPoint origin = points_->picResponse()->pos();
    EXPECT_EQ(points_->shpHotspot()->geometry().center(), origin + on.toPoint());
    EXPECT_EQ(points_->lblTooltip()->geometry().right() + 1, origin.x() + static_cast<int>(on.x()) + 3 - 5);

    // Two curves through the same points: the earlier entry keeps the name.
    Hover(CurvePoint(5, 0.0f));
    EXPECT_EQ(points_->lblTooltip()->text(), "Front");

    Hover(on + QPointF(0, 15));
    EXPECT_TRUE(points_->lblTooltip()->isHidden());
    EXPECT_TRUE(points_->shpHotspot()->isHidden());

    for (int i = 0; i < List().count(); ++i)
        List().item(i)->setCheckState(Qt::Unchecked);
    Hover(on);
    EXPECT_TRUE(points_->lblTooltip()->isHidden());
}

TEST_F(ListeningPointsWindowTest, ResultsShorterThanTheListOrTheBandsDrawWhatTheyHave)
{
    StoreLevels({-6.0f}, 10);
    EXPECT_EQ(points_->EntryAt(CurvePoint(10, -6.0f)), 1);
    EXPECT_EQ(points_->EntryAt(CurvePoint(11, -6.0f)), 0);
    StoreLevels({std::numeric_limits<float>::quiet_NaN(), -6.0f});
    EXPECT_EQ(points_->EntryAt(CurvePoint(11, -6.0f)), 2);
}

TEST_F(ListeningPointsWindowTest, TheWindowKeepsItsSmallestSize)
{
    QWidget* frame = points_->parentWidget();
    frame->resize(100, 50);
    // 6000 by 2000 twips at 15 twips a pixel.
    EXPECT_GE(points_->width(), 400);
    EXPECT_GE(points_->height(), 133);
    EXPECT_EQ(points_->picResponse()->Picture().size(), points_->picResponse()->size());
}

TEST_F(ListeningPointsWindowTest, TheStartUpHidesTheListLoadingTheWindowUnseen)
{
    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(host_.Window(), nullptr);
    ListeningPointsWindow::SetListVisible(host_, false);
    auto* loaded = dynamic_cast<ListeningPointsWindow*>(host_.Window());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(registry_.IsLoaded(ToolWindowId::ListeningPoints));
    EXPECT_FALSE(loaded->parentWidget()->isVisible());
    EXPECT_TRUE(loaded->lstListeningPoints()->isHidden());
    ListeningPointsWindow::SetListVisible(host_, true);
    EXPECT_EQ(host_.Window(), loaded);
    EXPECT_FALSE(loaded->lstListeningPoints()->isHidden());
}

TEST_F(ListeningPointsWindowTest, AWindowLoadedUnseenIsNotOpenedAtTheNextStart)
{
    points_->parentWidget()->move(30, 40);
    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::string closedPlace = StoredPlace("Listening Points");
    ASSERT_EQ(closedPlace.substr(0, 2), "0,");

    ListeningPointsWindow::SetListVisible(host_, false);
    window_.Unload();
    EXPECT_EQ(StoredPlace("Listening Points"), closedPlace);
}

TEST_F(ListeningPointsWindowTest, ALayoutRecordsAWindowLoadedUnseenAsClosed)
{
    const std::string folder = Path("Layouts");
    window_.Layouts().SetLayoutFolder(folder);
    const auto savedAs = [&](const std::string& name) {
        prompts_.QueueText(name);
        window_.Layouts().SaveCurrentLayout();
        std::ifstream in(fs::path(folder) / (name + ".layout"));
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t key = text.find("LISTENING_POINTS_WINDOW_LOADED");
        EXPECT_NE(key, std::string::npos) << text;
        return text.substr(key, text.find('\n', key) - key);
    };
    EXPECT_NE(savedAs("Open").find("Yes"), std::string::npos);

    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ListeningPointsWindow::SetListVisible(host_, false);
    ASSERT_TRUE(registry_.IsLoaded(ToolWindowId::ListeningPoints));
    const std::string unseen = savedAs("Unseen");
    EXPECT_NE(unseen.find("No"), std::string::npos) << unseen;
    EXPECT_EQ(unseen.find("Yes"), std::string::npos) << unseen;
}

TEST_F(ListeningPointsWindowTest, AnOpenWindowClosedWithTheMainWindowOpensAgain)
{
    window_.Unload();
    EXPECT_EQ(StoredPlace("Listening Points").substr(0, 2), "1,");
}

} // namespace
} // namespace polvane
