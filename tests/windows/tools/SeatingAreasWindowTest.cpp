#include "windows/tools/SeatingAreasWindow.h"

#include <string>
#include <utility>

#include <QAction>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "../TypingLocale.h"
#include "engine/Environment.h"
#include "files/VenueFile.h"
#include "model/ListeningPoint.h"
#include "model/ListeningPoints.h"
#include "model/Plane.h"
#include "model/Planes.h"
#include "model/Units.h"
#include "support/TestFiles.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

class SeatingAreasWindowTest : public ToolWindowFixture {
protected:
    SeatingAreasWindowTest()
    {
        window_.SetToolWindowSlot(ToolWindowId::SeatingAreas, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewSeatingAreas"))->trigger();
        seats_ = dynamic_cast<SeatingAreasWindow*>(host_.Window());
        list_ = Find<QListWidget>("lstSeatingAreas");
    }

    template <class T>
    T* Find(const char* name) const
    {
        T* control = seats_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QLineEdit* Box(const char* name) const { return Find<QLineEdit>(name); }
    std::string Text(const char* name) const { return Box(name)->text().toStdString(); }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }
    void TypeInto(const char* name, const QString& text)
    {
        QLineEdit* box = Box(name);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void Enter(const char* name) { QTest::keyClick(Box(name), Qt::Key_Return); }
    // Text typed into a box and where the second area's points are afterwards.
    struct Typed {
        const char* box;
        const char* typed;
        Point2D front;
        Point2D back;
    };
    void ExpectArea2(const Typed& c)
    {
        EXPECT_NEAR(Area(2).FrontPoint().x, c.front.x, 1e-4) << c.box << " " << c.typed;
        EXPECT_NEAR(Area(2).FrontPoint().y, c.front.y, 1e-4) << c.box << " " << c.typed;
        EXPECT_NEAR(Area(2).BackPoint().x, c.back.x, 1e-3) << c.box << " " << c.typed;
        EXPECT_NEAR(Area(2).BackPoint().y, c.back.y, 1e-3) << c.box << " " << c.typed;
    }
    void Escape(const char* name) { QTest::keyClick(Box(name), Qt::Key_Escape); }
    void LeaveBox(const char* name)
    {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(Box(name), &out);
    }
    void Spin(const char* name, int direction) { Find<QSpinBox>(name)->setValue(direction); }
    // Adds an area through the window, answering its name.
    void AddArea(const std::string& name)
    {
        prompts_.QueueText(name);
        Click("cmdAdd");
    }
    Planes& Areas() { return lifecycle_.Venue().SeatingAreas(); }
    Plane& Area(int i) { return Areas().Item(i); }
    std::string Entry(int row) const { return list_->item(row)->text().toStdString(); }
    bool EditorsDisabledAndEmpty() const
    {
        for (const char* name : {"txtName", "txtHorizontalPosition", "txtVerticalPosition", "txtLength", "txtHeight"})
            if (Box(name)->isEnabled() || !Box(name)->text().isEmpty())
                return false;
        for (const char* name : {"spnHorizontalPosition", "spnVerticalPosition", "spnLength", "spnHeight"})
            if (Find<QSpinBox>(name)->isEnabled())
                return false;
        for (const char* name : {"cmdDelete", "cmdUp", "cmdDown"})
            if (Find<QPushButton>(name)->isEnabled())
                return false;
        return true;
    }
    // Three areas, set directly in the venue, shown in the window with none selected.
    void ThreeAreas()
    {
        for (const char* name : {"Floor", "Rake", "Balcony"}) {
            Plane& area = Areas().Add();
            area.SetName(name);
        }
        Area(1).SetPoints(Point2D(10, 0), Point2D(60, 0));
        Area(2).SetPoints(Point2D(60, 0), Point2D(90, 12));
        Area(3).SetPoints(Point2D(70, 20), Point2D(100, 35));
        hub_.UpdateInterfaces(UpdateScope::All, false);
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new SeatingAreasWindow(context); }};
    SeatingAreasWindow* seats_ = nullptr;
    QListWidget* list_ = nullptr;
};

TEST_F(SeatingAreasWindowTest, StartsEmptyWithTheEditorsDisabled)
{
    EXPECT_EQ(seats_->objectName(), "frmSeatingAreas");
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(seats_->SelectedArea(), 0);
    EXPECT_TRUE(EditorsDisabledAndEmpty());
    EXPECT_TRUE(Find<QPushButton>("cmdAdd")->isEnabled());
    EXPECT_EQ(Find<QPushButton>("cmdAdd")->text(), "&Add");
    EXPECT_EQ(Find<QPushButton>("cmdDelete")->text(), "&Delete");
}

TEST_F(SeatingAreasWindowTest, TheFirstAreaStartsAtTwentyAndLaterOnesChainOn)
{
    AddArea("Floor");
    const ScriptedPrompts::Request& first = prompts_.Last();
    EXPECT_EQ(first.kind, ScriptedPrompts::Kind::Text);
    EXPECT_EQ(first.text, "Please enter a name for this seating area:");
    EXPECT_EQ(first.title, "Quessel Polvane");
    EXPECT_EQ(first.defaultText, "Seating Area 1");
    ASSERT_EQ(Areas().Count(), 1);
    EXPECT_EQ(Area(1).Name(), "Floor");
    EXPECT_EQ(Area(1).FrontPoint(), Point2D(20, 0));
    EXPECT_EQ(Area(1).BackPoint(), Point2D(120, 0));
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(seats_->SelectedArea(), 1);
    EXPECT_EQ(Text("txtName"), "Floor");
    EXPECT_EQ(Text("txtHorizontalPosition"), "20.00 ft");
    EXPECT_EQ(Text("txtLength"), "100.00 ft");
    EXPECT_EQ(Text("txtHeight"), "0.00 ft");

    AddArea("Balcony");
    EXPECT_EQ(prompts_.Last().defaultText, "Seating Area 2");
    ASSERT_EQ(Areas().Count(), 2);
    EXPECT_EQ(Area(2).FrontPoint(), Point2D(120, 0));
    EXPECT_EQ(Area(2).BackPoint(), Point2D(170, 15));
    ASSERT_EQ(list_->count(), 2);
    EXPECT_EQ(Entry(1), "Balcony");
    EXPECT_EQ(seats_->SelectedArea(), 2);
    EXPECT_EQ(list_->currentRow(), 1);
    EXPECT_EQ(Text("txtVerticalPosition"), "0.00 ft");
    EXPECT_EQ(Text("txtHeight"), "15.00 ft");
    EXPECT_FALSE(EditorsDisabledAndEmpty());
}

TEST_F(SeatingAreasWindowTest, CancellingOrAnEmptyNameAddsNothing)
{
    prompts_.QueueText(std::nullopt);
    Click("cmdAdd");
    prompts_.QueueText(std::string());
    Click("cmdAdd");
    EXPECT_EQ(Areas().Count(), 0);
    EXPECT_EQ(list_->count(), 0);
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_TRUE(EditorsDisabledAndEmpty());
}

TEST_F(SeatingAreasWindowTest, DeleteAsksFirstAndKeepsASelection)
{
    ThreeAreas();
    list_->setCurrentRow(2);
    ASSERT_EQ(seats_->SelectedArea(), 3);

    prompts_.QueueAnswer(MessageAnswer::No);
    Click("cmdDelete");
    const ScriptedPrompts::Request& question = prompts_.Last();
    EXPECT_EQ(question.text, "Are you sure that you want to delete the \"Balcony\" seating area?");
    EXPECT_EQ(question.title, "Quessel Polvane");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.defaultButton, MessageAnswer::No);
    EXPECT_EQ(Areas().Count(), 3);
    EXPECT_FALSE(lifecycle_.IsDirty());

