#include "windows/tools/CellConfigurationsWindow.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "../controls/LinkListKeys.h"
#include "model/Format.h"
#include "model/ProductTables.h"
#include "windows/controls/LinkLabel.h"
#include "windows/controls/TextContrast.h"
#include "windows/base/ToolWindowHost.h"

namespace polvane {
namespace {

using Column = CellConfigurationsWindow::Column;

class CellConfigurationsWindowTest : public ToolWindowFixture {
protected:
    CellConfigurationsWindowTest()
    {
        context_.runAutoConfigure = [this] { ++autoConfigureRuns_; };
        SetCellCount(8);
        window_.SetToolWindowSlot(ToolWindowId::CellConfigurations, &host_);
        window_.findChild<QAction*>(QStringLiteral("mnuViewCellConfigurations"))->trigger();
        cells_ = dynamic_cast<CellConfigurationsWindow*>(host_.Window());
    }
    ~CellConfigurationsWindowTest() override
    {
        for (const auto popup : {MainWindow::Popup::Type, MainWindow::Popup::Splay,
                                 MainWindow::Popup::Attenuation, MainWindow::Popup::Extras})
            window_.PopupMenu(popup)->hide();
    }

    Cells& TheCells() { return lifecycle_.Venue().LineArray().Cells(); }
    // Builds the column through the model, as a loaded file would, and refreshes.
    void SetCellCount(int count)
    {
        while (TheCells().Count() > 0)
            TheCells().Remove(1);
        for (int cell = 0; cell < count; ++cell)
            TheCells().Add();
        hub_.UpdateInterfaces(UpdateScope::All, true);
        lifecycle_.ClearDirty();
    }
    int VisibleRows() const
    {
        int rows = 0;
        for (int row = 1; row <= CellConfigurationsWindow::kRowCount; ++row)
            rows += cells_->RowAt(row).number->isVisibleTo(cells_) ? 1 : 0;
        return rows;
    }
    std::string Text(const QLabel* label) const { return label->text().toStdString(); }
    void Commit(const QString& text)
    {
        cells_->txtCellCount()->setFocus();
        cells_->txtCellCount()->selectAll();
        QTest::keyClicks(cells_->txtCellCount(), text);
        QTest::keyClick(cells_->txtCellCount(), Qt::Key_Return);
    }
    QAction* Item(MainWindow::Popup popup, int item) const { return window_.PopupItem(popup, item); }
    int VisibleItems(MainWindow::Popup popup) const
    {
        int items = 0;
        for (int item = 1; item <= MainWindow::kPopupItemCount; ++item)
            items += Item(popup, item)->isVisible() ? 1 : 0;
        return items;
    }
    QColor ColorOf(const QLabel* label) const { return label->palette().color(QPalette::WindowText); }
    QColor Shading(int row) const { return cells_->RowAt(row).background->palette().color(QPalette::Window); }
    // A text of the grid reads plainly on the shading of either kind of row.
    void ExpectReadable(const QColor& text, double least, const std::string& what) const
    {
        for (const int row : {1, 2}) {
            EXPECT_GE(TextContrast::Ratio(text, Shading(row)), least)
                << what << ": " << text.name().toStdString() << " on " << Shading(row).name().toStdString();
        }
    }
    // An infinite throw reads as grey, yet plainly.
    void ExpectReadableGrey(const QLabel* label) const
    {
        EXPECT_NE(ColorOf(label), ColorOf(cells_->RowAt(1).number)) << "not told from a distance";
        ExpectReadable(ColorOf(label), TextContrast::kReadable, "an infinite throw");
    }

