#include "tests/ui/window/window_fixture.h"

#include "ui/grids/cell_edit_box.h"

#include <QApplication>
#include <QTest>

namespace quorlin {
namespace {

using testing::WindowTest;

// What a command leaves behind that the user or a file could notice.
struct Effects {
    std::vector<QString> dialogTitles;
    QStringList messages;
    int beeps = 0;
    int helpShown = 0;
    bool windowVisible = false;
    std::array<QString, 6> captions;
    QString adjustedFirst;

    friend bool operator==(const Effects&, const Effects&) = default;
};

class ToolbarAndMenu : public WindowTest {
protected:
    // A window with both data sets loaded and the first calibration point changed, so
    // that calibrating and adjusting change what is shown.
    void prepare()
    {
        startShown();
        choose(0, modelCalibration());
        choose(1, readings());
        box(0)->setText(" .11");
        QTest::keyClick(box(0), Qt::Key_End);
        correctionGrid()->setText(1, 3, "");
        platform.forgetRecorded();
        before = effects();
    }

    Effects effects() const
    {
        Effects e;
        for (const FileDialogRequest& d : platform.dialogs) e.dialogTitles.push_back(d.title);
        e.messages = platform.messages;
        e.beeps = platform.beeps;
        e.helpShown = platform.helpShown;
        e.windowVisible = window->isVisible();
        std::size_t i = 0;
        for (const char* label : {"FileName(0)", "FileName(1)", "Parameter(1)", "Parameter(2)", "Parameter(3)",
                                  "rmserror"})
            e.captions[i++] = caption(label);
        e.adjustedFirst = correctionGrid()->text(1, 3);
        return e;
    }

    Effects before;
};

TEST_F(ToolbarAndMenu, EveryButtonRunsExactlyItsMenuItem)
{
    const std::vector<std::pair<const char*, const char*>> pairs{
        {"open1", "Choose(0)"}, {"open2", "Choose(1)"},  {"save1", "Choose(2)"}, {"save2", "Choose(3)"},
        {"calibrate", "Calibrate"}, {"adjust", "Correct"}, {"help", "Help"},     {"exit", "Exit"}};
    for (const auto& [key, item] : pairs) {
        prepare();
        button(key)->trigger();
        const Effects byButton = effects();

        prepare();
        action(item)->trigger();
        const Effects byMenu = effects();

        EXPECT_EQ(byButton, byMenu) << key;
        // Each did something a user can see.
        EXPECT_FALSE(byButton == before) << key;
    }
}

TEST_F(ToolbarAndMenu, UnknownKeyDoesNothing)
{
    prepare();
    window->Tb_ButtonClick("Open1");
    window->Tb_ButtonClick("");
    EXPECT_EQ(effects(), before);
}

class Shortcuts : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        startShown();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void press(QWidget* target, Qt::Key key)
    {
        target->setFocus();
        QTest::keyClick(target, key, Qt::ControlModifier);
    }
};

TEST_F(Shortcuts, CalibrationKeysWorkAlsoInsideATextBox)
{
    press(window.get(), Qt::Key_A);
    EXPECT_EQ(window->workspace().CalCount, 1);

    choose(0, modelCalibration());
    const std::size_t dialogs = platform.dialogs.size();

    // Ctrl+C calibrates rather than copies; Ctrl+A adds rather than selects all.
    const QString fitted = caption("Parameter(1)");
    box(0)->setText(" .2");
    QTest::keyClick(box(0), Qt::Key_End);
    box(0)->selectAll();
    press(box(0), Qt::Key_C);
    EXPECT_NE(caption("Parameter(1)"), fitted);
    EXPECT_EQ(platform.dialogs.size(), dialogs);

    press(box(1), Qt::Key_A);
    EXPECT_EQ(window->workspace().CalCount, 16);
}

TEST_F(Shortcuts, AdjustmentKeysWaitForDataForAdjustment)
{
    choose(0, modelCalibration());
    const std::size_t dialogs = platform.dialogs.size();
    press(window.get(), Qt::Key_T);
    press(window.get(), Qt::Key_X);
    EXPECT_EQ(platform.dialogs.size(), dialogs);
    EXPECT_EQ(window->workspace().AdjCount, 0);

    choose(1, readings());
    press(correctionGrid(), Qt::Key_X);
    EXPECT_EQ(window->workspace().AdjCount, 11);
}

TEST_F(Shortcuts, DisabledCommandLeavesTheKeyToTheTextBox)
{
    press(window.get(), Qt::Key_A);  // shows the calibration panel
    box(0)->setText("0.25");
    box(0)->selectAll();
    press(box(0), Qt::Key_X);  // the Adjustment menu is disabled: the box cuts
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_EQ(window->workspace().AdjCount, 0);
}

TEST_F(WindowTest, ConstantsAreReadOnEveryKeyReleasedInEitherBox)
{
    startShown();
    choose(0, modelCalibration());
    ASSERT_TRUE(window->workspace().AcidConc.isDouble());

    box(1)->setFocus();
    QTest::keyClick(box(1), Qt::Key_End);
    // Box(0) is read too: its value becomes the single-precision reading of its text.
    EXPECT_TRUE(window->workspace().AcidConc.isSingle());
    EXPECT_EQ(window->workspace().AcidConc.value(), static_cast<double>(static_cast<float>(model.acid)));

    box(0)->clear();
    QTest::keyClicks(box(0), "0,2");
    EXPECT_EQ(window->workspace().AcidConc.value(), static_cast<double>(0.2f));
    EXPECT_TRUE(platform.messages.isEmpty());

    // A number out of range is reported once for its text: the key that closes the
    // message box is released in the box, and typing goes on in the other box.
    box(0)->clear();
    QTest::keyClicks(box(0), "1e39");
    EXPECT_EQ(platform.messages, QStringList{"invalid entry for number"});
    EXPECT_TRUE(window->workspace().AcidConc.isEmpty());
    QTest::keyClick(box(0), Qt::Key_Return);
    box(1)->setFocus();
    QTest::keyClicks(box(1), "5");
    EXPECT_EQ(platform.messages.size(), 1);
    QTest::keyClick(box(0), Qt::Key_Backspace);
    QTest::keyClicks(box(0), "9");
    EXPECT_EQ(platform.messages.size(), 2);
}

TEST_F(WindowTest, ValueBeingTypedLandsBeforeTheCalibration)
{
    startShown();
    choose(0, modelCalibration());
    const QString fitted = caption("Parameter(1)");

    dataGrid()->setFocus();
    dataGrid()->setCurrentCell(1, 2);
    QTest::keyClicks(dataGrid(), "2");
    QTest::keyClicks(control<CellEditBox>("EditA"), "30");
    // Still editing when the command comes from the menu.
    window->Calibrate_Click();

    EXPECT_EQ(window->workspace().CalEmf[1].value(), static_cast<double>(230.0f));
    EXPECT_NE(caption("Parameter(1)"), fitted);
}

}  // namespace
}  // namespace quorlin