    prompts_.QueueAnswer(MessageAnswer::Yes);
    Click("cmdDelete");
    ASSERT_EQ(Areas().Count(), 2);
    EXPECT_EQ(list_->count(), 2);
    EXPECT_EQ(seats_->SelectedArea(), 2);
    EXPECT_EQ(list_->currentRow(), 1);
    EXPECT_EQ(Text("txtName"), "Rake");
    EXPECT_TRUE(lifecycle_.IsDirty());

    // Deleting the first keeps the number: the area after it is shown.
    list_->setCurrentRow(0);
    prompts_.QueueAnswer(MessageAnswer::Yes);
    Click("cmdDelete");
    EXPECT_EQ(seats_->SelectedArea(), 1);
    EXPECT_EQ(Text("txtName"), "Rake");

    prompts_.QueueAnswer(MessageAnswer::Yes);
    Click("cmdDelete");
    EXPECT_EQ(Areas().Count(), 0);
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(seats_->SelectedArea(), 0);
    EXPECT_TRUE(EditorsDisabledAndEmpty());
}

TEST_F(SeatingAreasWindowTest, DeletingAnAreaMovesItsListeningPointsToTheAreaBefore)
{
    ThreeAreas();
    ListeningPoint& point = lifecycle_.Venue().ListeningPoints().Add("Mix");
    point.SetSeatingAreaIndex(3);
    list_->setCurrentRow(2);
    prompts_.QueueAnswer(MessageAnswer::Yes);
    Click("cmdDelete");
    EXPECT_EQ(point.SeatingAreaIndex(), 2);
}

