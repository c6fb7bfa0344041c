#include "windows/dialogs/OptionsDialog.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "../ToolWindowFixture.h"
#include "../TypingLocale.h"
#include "files/FileData.h"
#include "shell/options/ArgbColor.h"
#include "shell/options/ColorTable.h"
#include "shell/session/RefreshableWindow.h"
#include "windows/dialogs/ChooseColorDialog.h"
#include "support/LayoutsAtRest.h"
#include "windows/controls/LinkLabel.h"

namespace polvane {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t C(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ArgbColor::MakeARGB(a, r, g, b);
}

class RecordingWindow : public RefreshableWindow {
public:
    void Refresh() override { ++refreshes; }
    void RefreshGraphicsObjects() override { ++graphics; }
    int refreshes = 0;
    int graphics = 0;
};

// The dialog over the shell of the tool-window tests, its presets in a folder of the test's
// own and every modal showing scripted: `user` acts while the dialog is "shown".
class OptionsDialogTest : public ToolWindowFixture {
protected:
    OptionsDialogTest()
    {
        options_.ReadColors();
        registry_.Register(ToolWindowId::ArrayPicture, &picture_);
        registry_.Register(ToolWindowId::ArrayConfiguration, &configuration_);
    }
    ~OptionsDialogTest() override
    {
        registry_.Unregister(ToolWindowId::ArrayPicture);
        registry_.Unregister(ToolWindowId::ArrayConfiguration);
    }

    std::string Folder() const { return (fs::path(temp_.path().toStdString()) / "Custom Color Presets").string(); }
    std::string PresetPath(const std::string& name) const
    {
        return (fs::path(Folder()) / (name + ".color")).string();
    }
    OptionsDialog& Dialog()
    {
        if (!dialog_) {
            dialog_ = std::make_unique<OptionsDialog>(options_, prompts_, hub_, reporter_,
                                                      [this] { return metric_; }, Folder());
            dialog_->SetShowModal([this](QDialog& shown) {
                shown.show();
                if (shown.objectName() == "frmChooseColor")
                    chooser(static_cast<ChooseColorDialog&>(shown));
                else
                    user();
                shown.hide();
            });
        }
        return *dialog_;
    }
    template <class T>
    T* Find(const char* name)
    {
        T* found = Dialog().findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    QAction* Item(const char* name) { return Find<QAction>(name); }
    void ClickOk() { QTest::mouseClick(Find<QPushButton>("cmdOK"), Qt::LeftButton); }
    void ClickCancel() { QTest::mouseClick(Find<QPushButton>("cmdCancel"), Qt::LeftButton); }
    std::string Stored(std::string_view subKey, const char* name) const
    {
        return store_.ReadSetting(subKey, name).value_or("(none)");
    }
    void SelectColor(int index) { Find<QListWidget>("lstGraphItems")->setCurrentRow(index - 1); }

    RecordingWindow picture_;
    RecordingWindow configuration_;
    bool metric_ = false;
    std::function<void()> user = [] {};
    std::function<void(ChooseColorDialog&)> chooser = [](ChooseColorDialog&) {};
    std::unique_ptr<OptionsDialog> dialog_;
};

TEST_F(OptionsDialogTest, SpinControlsStepTheirBoxesByTheirRules)
{
    struct Step {
        const char* box;
        const char* spin;
        const char* from;
        int direction;
        const char* to;
    };
    const Step steps[] = {
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "25", 1, "30"},
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "30", 1, "40"},
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "25", -1, "20"},
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "30", -1, "20"},
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "5", -1, "1"},
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "1", -1, "1"},
        // No number: the box shows the option again, unstepped.
        {"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "seconds", 1, "30"},
        {"txtSnapTo", "spnSnapTo", "0.5", -1, "0.5"},
        {"txtSnapTo", "spnSnapTo", "2.5", -1, "2"},
        {"txtSnapTo", "spnSnapTo", "2.7", -1, "3"},
        {"txtSnapTo", "spnSnapTo", "1.5 ft", 1, "3"},
        {"txtSnapTo", "spnSnapTo", "3", 1, "4"},
        {"txtMRUEntries", "spnMRUEntires", "10", 1, "10"},
        {"txtMRUEntries", "spnMRUEntires", "4", 1, "5"},
        {"txtMRUEntries", "spnMRUEntires", "1", -1, "1"},
        {"txtMaxAutoCalcOverthrow", "spnMaxAutoCalcOverthrow", "0", -1, "-1"},
        {"txtMaxAutoCalcOverthrow", "spnMaxAutoCalcOverthrow", "-1", -1, "-2"},
        {"txtMaxAutoCalcUnderthrow", "spnMaxAutoCalcUnderthrow", "2.2", 1, "3"},
        {"txtMaxAutoCalcUnderthrow", "spnMaxAutoCalcUnderthrow", "2.2", -1, "2"},
    };
    for (const Step& step : steps) {
        Box(step.box)->setText(QString::fromUtf8(step.from));
        QSpinBox* spin = Find<QSpinBox>(step.spin);
        if (step.direction > 0)
            spin->stepUp();
        else
            spin->stepDown();
        EXPECT_EQ(Box(step.box)->text().toStdString(), step.to)
            << step.spin << " from " << step.from << " by " << step.direction;
        EXPECT_EQ(spin->value(), 0) << step.spin;
    }
}