    ToolWindowHost host_{context_, [](ToolWindowContext& context) { return new CellConfigurationsWindow(context); }};
    CellConfigurationsWindow* cells_ = nullptr;
    int autoConfigureRuns_ = 0;
};

TEST_F(CellConfigurationsWindowTest, ShowsOneRowPerCellAndShrinksBelowTheLastRow)
{
    ASSERT_NE(cells_, nullptr);
    EXPECT_EQ(cells_->objectName(), "frmCellConfigurations");
    struct Case {
        int count;
        int rows;
    };
    for (const Case c : {Case{4, 4}, Case{24, 24}, Case{30, 24}}) {
        SetCellCount(c.count);
        EXPECT_EQ(VisibleRows(), c.rows) << c.count;
        EXPECT_EQ(cells_->txtCellCount()->text().toInt(), c.count);
        // 350 twips below the top of the last row's number label, at 15 twips a pixel.
        EXPECT_EQ(cells_->height(), std::lround((1320 + 340 * (c.rows - 1) + 350) / 15.0)) << c.count;
    }
    SetCellCount(4);
    EXPECT_EQ(cells_->RowAt(4).number->text(), "4");
    EXPECT_FALSE(cells_->RowAt(5).splayUp->isVisibleTo(cells_));
    EXPECT_FALSE(cells_->RowAt(5).background->isVisibleTo(cells_));
}

TEST_F(CellConfigurationsWindowTest, RowsShowTheCellsAndTheirResults)
{
    const Cell& cell = TheCells().Item(2);
    const CellConfigurationsWindow::Row& row = cells_->RowAt(2);
    EXPECT_EQ(Text(row.type), Format::FormatCellType(cell.CellType()));
    EXPECT_EQ(Text(row.splay), Format::FormatDegrees(cell.SplayAngle().Degrees()));
    EXPECT_EQ(Text(row.attenuation), Format::FormatAttentuation(cell.Attenuation()));
    EXPECT_EQ(Text(row.pinning), Format::FormatPinning(cell.PinPosition()));
    EXPECT_EQ(Text(row.angle), Format::FormatDegrees(session_.Results().CellResults.at(1).Aim.Degrees()));
    // The blank venue has no seating area: no cell's sound path meets one.
    EXPECT_EQ(Text(row.throwDistance), CellConfigurationsWindow::kInfinite);
    ExpectReadableGrey(row.throwDistance);
}

// While Auto-Configure runs the main window's work area is disabled and the grid is
// refreshed with each better result: every text of it must grey alike, the coloured ones
// (an infinite throw, a highlighted row, a column whose list was opened) too.
TEST_F(CellConfigurationsWindowTest, TheWholeGridGreysWhileTheWindowIsDisabled)
{
    QTest::mouseClick(cells_->RowAt(2).splay, Qt::LeftButton);
    window_.PopupMenu(MainWindow::Popup::Splay)->hide();
    hub_.HighlightCell(3);
    window_.MdiArea()->setEnabled(false);
    hub_.UpdateInterfaces(UpdateScope::Results, true);
    ASSERT_FALSE(cells_->isEnabled());
    // Grey, yet still to be read.
    const QColor disabled = cells_->RowAt(1).number->palette().color(QPalette::Disabled, QPalette::WindowText);
    ExpectReadable(disabled, TextContrast::kGreyedReadable, "greyed");
    EXPECT_LT(TextContrast::Ratio(disabled, Shading(1)), TextContrast::Ratio(cells_->RowAt(1).number->palette().color(QPalette::Active, QPalette::WindowText), Shading(1)))
        << "greyed reads fainter than the ordinary text";
    const QImage picture = cells_->grab().toImage();
    const double ratio = picture.devicePixelRatio();
    for (int index = 1; index <= 8; ++index) {
        const CellConfigurationsWindow::Row& row = cells_->RowAt(index);
        for (const QLabel* label : std::initializer_list<const QLabel*>{
                 row.number, row.type, row.angle, row.throwDistance, row.pinning, row.splay, row.attenuation}) {
            const std::string name = label->objectName().toStdString();
            EXPECT_EQ(label->palette().color(QPalette::Disabled, QPalette::WindowText), disabled) << name;
            // Nothing drawn in it is darker than the disabled text.
            const QRect area(label->geometry().topLeft() * ratio, label->geometry().size() * ratio);
            int darkest = 255;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    darkest = std::min(darkest, qGray(picture.pixel(x, y)));
            EXPECT_GE(darkest, qGray(disabled.rgb()) - 8) << name << " \"" << label->text().toStdString() << "\"";
        }
    }
    window_.MdiArea()->setEnabled(true);
    hub_.ClearHighlightedCell();
}

// At start the windows come back where the last run stored them before the venue is read:
// this one opens at the height of its title bar and grows once the venue's 24 cells fill
// it. Stored by a run with 11 cells, its place lets it run past the bottom of the work
// area. It must paint whole, as far as the work area shows it: its shadings, row numbers,
// buttons and the count row, not only the labels whose texts changed.
TEST_F(CellConfigurationsWindowTest, PaintsWholeWhenItGrowsAfterOpeningAtAStoredPlace)
{
    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetCellCount(24);
    store_.SaveSetting(SettingsStore::kWindowPositions, "Cell Configurations", "1,13695,5130");
    window_.setWindowState(Qt::WindowNoState);
    window_.setGeometry(0, 0, 1366, 738);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    window_.ShowWindows();
    cells_ = dynamic_cast<CellConfigurationsWindow*>(host_.Window());
    ASSERT_NE(cells_, nullptr);
    ASSERT_TRUE(cells_->isVisible());
    QCoreApplication::processEvents();
    hub_.UpdateInterfaces(UpdateScope::All, true); // the venue read
    const QWidget* area = window_.MdiArea()->viewport();
    ASSERT_GT(cells_->mapTo(area, QPoint(0, cells_->height())).y(), area->height()) << "runs past the bottom";
    // With 24 cells every control shows but the Extras button, hidden without God mode.
    for (const QWidget* control : cells_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != cells_->cmdExtras()) {
            EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
        }
    }