TEST_F(SeatingAreasWindowTest, UpAndDownSwapNeighboursAndStopAtTheEnds)
{
    ThreeAreas();
    list_->setCurrentRow(0);
    Click("cmdUp");
    EXPECT_EQ(Area(1).Name(), "Floor");
    EXPECT_EQ(seats_->SelectedArea(), 1);
    EXPECT_FALSE(lifecycle_.IsDirty());

    // A marker record that a new prediction would replace.
    CalculationResults marker;
    marker.AreaLevels.resize(7);
    session_.StoreResults(marker);
    Click("cmdDown");
    EXPECT_EQ(session_.Results().AreaLevels.size(), 7u) << "moving runs no prediction";
    EXPECT_EQ(Area(1).Name(), "Rake");
    EXPECT_EQ(Area(2).Name(), "Floor");
    EXPECT_EQ(Entry(0), "Rake");
    EXPECT_EQ(Entry(1), "Floor");
    EXPECT_EQ(seats_->SelectedArea(), 2);
    EXPECT_EQ(list_->currentRow(), 1);
    EXPECT_EQ(Text("txtName"), "Floor");
    EXPECT_TRUE(lifecycle_.IsDirty());

    lifecycle_.ClearDirty();
    list_->setCurrentRow(2);
    Click("cmdDown");
    EXPECT_EQ(Area(3).Name(), "Balcony");
    EXPECT_EQ(seats_->SelectedArea(), 3);
    EXPECT_FALSE(lifecycle_.IsDirty());

    Click("cmdUp");
    EXPECT_EQ(Area(2).Name(), "Balcony");
    EXPECT_EQ(seats_->SelectedArea(), 2);
    EXPECT_EQ(Text("txtName"), "Balcony");
}

TEST_F(SeatingAreasWindowTest, NumberBoxesCommitBoundedValues)
{
    ThreeAreas();
    list_->setCurrentRow(1); // Rake: (60, 0) to (90, 12)
    using Case = Typed;
    const Case cases[] = {
        // The positions move the whole area.
        {"txtHorizontalPosition", "700", {600, 0}, {630, 12}},
        {"txtHorizontalPosition", "-5.5 ft", {-5.5f, 0}, {24.5f, 12}},
        {"txtVerticalPosition", "3", {-5.5f, 3}, {24.5f, 15}},
        {"txtVerticalPosition", "-650", {-5.5f, -600}, {24.5f, -588}},
        // The sizes move the back point only, and never below the smallest length.
        {"txtLength", "40", {-5.5f, -600}, {34.5f, -588}},
        {"txtLength", "0", {-5.5f, -600}, {-5.499f, -588}},
        {"txtHeight", "0", {-5.5f, -600}, {-5.499f, -599.999f}},
        {"txtHeight", "900", {-5.5f, -600}, {-5.499f, 0}},
    };
    for (const Case& c : cases) {
        lifecycle_.ClearDirty();
        TypeInto(c.box, QString::fromLatin1(c.typed));
        Enter(c.box);
        ExpectArea2(c);
        EXPECT_TRUE(lifecycle_.IsDirty()) << c.box;
        EXPECT_EQ(Box(c.box)->selectedText(), Box(c.box)->text()) << c.box;
    }
    EXPECT_EQ(Text("txtHeight"), "600.00 ft");
    EXPECT_EQ(session_.Results().AreaLevels.size(), 3u) << "an edit runs the prediction";
    EXPECT_EQ(Area(1).FrontPoint(), Point2D(10, 0)) << "other areas stay";
}