TEST_F(OptionsDialogTest, ShowsTheOptionsInMemory)
{
    options_.SetNewVenueTemplate("/venues/Templates/Arena.Metric.venue");
    options_.SetMaxAutoConfigureTime(2500);
    options_.SetMaxAutoConfigureOverthrow(1.5f);
    options_.SetSnapToGridSize(0.25f);
    options_.SetShowWeights(false);
    options_.SetShowGrid(true);
    options_.SetNotesFont("Courier New");
    options_.SetNotesSize(12.0f);
    options_.SetNotesBold(true);
    metric_ = true;
    Dialog().Fill();

    EXPECT_EQ(Dialog().objectName(), "frmOptions");
    EXPECT_EQ(Dialog().windowTitle(), "Options");
    EXPECT_EQ(Find<QLabel>("lblDefaultVenueFile")->text(), "Arena.Metric");
    EXPECT_EQ(Box("txtMaxAutoCalcTime")->text(), "2.5");
    EXPECT_EQ(Box("txtMaxAutoCalcOverthrow")->text(), "1.5");
    EXPECT_EQ(Box("txtSnapTo")->text(), "0.25");
    EXPECT_EQ(Find<QLabel>("lblSnapToUnits")->text(), "meters");
    EXPECT_FALSE(Check("chkShowWeights")->isChecked());
    EXPECT_TRUE(Check("chkShowGrid")->isChecked());
    EXPECT_EQ(Find<QLabel>("lblFont")->text().toStdString(), "Courier New, 12pt, Bold");
    const QTabWidget* tabs = Find<QTabWidget>("tabOptions");
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(2), "Colors");
    EXPECT_EQ(Find<QListWidget>("lstGraphItems")->item(7)->text(), "Graph Lines");

    metric_ = false;
    Dialog().Fill();
    EXPECT_EQ(Find<QLabel>("lblSnapToUnits")->text(), "feet");
}

