#include "windows/dialogs/ArrayDesignDialog.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "../ToolWindowFixture.h"
#include "../TypingLocale.h"
#include "../controls/LinkListKeys.h"
#include "model/ProductTables.h"
#include "windows/dialogs/ArrayDesign.h"
#include "windows/controls/LinkLabel.h"

namespace polvane {
namespace {

class ArrayDesignDialogTest : public ToolWindowFixture {
protected:
    ArrayDesignDialogTest() { SetColumn(BrandCode::TarvicKv9, 12); }

    LineArray& Array() { return lifecycle_.Venue().LineArray(); }
    void SetColumn(BrandCode brand, int count)
    {
        Array().SetBrand(brand);
        while (Array().Cells().Count() > 0)
            Array().Cells().Remove(1);
        for (int cell = 0; cell < count; ++cell)
            Array().Cells().Add();
        lifecycle_.ClearDirty();
    }
    // Shows the dialog with the user's actions in place of its event loop.
    void Design(const std::function<void(ArrayDesignDialog&)>& user)
    {
        user_ = user;
        ++showings_;
        design_.DesignArray();
    }
    ArrayDesignDialog& Dialog() { return *design_.Dialog(); }
    static void Ok(ArrayDesignDialog& dialog) { dialog.cmdOK()->click(); }
    static void Cancel(ArrayDesignDialog& dialog) { dialog.cmdCancel()->click(); }