// Positions and sizes as a German user types them (keypad included), and under a plain
// desktop alike: a word changes nothing, also in a size box a move takes its size from.
TEST_F(SeatingAreasWindowTest, TypedNumbersReadCommasAndAWordChangesNothing)
{
    ThreeAreas();
    list_->setCurrentRow(1); // Rake: (60, 0) to (90, 12)
    using Case = Typed;
    const Case cases[] = {
        {"txtHorizontalPosition", "12,5", {12.5f, 0}, {42.5f, 12}},
        {"txtVerticalPosition", "-2,5 ft", {60, -2.5f}, {90, 9.5f}},
        {"txtLength", "40,25", {60, 0}, {100.25f, 12}},
        {"txtHeight", "vierzig", {60, 0}, {90, 12}},
        {"txtLength", "", {60, 0}, {90, 12}},
        {"txtHorizontalPosition", "ft", {60, 0}, {90, 12}},
    };
    for (const QLocale& locale : {TypingLocale::German(), TypingLocale::Plain()}) {
        const TypingLocale typing(locale);
        for (const Case& c : cases) {
            Area(2).SetPoints(Point2D(60, 0), Point2D(90, 12));
            hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
            lifecycle_.ClearDirty();
            const std::string shown = Text(c.box);
            TypeInto(c.box, QString::fromLatin1(c.typed));
            if (*c.typed == '\0')
                QTest::keyClick(Box(c.box), Qt::Key_Backspace);
            Enter(c.box);
            ExpectArea2(c);
            const bool changes = c.front != Point2D(60, 0) || c.back != Point2D(90, 12);
            EXPECT_EQ(lifecycle_.IsDirty(), changes) << c.box << " " << c.typed;
            if (!changes) {
                EXPECT_EQ(Text(c.box), shown) << "the box shows its value again";
            }
        }
        // A word left in the length box while the position moves: the area keeps its length.
        Area(2).SetPoints(Point2D(60, 0), Point2D(90, 12));
        hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
        TypeInto("txtLength", QStringLiteral("vierzig"));
        TypeInto("txtHorizontalPosition", QStringLiteral("10"));
        QTest::keyClick(Box("txtHorizontalPosition"), ',', Qt::KeypadModifier);
        QTest::keyClick(Box("txtHorizontalPosition"), '5', Qt::KeypadModifier);
        Enter("txtHorizontalPosition");
        EXPECT_NEAR(Area(2).FrontPoint().x, 10.5f, 1e-4);
        EXPECT_NEAR(Area(2).BackPoint().x, 40.5f, 1e-3);
    }
}

// Up and Down in a box step it as its arrows do, by the box's own rule.
TEST_F(SeatingAreasWindowTest, UpAndDownStepTheBoxesAsTheirArrowsDo)
{
    ThreeAreas();
    list_->setCurrentRow(1);
    struct Step {
        const char* box;
        const char* spin;
    };
    for (const Step& step : {Step{"txtHorizontalPosition", "spnHorizontalPosition"},
                             Step{"txtVerticalPosition", "spnVerticalPosition"}, Step{"txtLength", "spnLength"},
                             Step{"txtHeight", "spnHeight"}}) {
        for (const int direction : {+1, -1}) {
            std::pair<Point2D, Point2D> byArrow;
            for (const bool byKey : {false, true}) {
                Area(2).SetPoints(Point2D(60.5f, 0.5f), Point2D(90.5f, 12.5f));
                hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
                lifecycle_.ClearDirty();
                if (byKey)
                    QTest::keyClick(Box(step.box), direction > 0 ? Qt::Key_Up : Qt::Key_Down);
                else
                    Spin(step.spin, direction);
                EXPECT_TRUE(lifecycle_.IsDirty()) << step.box;
                const std::pair<Point2D, Point2D> points(Area(2).FrontPoint(), Area(2).BackPoint());
                if (byKey) {
                    EXPECT_EQ(points, byArrow) << step.box << " by " << direction;
                } else {
                    byArrow = points;
                }
            }
            EXPECT_NE(byArrow, std::pair(Point2D(60.5f, 0.5f), Point2D(90.5f, 12.5f))) << step.box;
        }
    }
}

TEST_F(SeatingAreasWindowTest, AMoveKeepsTheSizeTheBoxesShow)
{
    ThreeAreas();
    // Sizes finer than the boxes show: the move re-applies the boxes' 30.00 and 12.00.
    Area(2).SetPoints(Point2D(60, 0), Point2D(90.004f, 12.004f));
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    list_->setCurrentRow(1);
    ASSERT_EQ(Text("txtLength"), "30.00 ft");
    TypeInto("txtHorizontalPosition", QStringLiteral("70"));
    Enter("txtHorizontalPosition");
    EXPECT_NEAR(Area(2).BackPoint().x, 100.0f, 1e-4);
    TypeInto("txtVerticalPosition", QStringLiteral("2"));
    Enter("txtVerticalPosition");
    EXPECT_NEAR(Area(2).BackPoint().y, 14.0f, 1e-4);

    // A size box emptied by hand keeps the area's own size.
    Box("txtLength")->clear();
    Spin("spnHorizontalPosition", +1);
    EXPECT_NEAR(Area(2).FrontPoint().x, 71.0f, 1e-4);
    EXPECT_NEAR(Area(2).Length(), 30.0f, 1e-4);
}