TEST_F(OptionsDialogTest, OkStoresEveryValueShownAndRefreshesTheWindows)
{
    options_.SetRecentFileListEntries(4);
    options_.SetShowRecentFileList(true);
    user = [this] {
        Box("txtMaxAutoCalcTime")->setText("12.5");
        Box("txtMaxAutoCalcOverthrow")->setText("3.25 degrees");
        Box("txtMaxAutoCalcUnderthrow")->setText("none");
        Box("txtSnapTo")->setText("0.5");
        Box("txtMRUEntries")->setText("9");
        Check("chkMRUList")->setChecked(false);
        Check("chkRefCalc")->setChecked(true);
        Check("chkShowWeights")->setChecked(false);
        Check("chkAntialias")->setChecked(false);
        ClickOk();
    };
    Dialog().Run();

    EXPECT_EQ(options_.MaxAutoConfigureTime(), 12500);
    EXPECT_EQ(Stored(SettingsStore::kGeneral, "Max Auto-Configure time (milliseconds)"), "12500");
    EXPECT_EQ(Stored(SettingsStore::kGeneral, "Max Auto-Configure overthrow (degrees)"), "3.25");
    EXPECT_EQ(Stored(SettingsStore::kGeneral, "Max Auto-Configure underthrow (degrees)"), "2")
        << "a box holding no number keeps its option";
    EXPECT_EQ(Stored(SettingsStore::kGeneral, "Snap to grid size (feet or meters)"), "0.5");
    EXPECT_EQ(Stored(SettingsStore::kEnableRefinement, "Enable Refinement Calculations"), "Yes");
    EXPECT_EQ(Stored(SettingsStore::kGraphAppearance, "Show weights"), "No");
    EXPECT_EQ(Stored(SettingsStore::kGraphAppearance, "Antialias"), "No");
    EXPECT_EQ(Stored(SettingsStore::kNotesWindow, "Font"), options_.NotesFont());
    EXPECT_EQ(Stored(SettingsStore::kColors, "Background"), "255,255,255,255");
    // The recent-file list is shown only.
    EXPECT_EQ(options_.RecentFileListEntries(), 4);
    EXPECT_TRUE(options_.ShowRecentFileList());

    EXPECT_EQ(picture_.graphics, 1);
    EXPECT_EQ(picture_.refreshes, 1);
    EXPECT_EQ(configuration_.refreshes, 0) << "scope 5 leaves the array configuration";
}

TEST_F(OptionsDialogTest, NumbersAnOptionCannotHoldKeepTheDialogOpenAndStoreNothing)
{
    struct Case {
        const char* box;
        const char* text;
    };
    for (const Case& bad : {Case{"txtMaxAutoCalcTime", "abc"}, Case{"txtMaxAutoCalcTime", "0.0001"},
                            Case{"txtMaxAutoCalcTime", "9999999"}, Case{"txtSnapTo", "0"},
                            Case{"txtSnapTo", "-2"}, Case{"txtMaxAutoCalcOverthrow", "1e39"},
                            Case{"txtSnapTo", "vierzig"}, Case{"txtMaxAutoCalcTime", ""}}) {
        const std::size_t asked = prompts_.Requests().size();
        bool stayed = false;
        user = [&] {
            Find<QTabWidget>("tabOptions")->setCurrentIndex(2);
            Box(bad.box)->setText(QString::fromUtf8(bad.text));
            Dialog().show();
            ClickOk();
            stayed = Dialog().isVisible() && Find<QTabWidget>("tabOptions")->currentIndex() == 0;
            ClickCancel();
        };
        Dialog().Run();
        EXPECT_TRUE(stayed) << bad.box << " " << bad.text;
        ASSERT_EQ(prompts_.Requests().size(), asked + 1) << bad.text;
        EXPECT_EQ(prompts_.Last().icon, MessageIcon::Exclamation);
        EXPECT_EQ(options_.MaxAutoConfigureTime(), 30000);
        EXPECT_EQ(options_.SnapToGridSize(), 1.0f);
        EXPECT_EQ(picture_.refreshes, 0);
    }
}

// Typed as a German user types them, on the main keys and the keypad, and under a plain
// desktop alike: a comma is a decimal one, and a box holding no number keeps its option.
TEST_F(OptionsDialogTest, TypedNumbersReadCommasAndAWordKeepsTheOption)
{
    const auto type = [this](const char* name, const QString& text) {
        QLineEdit* box = Box(name);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    };
    for (const QLocale& locale : {TypingLocale::German(), TypingLocale::Plain()}) {
        const TypingLocale typing(locale);
        options_.SetMaxAutoConfigureTime(30000);
        options_.SetMaxAutoConfigureOverthrow(4.0f);
        options_.SetMaxAutoConfigureUnderthrow(2.0f);
        options_.SetSnapToGridSize(1.0f);
        options_.SetClickAndDragVenueItems(true); // the snap box takes typing
        std::string underthrowShown;
        user = [&] {
            type("txtMaxAutoCalcTime", QStringLiteral("7,5"));
            QLineEdit* overthrow = Box("txtMaxAutoCalcOverthrow");
            overthrow->selectAll();
            QTest::keyClick(overthrow, '1', Qt::KeypadModifier);
            QTest::keyClick(overthrow, ',', Qt::KeypadModifier);
            QTest::keyClick(overthrow, '5', Qt::KeypadModifier);
            type("txtMaxAutoCalcUnderthrow", QStringLiteral("vierzig"));
            type("txtSnapTo", QStringLiteral("0,5 ft"));
            ClickOk();
            underthrowShown = Box("txtMaxAutoCalcUnderthrow")->text().toStdString();
        };
        Dialog().Run();
        const std::string name = locale.name().toStdString();
        EXPECT_EQ(options_.MaxAutoConfigureTime(), 7500) << name;
        EXPECT_EQ(options_.MaxAutoConfigureOverthrow(), 1.5f) << name;
        EXPECT_EQ(options_.MaxAutoConfigureUnderthrow(), 2.0f) << name;
        EXPECT_EQ(underthrowShown, "2") << name;
        EXPECT_EQ(options_.SnapToGridSize(), 0.5f) << name;
        EXPECT_EQ(Stored(SettingsStore::kGeneral, "Max Auto-Configure overthrow (degrees)"), "1.5") << name;
    }
}