    // What a control shows on the screen: mostly what lies behind it, and darker text.
    const auto painted = [this](const QImage& screen, const QWidget& control, const QColor& behind) {
        const QRect place(control.mapTo(&window_, QPoint(0, 0)), control.size());
        int back = 0, text = 0;
        for (int y = place.top(); y <= place.bottom(); ++y) {
            for (int x = place.left(); x <= place.right(); ++x) {
                const QColor pixel = screen.pixelColor(x, y);
                back += TextContrast::Ratio(pixel, behind) < 1.1 ? 1 : 0;
                text += TextContrast::Ratio(pixel, behind) >= 3 ? 1 : 0;
            }
        }
        return back > place.width() * place.height() / 3 && text > 0;
    };
    const QColor windowBack = cells_->palette().color(QPalette::Window);
    const QLabel* count = nullptr;
    for (const QLabel* label : cells_->findChildren<QLabel*>())
        count = label->text() == "Count:" ? label : count;
    ASSERT_NE(count, nullptr);
    int rows = 0;
    std::string missing;
    const bool whole = QTest::qWaitFor([&] {
        const QImage screen = window_.screen()->grabWindow(window_.winId()).toImage();
        rows = 0;
        missing.clear();
        if (!painted(screen, *count, windowBack))
            missing = "the count label";
        for (int index = 1; index <= 24 && missing.empty(); ++index) {
            const CellConfigurationsWindow::Row& row = cells_->RowAt(index);
            if (row.number->mapTo(area, QPoint(0, row.number->height())).y() > area->height())
                break;
            if (!painted(screen, *row.number, Shading(index)) || !painted(screen, *row.type, Shading(index)) ||
                !painted(screen, *row.splayUp, row.splayUp->palette().color(QPalette::Button)))
                missing = "row " + std::to_string(index);
            else
                ++rows;
        }
        return missing.empty() && rows > 0;
    }, 10000);
    EXPECT_TRUE(whole) << "not painted: " << missing;
    EXPECT_GE(rows, 12);
}

TEST_F(CellConfigurationsWindowTest, CountButtonsStopAtTheLimitsYetRefreshAndMarkTheVenue)
{
    struct Case {
        int start;
        bool up;
        int after;
    };
    for (const Case c : {Case{24, true, 24}, Case{4, false, 4}, Case{8, true, 9}, Case{8, false, 7},
                         Case{30, true, 30}, Case{30, false, 29}, Case{2, false, 2}, Case{0, true, 1}}) {
        SetCellCount(c.start);
        if (c.start > 0)
            TheCells().Item(c.start).SetCellType(TheCells().Item(1).CellType() == 0 ? 1 : 0);
        const int lastType = c.start > 0 ? TheCells().Item(c.start).CellType() : -1;
        if (c.up)
            cells_->CountUp();
        else
            cells_->CountDown();
        EXPECT_EQ(TheCells().Count(), c.after) << c.start << (c.up ? " up" : " down");
        EXPECT_TRUE(lifecycle_.IsDirty()) << c.start;
        EXPECT_EQ(cells_->txtCellCount()->text().toInt(), c.after) << "refreshed";
        EXPECT_EQ(cells_->txtCellCount()->selectedText(), cells_->txtCellCount()->text());
        if (c.up && c.after > c.start && lastType >= 0) {
            EXPECT_EQ(TheCells().Item(c.after).CellType(), lastType) << "the type of the last cell";
        }
    }
}

TEST_F(CellConfigurationsWindowTest, TheCountBoxCommitsARoundedClampedCount)
{
    struct Case {
        const char* typed;
        int count;
        bool changes = true;
    };
    // A text without a number changes nothing.
    for (const Case c : {Case{"2", 4}, Case{"30", 24}, Case{"6.5", 6}, Case{"7.5", 8}, Case{"none", 8, false},
                         Case{"12 cells", 12}, Case{"1e300", 24}, Case{"6,5", 6}}) {
        SetCellCount(8);
        Commit(QString::fromUtf8(c.typed));
        EXPECT_EQ(TheCells().Count(), c.count) << c.typed;
        EXPECT_EQ(lifecycle_.IsDirty(), c.changes) << c.typed;
        EXPECT_EQ(cells_->txtCellCount()->text().toInt(), c.count);
    }
}

TEST_F(CellConfigurationsWindowTest, RaisingTheCountAddsCellsOfTheLastCellsType)
{
    SetCellCount(4);
    const int type = TheCells().Item(1).CellType() == 0 ? 1 : 0;
    TheCells().Item(4).SetCellType(type);
    Commit(QStringLiteral("8"));
    ASSERT_EQ(TheCells().Count(), 8);
    for (int cell = 5; cell <= 8; ++cell)
        EXPECT_EQ(TheCells().Item(cell).CellType(), type) << cell;
}

TEST_F(CellConfigurationsWindowTest, EscRestoresTheCountWithoutCommitting)
{
    cells_->txtCellCount()->setFocus();
    QTest::keyClicks(cells_->txtCellCount(), QStringLiteral("12"));
    QTest::keyClick(cells_->txtCellCount(), Qt::Key_Escape);
    EXPECT_EQ(cells_->txtCellCount()->text(), "8");
    cells_->cmdAutodesign()->setFocus();
    EXPECT_EQ(TheCells().Count(), 8);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(CellConfigurationsWindowTest, RowButtonsStepTheirCell)
{
    Cell& cell = TheCells().Item(3);
    const std::vector<Angle> splays = cell.GetPossibleSplays();
    ASSERT_GE(splays.size(), 2u);
    cell.SetSplayIndex(1);
    cells_->Refresh();
    cells_->RowAt(3).splayUp->click();
    EXPECT_EQ(cell.GetSplayIndex(), 2);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_EQ(Text(cells_->RowAt(3).splay), Format::FormatDegrees(splays[1].Degrees()));
    cells_->RowAt(3).splayDown->click();
    EXPECT_EQ(cell.GetSplayIndex(), 1);

    const float before = cell.Attenuation();
    cells_->RowAt(3).attenDown->click();
    cells_->RowAt(3).attenUp->click();
    EXPECT_FLOAT_EQ(cell.Attenuation(), before);
    EXPECT_EQ(TheCells().Item(2).GetSplayIndex(), TheCells().Item(4).GetSplayIndex()) << "only row 3 moved";
}

// A first cell that kept the splay of the cell it was (a flown KV9 at 10 degrees, where its
// list ends at 5) hangs from no pin hole: the grid says so in words and not as hole 0, and
// the arrows go to the nearest listed splay their way.
TEST_F(CellConfigurationsWindowTest, ASplayNoHoleGivesIsToldAndItsArrowsGoToTheNearestSplay)
{
    ASSERT_EQ(TheCells().Item(1).CellType(), 0);
    TheCells().Item(2).SplayAngle().SetDegrees(10);
    TheCells().Remove(1);
    hub_.UpdateInterfaces(UpdateScope::Results, true);
    const CellConfigurationsWindow::Row& row = cells_->RowAt(1);
    ASSERT_EQ(Text(row.splay), "10.0\u00b0");
    EXPECT_EQ(Text(row.pinning), Format::kNoHole);

    QTest::mouseClick(row.splayUp, Qt::LeftButton);
    EXPECT_EQ(Text(row.splay), "10.0\u00b0") << "nothing lies above 10 degrees";
    QTest::mouseClick(row.splayDown, Qt::LeftButton);
    EXPECT_EQ(Text(row.splay), "5.0\u00b0");
    EXPECT_EQ(Text(row.pinning), "Hole 7");

    // The real hole 0 of a stacked first KV7 still reads as hole 0.
    lifecycle_.Venue().LineArray().SetBrand(BrandCode::TarvicKv7);
    lifecycle_.Venue().LineArray().SetConfiguration(ConfigurationCode::GroundStacked);
    TheCells().Item(1).SplayAngle().SetDegrees(-5.5);
    hub_.UpdateInterfaces(UpdateScope::Results, true);
    EXPECT_EQ(Text(row.type), "KV7");
    EXPECT_EQ(Text(row.pinning), "Hole 0");
}

TEST_F(CellConfigurationsWindowTest, SplayListFillsThePopupAndTheChoiceSetsTheRememberedRow)
{
    const std::vector<Angle> splays = TheCells().Item(2).GetPossibleSplays();
    ASSERT_GE(splays.size(), 2u);
    cells_->PopupList(Column::Splay, 2);
    EXPECT_EQ(cells_->RememberedRow(), 2);
    EXPECT_EQ(VisibleItems(MainWindow::Popup::Splay), static_cast<int>(splays.size()));
    EXPECT_EQ(ColorOf(cells_->RowAt(2).splay), cells_->HighlightColor());
    EXPECT_TRUE(window_.PopupMenu(MainWindow::Popup::Splay)->isVisible());
    const int last = static_cast<int>(splays.size());
    EXPECT_EQ(Item(MainWindow::Popup::Splay, last)->text().toStdString(),
              Format::FormatDegrees(splays.back().Degrees()));

    // The Cancel item tells nothing.
    window_.findChild<QAction*>(QStringLiteral("mnuSplayCancel"))->trigger();
    EXPECT_FALSE(lifecycle_.IsDirty());

    Item(MainWindow::Popup::Splay, last)->trigger();
    EXPECT_NEAR(TheCells().Item(2).SplayAngle().Degrees(), splays.back().Degrees(), 1e-4);
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_NE(ColorOf(cells_->RowAt(2).splay), cells_->HighlightColor());
    EXPECT_EQ(Text(cells_->RowAt(2).splay), Format::FormatDegrees(splays.back().Degrees()));
}

TEST_F(CellConfigurationsWindowTest, ATypeWithoutASwapGroupIsToldAndOffersNothing)
{
    TheCells().Item(5).SetCellType(ProductTables::kUnknownCellType);
    cells_->PopupList(Column::Type, 5);
    ASSERT_FALSE(prompts_.Requests().empty());
    EXPECT_EQ(prompts_.Last().text, CellConfigurationsWindow::kNoCellTypesText);
    EXPECT_EQ(VisibleItems(MainWindow::Popup::Type), 0);
}

TEST_F(CellConfigurationsWindowTest, TypeAndAttenuationChoicesReachTheirCell)
{
    const std::vector<int> types = TheCells().Item(5).GetPossibleCellTypes();
    ASSERT_FALSE(types.empty());
    cells_->PopupList(Column::Type, 5);
    ASSERT_EQ(VisibleItems(MainWindow::Popup::Type), static_cast<int>(types.size()));
    const int pick = static_cast<int>(types.size());
    EXPECT_EQ(Item(MainWindow::Popup::Type, pick)->text().toStdString(), Format::FormatCellType(types.back()));
    Item(MainWindow::Popup::Type, pick)->trigger();
    EXPECT_EQ(TheCells().Item(5).CellType(), types.back());

    const std::vector<float> attens = TheCells().Item(6).GetPossibleCellAttenuations();
    ASSERT_GE(attens.size(), 2u);
    cells_->PopupList(Column::Attenuation, 6);
    EXPECT_EQ(VisibleItems(MainWindow::Popup::Attenuation), static_cast<int>(attens.size()));
    Item(MainWindow::Popup::Attenuation, 2)->trigger();
    EXPECT_FLOAT_EQ(TheCells().Item(6).Attenuation(),
                    std::stof(Format::FormatAttentuation(attens[1])));
}

// A choice carries its value: what the item shows is for the user alone.
TEST_F(CellConfigurationsWindowTest, AChoiceTravelsAsItsValueNotItsCaption)
{
    const std::vector<Angle> splays = TheCells().Item(3).GetPossibleSplays();
    ASSERT_GE(splays.size(), 2u);
    cells_->PopupList(Column::Splay, 3);
    const int last = static_cast<int>(splays.size());
    Item(MainWindow::Popup::Splay, last)->setText(QStringLiteral("the widest"));
    Item(MainWindow::Popup::Splay, last)->trigger();
    EXPECT_EQ(TheCells().Item(3).SplayAngle().Degrees(), splays.back().Degrees());

    const std::vector<float> attens = TheCells().Item(6).GetPossibleCellAttenuations();
    ASSERT_GE(attens.size(), 2u);
    cells_->PopupList(Column::Attenuation, 6);
    Item(MainWindow::Popup::Attenuation, 2)->setText(QStringLiteral("second"));
    Item(MainWindow::Popup::Attenuation, 2)->trigger();
    EXPECT_EQ(TheCells().Item(6).Attenuation(), attens[1]);
}

// Up and Down in the count box do what its arrow buttons do.
TEST_F(CellConfigurationsWindowTest, UpAndDownInTheCountBoxStepAsTheArrowButtons)
{
    struct Case {
        int start;
        Qt::Key key;
        int after;
    };
    for (const Case c : {Case{8, Qt::Key_Up, 9}, Case{8, Qt::Key_Down, 7}, Case{24, Qt::Key_Up, 24},
                         Case{4, Qt::Key_Down, 4}}) {
        SetCellCount(c.start);
        QTest::keyClick(cells_->txtCellCount(), c.key);
        EXPECT_EQ(TheCells().Count(), c.after) << c.start;
        EXPECT_TRUE(lifecycle_.IsDirty()) << c.start;
        EXPECT_EQ(cells_->txtCellCount()->text().toInt(), c.after);
        EXPECT_EQ(cells_->txtCellCount()->selectedText(), cells_->txtCellCount()->text());
    }
    SetCellCount(8);
    QTest::keyClick(cells_->txtCellCount(), Qt::Key_Up, Qt::KeypadModifier);
    EXPECT_EQ(TheCells().Count(), 9);
}

// From the keyboard alone: Tab walks the grid as it reads, row by row, and a type value
// opens its list where a click does; the arrows and Return choose, and the cell changes.
TEST_F(CellConfigurationsWindowTest, TheKeyboardReachesAndChangesACellsType)
{
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    cells_->cmdAutodesign()->setFocus(Qt::TabFocusReason);
    const auto name = [](int row, const char* base) {
        return std::string(base) + "(" + std::to_string(row) + ")";
    };
    const std::vector<std::string> expected = {
        "txtCellCount",  "cmdCellCountUp", "cmdCellCountDown",
        name(1, "lblCellType"), name(1, "lblCellSplay"), name(1, "cmdSplayUp"), name(1, "cmdSplayDown"),
        name(1, "lblCellAttenuation"), name(1, "cmdAttenUp"), name(1, "cmdAttenDown"),
        name(2, "lblCellType"),
    };
    std::vector<std::string> reached;
    for (std::size_t step = 0; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    ASSERT_EQ(reached, expected);

    LinkLabel* type = cells_->RowAt(2).type;
    const std::vector<int> types = TheCells().Item(2).GetPossibleCellTypes();
    ASSERT_GE(types.size(), 2u);
    ASSERT_NE(TheCells().Item(2).CellType(), types[1]);
    QMenu& list = *window_.PopupMenu(MainWindow::Popup::Type);
    link_keys::ExpectKeyOpensWhereAClickDoes(*type, list, Qt::Key_Space);
    link_keys::ChooseWithKeys(list, 2);
    EXPECT_EQ(TheCells().Item(2).CellType(), types[1]);
    EXPECT_EQ(Text(type), Format::FormatCellType(types[1]));
    EXPECT_TRUE(lifecycle_.IsDirty());
    EXPECT_TRUE(type->hasFocus()) << "the focus stays on the value for the next change";
}

TEST_F(CellConfigurationsWindowTest, AChoiceForARowTheColumnLostChangesNothing)
{
    cells_->PopupList(Column::Splay, 8);
    SetCellCount(4);
    Item(MainWindow::Popup::Splay, 1)->trigger();
    EXPECT_EQ(TheCells().Count(), 4);
    EXPECT_FALSE(lifecycle_.IsDirty());
    // A hidden item was not filled by this window.
    cells_->PopupList(Column::Splay, 1);
    const int hidden = VisibleItems(MainWindow::Popup::Splay) + 1;
    ASSERT_LE(hidden, MainWindow::kPopupItemCount);
    cells_->SetSplay(hidden);
    EXPECT_FALSE(lifecycle_.IsDirty());
}

TEST_F(CellConfigurationsWindowTest, TheMenuOpensToTheLeftNearTheScreensRightEdge)
{
    window_.move(0, 0);
    const QLabel& label = *cells_->RowAt(1).splay;
    const QPoint right = label.mapToGlobal(QPoint(label.width(), 0));
    const auto near = cells_->PlacementOf(label);
    EXPECT_FALSE(near.rightAligned);
    EXPECT_EQ(near.at, right);

    const int shift = 1280 * 9 / 10 - right.x() + 1;
    window_.move(window_.x() + shift, 0);
    const QPoint moved = label.mapToGlobal(QPoint(label.width(), 0));
    ASSERT_GT(moved.x(), 1152);
    const auto far = cells_->PlacementOf(label);
    EXPECT_TRUE(far.rightAligned);
    EXPECT_EQ(far.at, QPoint(moved.x(), moved.y() + label.height()));
}

TEST_F(CellConfigurationsWindowTest, HighlightedCellColoursItsRow)
{
    hub_.HighlightCell(3);
    const CellConfigurationsWindow::Row& row = cells_->RowAt(3);
    for (const QLabel* label : std::initializer_list<const QLabel*>{
             row.number, row.type, row.angle, row.throwDistance, row.pinning, row.splay, row.attenuation})
        EXPECT_EQ(ColorOf(label), cells_->HighlightColor()) << label->objectName().toStdString();
    EXPECT_NE(ColorOf(cells_->RowAt(2).type), cells_->HighlightColor());
    ExpectReadable(cells_->HighlightColor(), TextContrast::kReadable, "the highlight");

    hub_.ClearHighlightedCell();
    EXPECT_EQ(ColorOf(row.type), ColorOf(cells_->RowAt(2).type));
    ExpectReadable(ColorOf(row.type), TextContrast::kReadable, "the text");
    ExpectReadableGrey(row.throwDistance);
}

TEST_F(CellConfigurationsWindowTest, AutoConfigureAndTheExtrasButtonFollowGodMode)
{
    cells_->cmdAutodesign()->click();
    EXPECT_EQ(autoConfigureRuns_, 1);
    EXPECT_TRUE(cells_->cmdExtras()->isHidden());
    EXPECT_EQ(cells_->cmdAutodesign()->width(), 3615 / 15);

    options_.SetGodMode(true);
    cells_->Refresh();
    EXPECT_FALSE(cells_->cmdExtras()->isHidden());
    EXPECT_EQ(cells_->cmdAutodesign()->width(), 3135 / 15);
    cells_->cmdExtras()->click();
    EXPECT_TRUE(window_.PopupMenu(MainWindow::Popup::Extras)->isVisible());

    options_.SetGodMode(false);
    cells_->Refresh();
    EXPECT_TRUE(cells_->cmdExtras()->isHidden());
    EXPECT_EQ(cells_->cmdAutodesign()->width(), 3615 / 15);
}

// The rows, the count row and the buttons are placed by hand: at a font twice the size they
// must still hold their widest texts and keep clear of one another.
TEST_F(CellConfigurationsWindowTest, AtTwiceTheFontTextsFitAndNoControlsOverlap)
{
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 2);
    QApplication::setFont(large);
    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetCellCount(24);
    for (int index = 1; index <= 24; ++index) {
        Cell& cell = TheCells().Item(index);
        cell.SetAttenuation(-6.0f);
        if (!cell.GetPossibleSplays().empty())
            cell.SetSplayIndex(static_cast<int>(cell.GetPossibleSplays().size()));
    }
    options_.SetGodMode(true);
    window_.findChild<QAction*>(QStringLiteral("mnuViewCellConfigurations"))->trigger();
    cells_ = dynamic_cast<CellConfigurationsWindow*>(host_.Window());
    ASSERT_NE(cells_, nullptr);

    std::vector<const QWidget*> controls;
    for (const QWidget* control : cells_->findChildren<QWidget*>()) {
        // The row shadings lie beneath their rows by design.
        if (control->isVisibleTo(cells_) && !control->objectName().startsWith(QStringLiteral("ShapeBkg")))
            controls.push_back(control);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::string name = controls[i]->objectName().toStdString();
        EXPECT_TRUE(cells_->rect().contains(controls[i]->geometry())) << name;
        if (const auto* label = qobject_cast<const QLabel*>(controls[i])) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
                << name << " \"" << label->text().toStdString() << "\"";
        }
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << name << " and " << controls[j]->objectName().toStdString();
        }
    }
    QApplication::setFont(normal);
}

TEST_F(CellConfigurationsWindowTest, ClosingTheWindowReleasesThePopupMenus)
{
    cells_->PopupList(Column::Splay, 2);
    host_.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Item(MainWindow::Popup::Splay, 1)->trigger();
    EXPECT_FALSE(lifecycle_.IsDirty());
    EXPECT_EQ(StoredPlace("Cell Configurations").substr(0, 2), "0,");
}

} // namespace
} // namespace polvane