TEST_F(SeatingAreasWindowTest, AMetricVenueBoundsPositionsInMetres)
{
    lifecycle_.Venue().SetUnits(UnitsCode::Metric);
    ThreeAreas();
    list_->setCurrentRow(0);
    TypeInto("txtHorizontalPosition", QStringLiteral("700"));
    Enter("txtHorizontalPosition");
    EXPECT_FLOAT_EQ(Area(1).FrontPoint().x, 182.88f);
    EXPECT_EQ(Text("txtHorizontalPosition"), "182.88 m");
}

TEST_F(SeatingAreasWindowTest, SpinStepsMoveAndResizeTheArea)
{
    ThreeAreas();
    Area(2).SetPoints(Point2D(60.5f, 0.25f), Point2D(90.5f, 12.25f));
    list_->setCurrentRow(1);
    Spin("spnVerticalPosition", +1); // rule B: 0.25 goes to 1
    EXPECT_FLOAT_EQ(Area(2).FrontPoint().y, 1.0f);
    EXPECT_FLOAT_EQ(Area(2).BackPoint().y, 13.0f);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(Text("txtVerticalPosition"), "1.00 ft");
    EXPECT_EQ(Find<QSpinBox>("spnVerticalPosition")->value(), 0);
    Spin("spnVerticalPosition", +1);
    EXPECT_FLOAT_EQ(Area(2).FrontPoint().y, 2.0f);
    EXPECT_FLOAT_EQ(Area(2).BackPoint().y, 14.0f);

    Spin("spnHorizontalPosition", -1); // rule A: 60.5 goes to 59.5
    EXPECT_FLOAT_EQ(Area(2).FrontPoint().x, 59.5f);
    EXPECT_FLOAT_EQ(Area(2).BackPoint().x, 89.5f);

    Spin("spnLength", -1);
    EXPECT_FLOAT_EQ(Area(2).Length(), 29.0f);
    EXPECT_FLOAT_EQ(Area(2).FrontPoint().x, 59.5f);
    Spin("spnHeight", +1);
    EXPECT_FLOAT_EQ(Area(2).Height(), 13.0f);

    // A step never takes a size below the smallest length.
    Area(2).SetHeight(0.5f);
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    Spin("spnHeight", -1);
    EXPECT_NEAR(Area(2).Height(), 0.001f, 1e-6);
}

TEST_F(SeatingAreasWindowTest, TheNameShowsInTheListAtOnceAndEscBringsBackTheStoredOne)
{
    ThreeAreas();
    list_->setCurrentRow(1);
    TypeInto("txtName", QStringLiteral("Stalls"));
    EXPECT_EQ(Entry(1), "Stalls");
    EXPECT_EQ(Area(2).Name(), "Rake");
    EXPECT_TRUE(seats_->IsNameDirty());

    Escape("txtName");
    EXPECT_EQ(Text("txtName"), "Rake");
    EXPECT_EQ(Entry(1), "Rake");
    EXPECT_FALSE(seats_->IsNameDirty());
    LeaveBox("txtName");
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(Area(2).Name(), "Rake");
}

// Names the earlier Windows program wrote in Windows-1252 and names in UTF-8 show as typed, an
// edit keeps them, and a save writes each where the earlier program reads it if it can.
TEST_F(SeatingAreasWindowTest, NamesOfEitherEncodingShowEditSaveAndReopenAsTyped)
{
    Environment written;
    written.Clear();
    for (const char* placeholder : {"@1", "@2"})
        written.SeatingAreas().Add().SetName(placeholder);
    std::string text = VenueFile::SaveToString(written);
    text.replace(text.find("@1\r\n"), 2, "Parkett S\xFC" "d");
    text.replace(text.find("@2\r\n"), 2, "Rang \xE2\x86\x92 B\xC3\xBChne");
    const std::string path = Path("names.venue");
    ASSERT_TRUE(WriteAll(path, text));

    ASSERT_TRUE(lifecycle_.OpenVenue(path));
    EXPECT_EQ(Entry(0), "Parkett Süd");
    EXPECT_EQ(Entry(1), "Rang → Bühne");
    list_->setCurrentRow(0);
    EXPECT_EQ(Text("txtName"), "Parkett Süd");
    Box("txtName")->end(false);
    QTest::keyClicks(Box("txtName"), QStringLiteral("-Ost"));
    Enter("txtName");
    EXPECT_EQ(Area(1).Name(), "Parkett Süd-Ost");

    ASSERT_TRUE(lifecycle_.SaveVenue());
    const std::string saved = ReadAll(path);
    EXPECT_NE(saved.find(" Parkett S\xFC" "d-Ost\r\n"), std::string::npos);
    EXPECT_NE(saved.find(" Rang \xE2\x86\x92 B\xC3\xBChne\r\n"), std::string::npos);
    lifecycle_.NewVenue();
    ASSERT_TRUE(lifecycle_.OpenVenue(path));
    EXPECT_EQ(Entry(0), "Parkett Süd-Ost");
    EXPECT_EQ(Entry(1), "Rang → Bühne");
}