// Up and Down in a box step it as its arrows do.
TEST_F(OptionsDialogTest, UpAndDownStepTheBoxesAsTheirArrowsDo)
{
    options_.SetClickAndDragVenueItems(true);
    Dialog().Fill();
    struct Step {
        const char* box;
        const char* spin;
        const char* from;
        int direction;
    };
    for (const Step& step : {Step{"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "25", 1},
                             Step{"txtMaxAutoCalcTime", "spnMaxAutoCalcTime", "5", -1},
                             Step{"txtSnapTo", "spnSnapTo", "0,5", -1}, Step{"txtSnapTo", "spnSnapTo", "2,5", -1},
                             Step{"txtMaxAutoCalcOverthrow", "spnMaxAutoCalcOverthrow", "0", -1},
                             Step{"txtMRUEntries", "spnMRUEntires", "4", 1},
                             Step{"txtMaxAutoCalcUnderthrow", "spnMaxAutoCalcUnderthrow", "warm", 1}}) {
        QLineEdit* box = Box(step.box);
        QSpinBox* spin = Find<QSpinBox>(step.spin);
        box->setText(QString::fromUtf8(step.from));
        if (step.direction > 0)
            spin->stepUp();
        else
            spin->stepDown();
        const QString byArrow = box->text();
        box->setText(QString::fromUtf8(step.from));
        QTest::keyClick(box, step.direction > 0 ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_EQ(box->text(), byArrow) << step.box << " from " << step.from;
        EXPECT_NE(box->text(), QString::fromUtf8(step.from)) << step.box << " from " << step.from;
        EXPECT_EQ(spin->value(), 0);
    }
}

TEST_F(OptionsDialogTest, RulesBetweenTheCheckBoxes)
{
    options_.SetClickAndDragVenueItems(false);
    options_.SetShowSoundPaths(false);
    Dialog().Fill();
    for (const char* name : {"chkSnapTo", "txtSnapTo", "spnSnapTo", "lblSnapToUnits"})
        EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
    EXPECT_FALSE(Check("chkShowSoundPathMisses")->isEnabled());

    Check("chkClickAndDrag")->setChecked(true);
    Check("chkShowSoundpaths")->setChecked(true);
    for (const char* name : {"chkSnapTo", "txtSnapTo", "spnSnapTo", "lblSnapToUnits"})
        EXPECT_TRUE(Find<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(Check("chkShowSoundPathMisses")->isEnabled());

    Check("chkShowCellSplayAngles")->setChecked(true);
    Check("chkShowCellPinningConfigurations")->setChecked(true);
    EXPECT_FALSE(Check("chkShowCellSplayAngles")->isChecked());
    Check("chkShowCellSplayAngles")->setChecked(true);
    EXPECT_FALSE(Check("chkShowCellPinningConfigurations")->isChecked());
}

TEST_F(OptionsDialogTest, CancelReadsTheColoursBackAndALaterOkIsStillAnOk)
{
    user = [this] {
        Item("mnuColorStandardRadar")->trigger();
        EXPECT_EQ(options_.Colors().Color(ColorTable::kBackground), C(255, 0, 0, 0));
        ClickCancel();
    };
    Dialog().Run();
    EXPECT_EQ(options_.Colors(), ColorTable());
    EXPECT_EQ(picture_.refreshes, 0);

    user = [this] {
        Item("mnuColorStandardRadar")->trigger();
        ClickOk();
    };
    Dialog().Run();
    ColorTable radar;
    ColorPresets::ApplyStandard(ColorPresets::Standard::RadarScreen, radar);
    EXPECT_EQ(options_.Colors(), radar);
    for (int index = 1; index <= ColorTable::kCount; ++index)
        EXPECT_EQ(Stored(SettingsStore::kColors, std::string(ColorTable::Name(index)).c_str()),
                  ArgbColor::RegistryColorOutput(radar.Color(index)));
    EXPECT_EQ(picture_.graphics, 1);
}

TEST_F(OptionsDialogTest, ChooseEditsTheSelectedColourUnlessCancelled)
{
    Dialog().Fill();
    SelectColor(ColorTable::kCellEdge);
    EXPECT_EQ(Find<QLabel>("lblRed")->text(), "Red: 72");

    std::uint32_t offered = 0;
    chooser = [&](ChooseColorDialog& dialog) {
        offered = dialog.Color();
        dialog.sldAlpha()->setValue(-10);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    };
    QTest::mouseClick(Find<QPushButton>("cmdChoose"), Qt::LeftButton);
    EXPECT_EQ(offered, C(255, 72, 96, 120));
    EXPECT_EQ(options_.Colors().Color(ColorTable::kCellEdge), C(255, 72, 96, 120));

    // The chooser is kept; its earlier Cancel does not swallow this OK.
    chooser = [](ChooseColorDialog& dialog) {
        dialog.sldAlpha()->setValue(-10);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    };
    QTest::mouseClick(Find<QPushButton>("cmdChoose"), Qt::LeftButton);
    EXPECT_EQ(options_.Colors().Color(ColorTable::kCellEdge), C(10, 72, 96, 120));
    EXPECT_EQ(Find<QLabel>("lblAlpha")->text(), "Alpha: 10");
}

// The list holds every colour's name whole, down to "Text", and the swatch's frame shows
// round a white like the dialog's own.
TEST_F(OptionsDialogTest, TheColoursPageShowsEveryNameWholeAndFramesTheSwatch)
{
    Dialog().Fill();
    Dialog().show();
    auto* tabs = Find<QTabWidget>("tabOptions");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
    ASSERT_EQ(tabs->currentIndex(), 2);
    ASSERT_TRUE(LayoutsAtRest::Await());
    auto* list = Find<QListWidget>("lstGraphItems");
    ASSERT_EQ(list->count(), ColorTable::kCount);
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))))
            << list->item(row)->text().toStdString();
    }
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);

    const auto click = [list](int index) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(index - 1)).center());
    };
    click(ColorTable::kCount);
    EXPECT_EQ(list->currentRow(), ColorTable::kCount - 1) << "the last entry takes a click";
    click(ColorTable::kBackground);
    ASSERT_EQ(options_.Colors().Color(ColorTable::kBackground), C(255, 255, 255, 255));
    auto* swatch = Find<QWidget>("picColor");
    const QImage shown = swatch->grab().toImage();
    const int w = shown.width(), h = shown.height();
    EXPECT_EQ(qGray(shown.pixel(w / 2, h / 2)), 255) << "the colour inside";
    for (const QPoint edge : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
        EXPECT_LT(qGray(shown.pixel(edge)), 128) << "the frame at " << edge.x() << "," << edge.y();
    Dialog().hide();
}