    std::function<void(ArrayDesignDialog&)> user_;
    int showings_ = 0;
    ArrayDesign design_{window_, lifecycle_, hub_, reporter_, screen_,
                        [this](ArrayDesignDialog& dialog) {
                            EXPECT_EQ(dialog.Tag(), "") << "each showing starts with an empty tag";
                            user_(dialog);
                        }};
};

TEST_F(ArrayDesignDialogTest, OpensOnTheVenuesBrandAndCount)
{
    SetColumn(BrandCode::RSarn, 12);
    Design([](ArrayDesignDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "frmArrayDesign");
        EXPECT_EQ(dialog.windowTitle(), "Array Design");
        EXPECT_TRUE(dialog.BrandOption(BrandCode::RSarn)->isChecked());
        EXPECT_EQ(dialog.txtTotalCells()->text(), "12");
        EXPECT_TRUE(dialog.optStraight()->isChecked());
        EXPECT_TRUE(dialog.cmdOK()->isEnabled());
        Cancel(dialog);
    });
    // A column beyond the dialog's range opens clamped.
    SetColumn(BrandCode::TarvicKv7, 30);
    Design([](ArrayDesignDialog& dialog) {
        EXPECT_TRUE(dialog.BrandOption(BrandCode::TarvicKv7)->isChecked());
        EXPECT_EQ(dialog.txtTotalCells()->text(), "24");
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, TheCountTextStaysWithinFourToTwentyFourOnceCommitted)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    Design([](ArrayDesignDialog& dialog) {
        QLineEdit* box = dialog.txtTotalCells();
        // A text without a number shows the count the box held again.
        for (const Case c : {Case{"30", "24"}, Case{"", "24"}, Case{"abc", "24"}, Case{"3.9", "4"},
                             Case{"7.5", "7.5"}, Case{"vierzig", "8"}, Case{"24", "24"}}) {
            box->setText(QString::fromUtf8(c.typed));
            EXPECT_EQ(box->text().toStdString(), c.typed) << "unfinished text stays as typed";
            QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &leaving);
            EXPECT_EQ(box->text().toStdString(), c.shown) << c.typed;
        }
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, TypingOverTheSelectedCountBuildsWhatWasTyped)
{
    struct Case {
        const char* typed;
        int cells;
    };
    for (const Case c : {Case{"16", 16}, Case{"2", 4}, Case{"30", 24}}) {
        SetColumn(BrandCode::TarvicKv9, 12);
        Design([&c](ArrayDesignDialog& dialog) {
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QLineEdit* box = dialog.txtTotalCells();
            QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
            QApplication::processEvents(); // the click's own selection of the whole text
            ASSERT_EQ(box->selectedText(), "12");
            for (const char* key = c.typed; *key != '\0'; ++key)
                QTest::keyClick(dialog.windowHandle(), *key);
            EXPECT_EQ(box->text().toStdString(), c.typed);
            QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
        });
        EXPECT_EQ(Array().Cells().Count(), c.cells) << c.typed;
    }
}

TEST_F(ArrayDesignDialogTest, OkRebuildsTheColumnWithTheBrandAndCount)
{
    struct Case {
        BrandCode brand;
        const char* count;
        int cells;
        PinStyleCode pinStyle;
    };
    using enum BrandCode;
    using enum PinStyleCode;
    for (const Case c : {Case{DeVelt, "8", 8, Fixed}, Case{TarvicKv9, "8", 8, Slide}, Case{TarvicKv4, "7.5", 8, Slide},
                         Case{RSarn, "6.5", 6, Slide}, Case{TarvicKv7, "24", 24, Slide}}) {
        SetColumn(c.brand == TarvicKv9 ? TarvicKv7 : TarvicKv9, 12);
        Array().SetConfiguration(ConfigurationCode::GroundStacked);
        Design([&c](ArrayDesignDialog& dialog) {
            dialog.BrandOption(c.brand)->click();
            dialog.txtTotalCells()->setText(QString::fromUtf8(c.count));
            Ok(dialog);
        });
        ASSERT_EQ(Array().Cells().Count(), c.cells) << c.count;
        EXPECT_EQ(Array().Brand(), c.brand);
        EXPECT_EQ(Array().Configuration(), ConfigurationCode::Flown) << "flown";
        EXPECT_EQ(Array().PinStyle(), c.pinStyle) << static_cast<int>(c.brand);
        for (int cell = 1; cell <= c.cells; ++cell)
            EXPECT_EQ(Array().Cells().Item(cell).CellType(), ProductTables::DefaultCellType(c.brand));
        EXPECT_TRUE(lifecycle_.IsDirty());
    }
}

TEST_F(ArrayDesignDialogTest, TemplateSplayAndCurveCountsDoNotReachTheRebuild)
{
    Design([](ArrayDesignDialog& dialog) {
        dialog.BrandOption(BrandCode::TarvicKv9)->click();
        dialog.txtTotalCells()->setText(QStringLiteral("10"));
        dialog.optJ()->click();
        dialog.txtAboveCurve()->setText(QStringLiteral("3"));
        dialog.txtBelowCurve()->setText(QStringLiteral("7"));
        dialog.SplayItem(2)->trigger();
        Ok(dialog);
    });
    ASSERT_EQ(Array().Cells().Count(), 10);
    SetColumn(BrandCode::TarvicKv9, 10);
    for (int cell = 1; cell <= 10; ++cell)
        EXPECT_EQ(Array().Cells().Item(cell).CellType(), ProductTables::DefaultCellType(BrandCode::TarvicKv9));
    // The dialog keeps its choices for the next showing.
    Design([](ArrayDesignDialog& dialog) {
        EXPECT_TRUE(dialog.optJ()->isChecked());
        EXPECT_EQ(dialog.txtAboveCurve()->text(), "3");
        EXPECT_EQ(dialog.lblTotalBoxes()->text(), "10");
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, CancelAndTheCloseBoxChangeNothing)
{
    SetColumn(BrandCode::RSarn, 12);
    for (const auto& close : {std::function<void(ArrayDesignDialog&)>(&ArrayDesignDialogTest::Cancel),
                              std::function<void(ArrayDesignDialog&)>([](ArrayDesignDialog& dialog) {
                                  dialog.show();
                                  dialog.close();
                              })}) {
        Design([&close](ArrayDesignDialog& dialog) {
            dialog.BrandOption(BrandCode::DeVelt)->click();
            dialog.txtTotalCells()->setText(QStringLiteral("20"));
            close(dialog);
        });
        EXPECT_EQ(Array().Brand(), BrandCode::RSarn);
        EXPECT_EQ(Array().Cells().Count(), 12);
        EXPECT_FALSE(lifecycle_.IsDirty());
        EXPECT_EQ(Dialog().Tag(), "");
    }
    EXPECT_EQ(showings_, 2);
}

TEST_F(ArrayDesignDialogTest, EachBrandFillsThePositiveSplays)
{
    Design([](ArrayDesignDialog& dialog) {
        for (int brand = 0; brand < ProductTables::kBrandCount; ++brand) {
            dialog.FillSplays(BrandCode{brand});
            int shown = 0;
            for (int item = 1; item <= ArrayDesignDialog::kSplayItemCount; ++item) {
                QAction* action = dialog.SplayItem(item);
                if (!action->isVisible())
                    continue;
                ++shown;
                EXPECT_EQ(item, shown) << "the kept angles come first";
                EXPECT_GT(std::stod(action->text().toStdString()), 0.0) << brand;
                EXPECT_TRUE(action->text().endsWith(QStringLiteral("°")));
            }
            EXPECT_GT(shown, 0) << brand;
            EXPECT_EQ(dialog.lblAngle()->text(), dialog.SplayItem(1)->text()) << brand;
        }
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, SelectingABrandRefillsTheSplaysAndTheLabelTakesAChoice)
{
    SetColumn(BrandCode::TarvicKv9, 8);
    Design([](ArrayDesignDialog& dialog) {
        const QString first = dialog.lblAngle()->text();
        EXPECT_EQ(first, dialog.SplayItem(1)->text()) << "filled at the first showing";
        dialog.lblAngle()->show();
        emit dialog.lblAngle()->clicked();
        EXPECT_TRUE(dialog.mnuSplay()->isVisible());
        dialog.mnuSplay()->hide();
        dialog.findChild<QAction*>(QStringLiteral("mnuSplayCancel"))->trigger();
        EXPECT_EQ(dialog.lblAngle()->text(), first);
        dialog.SplayItem(2)->trigger();
        EXPECT_EQ(dialog.lblAngle()->text(), dialog.SplayItem(2)->text());
        Cancel(dialog);
    });
}

// From the keyboard alone: Tab goes from the curve template to the angle beside it, which
// opens its list where a click does; the arrows and Return choose an angle.
TEST_F(ArrayDesignDialogTest, TheKeyboardReachesAndChoosesTheCurveAngle)
{
    Design([](ArrayDesignDialog& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.optCurved()->click();
        dialog.optCurved()->setFocus(Qt::TabFocusReason);
        std::vector<std::string> reached;
        for (int step = 0; step < 3 && !dialog.lblAngle()->hasFocus(); ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.push_back(QApplication::focusWidget()->objectName().toStdString());
        }
        EXPECT_EQ(reached, std::vector<std::string>{"lblAngle"});
        QTest::keyClick(dialog.lblAngle(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.cmdOK()) << "then the buttons";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        ASSERT_TRUE(dialog.lblAngle()->hasFocus());

        link_keys::ExpectKeyOpensWhereAClickDoes(*dialog.lblAngle(), *dialog.mnuSplay(), Qt::Key_Down,
                                                 Qt::AltModifier);
        link_keys::ChooseWithKeys(*dialog.mnuSplay(), 2);
        EXPECT_EQ(dialog.lblAngle()->text(), dialog.SplayItem(2)->text());
        EXPECT_TRUE(dialog.lblAngle()->hasFocus());
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, WholeTexts)
{
    struct Case {
        const char* text;
        bool whole;
    };
    for (const Case c : {Case{"12", true}, Case{"-3", true}, Case{"0", true}, Case{"", false},
                         Case{"012", false}, Case{" 12", false}, Case{"12.0", false}, Case{"7.5", false},
                         Case{"12 ", false}, Case{"abc", false}})
        EXPECT_EQ(ArrayDesignDialog::IsWhole(c.text), c.whole) << '"' << c.text << '"';
}

TEST_F(ArrayDesignDialogTest, CurveCountsDecideReadinessAndTheirTotal)
{
    Design([](ArrayDesignDialog& dialog) {
        dialog.optJ()->click();
        dialog.txtAboveCurve()->setText(QStringLiteral("5"));
        dialog.txtBelowCurve()->setText(QStringLiteral("3.7"));
        EXPECT_EQ(dialog.lblTotalBoxes()->text(), "8");
        EXPECT_FALSE(dialog.cmdOK()->isEnabled()) << "3.7 is not whole and J is chosen";
        dialog.txtBelowCurve()->clear();
        EXPECT_EQ(dialog.lblTotalBoxes()->text(), "5") << "the above-curve count alone";
        EXPECT_FALSE(dialog.cmdOK()->isEnabled());
        dialog.txtBelowCurve()->setText(QStringLiteral("4"));
        EXPECT_TRUE(dialog.cmdOK()->isEnabled());
        EXPECT_EQ(dialog.lblTotalBoxes()->text(), "9");

        // A straight or curved design needs only a whole total.
        dialog.optCurved()->click();
        dialog.txtBelowCurve()->clear();
        EXPECT_TRUE(dialog.cmdOK()->isEnabled());
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, TemplatesShowTheirFramesAndTheSplayLabel)
{
    struct Case {
        QRadioButton* (ArrayDesignDialog::*option)() const;
        bool jFrame;
        bool label;
    };
    Design([](ArrayDesignDialog& dialog) {
        dialog.show();
        for (const Case c : {Case{&ArrayDesignDialog::optCurved, false, true},
                             Case{&ArrayDesignDialog::optJ, true, true},
                             Case{&ArrayDesignDialog::optStraight, false, false},
                             Case{&ArrayDesignDialog::optSpiral, false, false}}) {
            (dialog.*c.option)()->click();
            dialog.layout()->activate();
            QApplication::processEvents();
            EXPECT_EQ(dialog.JFrame()->isVisibleTo(&dialog), c.jFrame);
            EXPECT_EQ(dialog.lblAngle()->isVisibleTo(&dialog), c.label);
            if (!c.label)
                continue;
            // Below the curve counts for a J; beside the curved option for a curve.
            const int top = dialog.lblAngle()->mapTo(&dialog, QPoint()).y();
            const auto bottomOf = [&dialog](const QWidget* widget) {
                return widget->mapTo(&dialog, QPoint(0, widget->height())).y();
            };
            if (c.jFrame) {
                EXPECT_GE(top, bottomOf(dialog.JFrame()));
            } else {
                EXPECT_GE(top, bottomOf(dialog.optStraight()));
                EXPECT_LT(top, bottomOf(dialog.optCurved()));
            }
        }
        Cancel(dialog);
    });
}

TEST_F(ArrayDesignDialogTest, SpinnersStepTheTextOnlyAndSelectIt)
{
    Design([this](ArrayDesignDialog& dialog) {
        dialog.show();
        dialog.txtTotalCells()->setText(QStringLiteral("7.5"));
        dialog.spnTotalCells()->stepUp();
        EXPECT_EQ(dialog.txtTotalCells()->text(), "8.5");
        EXPECT_EQ(dialog.spnTotalCells()->value(), 0);
        EXPECT_EQ(dialog.txtTotalCells()->selectedText(), "8.5");
        dialog.txtTotalCells()->setText(QStringLiteral("24"));
        dialog.spnTotalCells()->stepUp();
        EXPECT_EQ(dialog.txtTotalCells()->text(), "24");

        dialog.optJ()->click();
        dialog.txtAboveCurve()->setText(QStringLiteral("3"));
        dialog.txtBelowCurve()->setText(QStringLiteral("2"));
        dialog.spnAboveCurve()->stepDown();
        EXPECT_EQ(dialog.txtAboveCurve()->text(), "2");
        EXPECT_EQ(dialog.lblTotalBoxes()->text(), "4");
        EXPECT_FALSE(lifecycle_.IsDirty());
        EXPECT_EQ(Array().Cells().Count(), 12);
        Cancel(dialog);
    });
}

// The count as a user types it, under a German desktop and a plain one: a decimal comma is
// read as a point is, and a word leaves the count the box held.
TEST_F(ArrayDesignDialogTest, TypedCountsReadCommasAndAWordKeepsTheCount)
{
    struct Case {
        const char* typed;
        int built;
    };
    for (const QLocale& locale : {TypingLocale::German(), TypingLocale::Plain()}) {
        const TypingLocale typing(locale);
        for (const Case c : {Case{"12,5", 12}, Case{"13,5", 14}, Case{"7.5", 8}, Case{"vierzig", 10},
                             Case{"", 10}, Case{"9,5 Zellen", 10}}) {
            SetColumn(BrandCode::TarvicKv9, 10);
            Design([&c](ArrayDesignDialog& dialog) {
                QLineEdit* box = dialog.txtTotalCells();
                box->selectAll();
                QTest::keyClick(box, Qt::Key_Backspace);
                QTest::keyClicks(box, QString::fromUtf8(c.typed));
                QTest::keyClick(box, Qt::Key_Return);
                Ok(dialog);
            });
            EXPECT_EQ(Array().Cells().Count(), c.built) << c.typed << " " << locale.name().toStdString();
        }
    }
    Design([](ArrayDesignDialog& dialog) {
        QLineEdit* box = dialog.txtTotalCells();
        box->selectAll();
        QTest::keyClick(box, '1', Qt::KeypadModifier);
        QTest::keyClick(box, '6', Qt::KeypadModifier);
        QTest::keyClick(box, ',', Qt::KeypadModifier);
        QTest::keyClick(box, '5', Qt::KeypadModifier);
        Ok(dialog);
    });
    EXPECT_EQ(Array().Cells().Count(), 16);
}

// Up and Down in each box step it as its arrows do.
TEST_F(ArrayDesignDialogTest, UpAndDownStepTheBoxesAsTheirArrowsDo)
{
    Design([](ArrayDesignDialog& dialog) {
        dialog.optJ()->click();
        const std::pair<QLineEdit*, QSpinBox*> boxes[] = {{dialog.txtTotalCells(), dialog.spnTotalCells()},
                                                          {dialog.txtAboveCurve(), dialog.spnAboveCurve()}};
        for (const auto& [box, spin] : boxes) {
            for (const char* from : {"12", "24", "4", "7,5"}) {
                for (const int direction : {+1, -1}) {
                    box->setText(QString::fromUtf8(from));
                    if (direction > 0)
                        spin->stepUp();
                    else
                        spin->stepDown();
                    const QString byArrow = box->text();
                    box->setText(QString::fromUtf8(from));
                    QTest::keyClick(box, direction > 0 ? Qt::Key_Up : Qt::Key_Down);
                    EXPECT_EQ(box->text(), byArrow) << from << " by " << direction;
                    EXPECT_EQ(box->selectedText(), box->text());
                }
            }
        }
        dialog.txtTotalCells()->setText(QStringLiteral("12"));
        QTest::keyClick(dialog.txtTotalCells(), Qt::Key_Up);
        EXPECT_EQ(dialog.txtTotalCells()->text(), "13");
        QTest::keyClick(dialog.txtTotalCells(), Qt::Key_Down, Qt::KeypadModifier);
        EXPECT_EQ(dialog.txtTotalCells()->text(), "12");
        Ok(dialog);
    });
    EXPECT_EQ(Array().Cells().Count(), 12);
}

TEST_F(ArrayDesignDialogTest, F1OpensTheDialogsHelpTopic)
{
    Design([](ArrayDesignDialog& dialog) {
        QTest::keyClick(dialog.txtTotalCells(), Qt::Key_F1);
        Cancel(dialog);
    });
    ASSERT_FALSE(help_.Calls().empty());
    EXPECT_EQ(help_.Calls().back().topic, "reference_array_design");
}

} // namespace
} // namespace polvane