TEST_F(SeatingAreasWindowTest, EnterStoresTheNameAndLeavingStoresItAgain)
{
    ThreeAreas();
    list_->setCurrentRow(0);
    TypeInto("txtName", QStringLiteral("Pit"));
    Enter("txtName");
    EXPECT_EQ(Area(1).Name(), "Pit");
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(Box("txtName")->selectedText(), "Pit");
    EXPECT_TRUE(seats_->IsNameDirty());

    lifecycle_.ClearDirty();
    LeaveBox("txtName");
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_FALSE(seats_->IsNameDirty()) << "the refresh clears the mark";

    // An empty name is allowed.
    TypeInto("txtName", QString());
    Box("txtName")->clear();
    LeaveBox("txtName");
    EXPECT_EQ(Area(1).Name(), "");
    EXPECT_EQ(Entry(0), "");
}

TEST_F(SeatingAreasWindowTest, EscInANumberBoxRestoresAllBoxesAndCommitsNothing)
{
    ThreeAreas();
    list_->setCurrentRow(0);
    TypeInto("txtName", QStringLiteral("Pit"));
    TypeInto("txtLength", QStringLiteral("12"));
    Escape("txtLength");
    EXPECT_EQ(Text("txtLength"), "50.00 ft");
    EXPECT_EQ(Box("txtLength")->selectedText(), "50.00 ft");
    EXPECT_EQ(Text("txtName"), "Floor");
    LeaveBox("txtLength");
    LeaveBox("txtName");
    EXPECT_FLOAT_EQ(Area(1).Length(), 50.0f);
    EXPECT_EQ(Area(1).Name(), "Floor");
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(SeatingAreasWindowTest, TypingAndLeavingCommitsOnce)
{
    ThreeAreas();
    list_->setCurrentRow(0);
    TypeInto("txtLength", QStringLiteral("45"));
    LeaveBox("txtLength");
    EXPECT_FLOAT_EQ(Area(1).Length(), 45.0f);
    EXPECT_TRUE(lifecycle_.IsDirty());
    lifecycle_.ClearDirty();
    LeaveBox("txtLength");
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(SeatingAreasWindowTest, AVenueWithoutAreasEmptiesTheListAndTheEditors)
{
    ThreeAreas();
    list_->setCurrentRow(2);
    lifecycle_.NewVenue();
    EXPECT_EQ(lifecycle_.Venue().SeatingAreas().Count(), 0);
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(seats_->SelectedArea(), 0);
    EXPECT_TRUE(EditorsDisabledAndEmpty());
}

TEST_F(SeatingAreasWindowTest, ARefreshKeepsTheSelectionWithinTheAreasLeft)
{
    ThreeAreas();
    list_->setCurrentRow(2);
    Areas().Remove(3);
    Areas().Remove(2);
    hub_.UpdateInterfaces(UpdateScope::ResultsAndAreas, false);
    EXPECT_EQ(seats_->SelectedArea(), 1);
    EXPECT_EQ(Text("txtName"), "Floor");

    // Same count, new names: the list follows without moving the selection.
    Area(1).SetName("Main floor");
    hub_.UpdateInterfaces(UpdateScope::All, false);
    EXPECT_EQ(Entry(0), "Main floor");
    EXPECT_EQ(Text("txtName"), "Main floor");
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(SeatingAreasWindowTest, F1OpensTheSeatingAreasTopic)
{
    QTest::keyClick(list_, Qt::Key_F1);
    ASSERT_EQ(help_.Calls().size(), 1u);
    EXPECT_EQ(help_.Calls()[0].topic, "reference_seating_areas");
}

} // namespace
} // namespace polvane