TEST_F(OptionsDialogTest, SavingAPresetRefusesBadNamesAndAsksBeforeReplacing)
{
    Dialog();
    EXPECT_TRUE(fs::is_directory(Folder()));
    EXPECT_FALSE(Find<QMenu>("mnuColorCustom")->menuAction()->isVisible());
    std::ofstream(PresetPath("hall")) << "(int) TEXT_ALPHA  1\r\n";
    const auto untouched = fs::file_size(PresetPath("hall"));

    // my.colors is refused; Hall matches hall: No asks again; an empty name ends it.
    prompts_.QueueText("my.colors");
    prompts_.QueueText("Hall");
    prompts_.QueueAnswer(MessageAnswer::No);
    prompts_.QueueText("");
    Item("mnuColorSaveCurrent")->trigger();
    const auto& requests = prompts_.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].text, "Please enter a name for this color preset:");
    EXPECT_EQ(requests[0].title, "Quessel Polvane");
    EXPECT_EQ(requests[1].text, "Preset names cannot contain any of the following characters:\r\n"
                                "\\ / : * ? \" < > | .");
    EXPECT_EQ(requests[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(requests[3].text, "The preset \"Hall\" already exists. Do you want to replace it?");
    EXPECT_EQ(requests[3].buttons, MessageButtons::YesNo);
    EXPECT_EQ(requests[3].icon, MessageIcon::Question);
    EXPECT_EQ(fs::file_size(PresetPath("hall")), untouched);

    // Yes replaces that very file; a new name adds one, listed at once.
    options_.Colors().SetColor(ColorTable::kText, C(1, 2, 3, 4));
    prompts_.QueueText("Hall");
    prompts_.QueueAnswer(MessageAnswer::Yes);
    Item("mnuColorSaveCurrent")->trigger();
    prompts_.QueueText("Arena & Stage");
    Item("mnuColorSaveCurrent")->trigger();
    EXPECT_EQ(ColorPresets::List(Folder()),
              (std::vector<ColorPresets::Saved>{{"Arena & Stage", PresetPath("Arena & Stage")},
                                                {"hall", PresetPath("hall")}}));
    FileData written;
    written.ReadFile(PresetPath("hall"));
    EXPECT_EQ(written.FindInteger("TEXT_BLUE"), 4);
    EXPECT_EQ(written.RecordCount(), 76u);
    ASSERT_EQ(Dialog().CustomPresetCount(), 2);
    EXPECT_EQ(Dialog().CustomPresetItem(1)->text(), "Arena && Stage");
    EXPECT_EQ(Dialog().CustomPresetItem(2)->text(), "hall");
    EXPECT_FALSE(Dialog().CustomPresetItem(0)->isVisible());
    EXPECT_TRUE(Find<QMenu>("mnuColorCustom")->menuAction()->isVisible());
}

TEST_F(OptionsDialogTest, PresetThatCannotBeWrittenIsReported)
{
    Dialog();
    fs::remove_all(Folder());
    // A file where the folder should be: neither the folder nor the preset can be made.
    std::ofstream(Folder()) << "x";
    prompts_.QueueText("Hall");
    Item("mnuColorSaveCurrent")->trigger();
    ASSERT_EQ(prompts_.Requests().size(), 2u);
    EXPECT_EQ(prompts_.Last().text.rfind("The color preset could not be saved to \"", 0), 0u)
        << prompts_.Last().text;
    EXPECT_EQ(options_.Colors(), ColorTable());
}

TEST_F(OptionsDialogTest, CustomPresetsSetTheColoursTheyHoldAndBadFilesChangeNothing)
{
    fs::create_directories(Folder());
    ColorTable radar;
    ColorPresets::ApplyStandard(ColorPresets::Standard::RadarScreen, radar);
    ColorPresets::Build(radar).WriteFile(PresetPath("Radar copy"));
    // Cut short in the middle of a line.
    std::ofstream(PresetPath("Broken"), std::ios::binary) << "(int) TEXT_ALPHA     1\r\n(int) TEXT_RE";
    {
        FileData partial;
        for (const char* part : {"_ALPHA", "_RED", "_GREEN", "_BLUE"})
            partial.AddInteger(std::string("TEXT") + part, 200);
        partial.AddInteger("BACKGROUND_ALPHA", 1);
        partial.AddInteger("BACKGROUND_RED", 999);
        partial.AddInteger("BACKGROUND_GREEN", 1);
        partial.AddInteger("BACKGROUND_BLUE", 1);
        partial.WriteFile(PresetPath("Partial"));
    }
    std::ofstream(PresetPath("Gone")) << "(int) A  1\r\n";
    Dialog();
    ASSERT_EQ(Dialog().CustomPresetCount(), 4);
    EXPECT_EQ(Dialog().CustomPresetItem(1)->text(), "Broken");
    fs::remove(PresetPath("Gone"));

    for (int item : {1, 2}) { // Broken, then Gone
        const std::size_t asked = prompts_.Requests().size();
        Dialog().CustomPresetItem(item)->trigger();
        ASSERT_EQ(prompts_.Requests().size(), asked + 1);
        EXPECT_NE(prompts_.Last().text.find("could not be read, so no color was changed"), std::string::npos);
        EXPECT_EQ(options_.Colors(), ColorTable());
    }

    Dialog().CustomPresetItem(3)->trigger(); // Partial
    EXPECT_EQ(options_.Colors().Color(ColorTable::kText), C(200, 200, 200, 200));
    EXPECT_EQ(options_.Colors().Color(ColorTable::kBackground), ColorTable::DefaultColor(ColorTable::kBackground));
    EXPECT_NE(prompts_.Last().text.find("Background"), std::string::npos);

    SelectColor(ColorTable::kBackground);
    Dialog().CustomPresetItem(4)->trigger(); // Radar copy
    EXPECT_EQ(options_.Colors(), radar);
    EXPECT_EQ(Find<QLabel>("lblRed")->text(), "Red: 0");
}

// A preset file damaged part-way (a hand edit, a cut copy) gives the colours it could read
// and says so; the colours after the damage keep theirs.
TEST_F(OptionsDialogTest, APresetReadablePartWaySetsTheColoursItCouldRead)
{
    fs::create_directories(Folder());
    {
        std::ofstream out(PresetPath("Half"), std::ios::binary);
        for (const char* part : {"_ALPHA", "_RED", "_GREEN", "_BLUE"})
            out << "(int) TEXT" << part << "  200\r\n";
        out << "(int) BACKGROUND_ALPHA  1\r\n(int) BACKGROUND_RED  one\r\n"
            << "(int) BACKGROUND_GREEN  1\r\n(int) BACKGROUND_BLUE  1\r\n";
        for (const char* part : {"_ALPHA", "_RED", "_GREEN", "_BLUE"})
            out << "(int) CELL_FILL" << part << "  7\r\n";
    }
    Dialog();
    ASSERT_EQ(Dialog().CustomPresetCount(), 1);
    const std::size_t asked = prompts_.Requests().size();
    Dialog().CustomPresetItem(1)->trigger();
    EXPECT_EQ(options_.Colors().Color(ColorTable::kText), C(200, 200, 200, 200));
    EXPECT_EQ(options_.Colors().Color(ColorTable::kBackground),
              ColorTable::DefaultColor(ColorTable::kBackground));
    EXPECT_EQ(options_.Colors().Color(ColorTable::kCellFill),
              ColorTable::DefaultColor(ColorTable::kCellFill));
    ASSERT_EQ(prompts_.Requests().size(), asked + 1);
    EXPECT_NE(prompts_.Last().text.find("could not be read whole; the colors it could read were set"),
              std::string::npos) << prompts_.Last().text;
    EXPECT_NE(prompts_.Last().text.find("line 6"), std::string::npos) << prompts_.Last().text;
}

TEST_F(OptionsDialogTest, TemplateAndFontLabelsOpenTheirDialogs)
{
    options_.SetNewVenueTemplate("/t/Blank_English.venue");
    Dialog().Fill();
    prompts_.QueueOpenFile(std::nullopt);
    emit Find<LinkLabel>("lblDefaultVenueFile")->clicked();
    EXPECT_EQ(prompts_.Last().file.title, "Select Default Venue Template...");
    EXPECT_EQ(prompts_.Last().file.filter, "Zell Venue file, version 2 (*.venue)|*.venue|All files (*.*)|*.*");
    EXPECT_EQ(prompts_.Last().file.filterIndex, 1);
    EXPECT_EQ(prompts_.Last().file.fileName, "/t/Blank_English.venue");
    EXPECT_EQ(Find<QLabel>("lblDefaultVenueFile")->text(), "Blank_English");

    prompts_.QueueOpenFile("/u/My Hall.venue");
    emit Find<LinkLabel>("lblDefaultVenueFile")->clicked();
    EXPECT_EQ(Find<QLabel>("lblDefaultVenueFile")->text(), "My Hall");

    prompts_.QueueFont(FontChoice{"Verdana", 9.0f, false, true});
    emit Find<LinkLabel>("lblFont")->clicked();
    EXPECT_EQ(prompts_.Last().font, (FontChoice{"Tahoma", 10.0f, false, false}));
    EXPECT_EQ(Find<QLabel>("lblFont")->text(), "Verdana, 9pt, Italic");
    prompts_.QueueFont(std::nullopt);
    emit Find<LinkLabel>("lblFont")->clicked();
    EXPECT_EQ(Find<QLabel>("lblFont")->text(), "Verdana, 9pt, Italic");

    user = [this] { ClickOk(); };
    Dialog().Run(); // refills first: the choices above were never confirmed
    EXPECT_EQ(options_.NewVenueTemplate(), "/t/Blank_English.venue");

    user = [this] {
        prompts_.QueueOpenFile("/u/My Hall.venue");
        emit Find<LinkLabel>("lblDefaultVenueFile")->clicked();
        prompts_.QueueFont(FontChoice{"Verdana", 9.0f, false, true});
        emit Find<LinkLabel>("lblFont")->clicked();
        ClickOk();
    };
    Dialog().Run();
    EXPECT_EQ(options_.NewVenueTemplate(), "/u/My Hall.venue");
    EXPECT_EQ(Stored(SettingsStore::kGeneral, "New venue template"), "/u/My Hall.venue");
    EXPECT_EQ(options_.NotesFont(), "Verdana");
    EXPECT_EQ(Stored(SettingsStore::kNotesWindow, "Italic"), "Yes");
}

// From the keyboard alone: Tab goes from the pages' tabs to the template and to the font,
// and Return or Space opens their dialogs as a click does, leaving the dialog open.
TEST_F(OptionsDialogTest, TheKeyboardReachesTheTemplateAndTheFont)
{
    options_.SetNewVenueTemplate("/t/Blank_English.venue");
    user = [this] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
        QTabBar* tabs = Find<QTabWidget>("tabOptions")->tabBar();
        tabs->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tabs, Qt::Key_Tab);
        auto* venueTemplate = Find<LinkLabel>("lblDefaultVenueFile");
        ASSERT_TRUE(venueTemplate->hasFocus());
        prompts_.QueueOpenFile("/u/My Hall.venue");
        QTest::keyClick(venueTemplate, Qt::Key_Return);
        EXPECT_EQ(prompts_.Last().file.title, "Select Default Venue Template...");
        EXPECT_EQ(venueTemplate->text(), "My Hall");
        EXPECT_TRUE(Dialog().isVisible()) << "Return chose the template, not OK";

        tabs->setFocus(Qt::TabFocusReason);
        for (int page = 0; page < 3; ++page)
            QTest::keyClick(tabs, Qt::Key_Right);
        ASSERT_EQ(tabs->tabText(tabs->currentIndex()), "Notes Window");
        QTest::keyClick(tabs, Qt::Key_Tab);
        auto* font = Find<LinkLabel>("lblFont");
        ASSERT_TRUE(font->hasFocus());
        prompts_.QueueFont(FontChoice{"Verdana", 9.0f, false, true});
        QTest::keyClick(font, Qt::Key_Space);
        EXPECT_EQ(font->text(), "Verdana, 9pt, Italic");
        ClickOk();
    };
    Dialog().Run();
    EXPECT_EQ(options_.NewVenueTemplate(), "/u/My Hall.venue");
    EXPECT_EQ(options_.NotesFont(), "Verdana");
}

TEST_F(OptionsDialogTest, F1OpensTheTopicOfTheTabShown)
{
    Dialog().Fill();
    Dialog().show();
    QTabWidget* tabs = Find<QTabWidget>("tabOptions");
    for (int tab = 0; tab < 4; ++tab) {
        tabs->setCurrentIndex(tab);
        QTest::keyClick(tab == 0 ? static_cast<QWidget*>(Box("txtSnapTo")) : tabs, Qt::Key_F1);
    }
    const std::vector<RecordingHelpViewer::Call> expected = {
        {"reference_options_general", false}, {"reference_options_graph_appearance", false},
        {"reference_options_colors", false}, {"reference_options_notes", false}};
    EXPECT_EQ(help_.Calls(), expected);
    Dialog().hide();
}

} // namespace
} // namespace polvane
