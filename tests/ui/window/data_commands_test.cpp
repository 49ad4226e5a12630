#include "tests/ui/window/window_fixture.h"

#include <QApplication>
#include <QRegularExpression>

namespace quorlin {
namespace {

using testing::CalibrationText;
using testing::ReadBytes;
using testing::WindowTest;

// Value±deviation as a converged fit shows it.
const QRegularExpression kFitted(R"(^-?\d+(\.\d+)?±\d+(\.\d+)?$)");

TEST_F(WindowTest, LoadingCalibrationDataFitsShowsAndPlots)
{
    startShown();
    const QString file = modelCalibration();
    choose(0, file);

    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(caption("FileName(0)"), file);

    // The constants and the points as point number texts.
    EXPECT_EQ(box(0)->text(), " .1");
    EXPECT_EQ(box(1)->text(), " 50");
    EXPECT_EQ(window->workspace().CalCount, 15);
    EXPECT_EQ(dataGrid()->rows(), 16);
    EXPECT_EQ(dataGrid()->text(15, 1), " 12.5");

    // The fit's captions.
    for (const char* parameter : {"Parameter(1)", "Parameter(2)", "Parameter(3)"})
        EXPECT_TRUE(kFitted.match(caption(parameter)).hasMatch()) << caption(parameter).toStdString();
    EXPECT_TRUE(caption("rmserror").startsWith("Rms error = 0.0"));

    EXPECT_TRUE(plotDrawn());
    EXPECT_TRUE(panel(1)->isVisible());
    EXPECT_FALSE(panel(2)->isVisible());
    EXPECT_FALSE(tabStrip()->isVisible());
    expectUsable(true, {"Choose(1)", "Choose(2)", "Calibrate"}, {"open2", "save1", "calibrate"});
    expectUsable(false, {"Choose(3)", "Da"}, {"save2", "adjust"});
    EXPECT_EQ(platform.beeps, 0);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(WindowTest, FivePointsOnlyBeepAndThePanelStaysHidden)
{
    startShown();
    choose(0, write("five.txt",
                    CalibrationText({{"1", "250"}, {"2", "262"}, {"3", "270"}, {"4", "276"}, {"5", "280"}})));

    EXPECT_EQ(platform.beeps, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(window->workspace().CalCount, 5);
    EXPECT_EQ(dataGrid()->rows(), 6);
    // Starting values, not a fit; the window's modes stay as they were.
    EXPECT_EQ(caption("Parameter(3)"), "0.0");
    EXPECT_EQ(caption("rmserror"), "");
    EXPECT_FALSE(panel(1)->isVisible());
    EXPECT_FALSE(action("Choose(1)")->isEnabled());
    EXPECT_FALSE(plotDrawn());

    // A sixth point typed by hand, then the calibration brings everything up.
    dataGrid()->setCurrentCell(5, 1);
    action("CalibrationAdd")->trigger();
    EXPECT_TRUE(panel(1)->isVisible());
    EXPECT_TRUE(action("Calibrate")->isEnabled());
    EXPECT_FALSE(action("Choose(1)")->isEnabled());
}

// Points typed by hand are saved before they are calibrated; then both constants are
// needed.
TEST_F(WindowTest, CalibratingUnsavedPointsSavesThemFirst)
{
    startShown();
    for (int i = 0; i < 6; ++i) action("CalibrationAdd")->trigger();
    const std::array<float, 4> params = window->workspace().Params;

    window->Calibrate_Click();  // the save is cancelled: all stays as it was
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].title, "Choose file for calibration data");
    EXPECT_EQ(caption("FileName(0)"), "?");
    EXPECT_EQ(window->workspace().Params, params);
    EXPECT_EQ(platform.beeps, 0);

    platform.files.push_back(path("typed.txt"));
    window->Calibrate_Click();
    EXPECT_EQ(caption("FileName(0)"), path("typed.txt"));
    EXPECT_EQ(ReadBytes(folder.path() / "typed.txt").substr(0, 3), "\t\r\n");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(window->focusWidget(), box(0));

    box(0)->setText("0.1");
    box(1)->setText("   ");
    window->Calibrate_Click();
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_EQ(window->focusWidget(), box(1));
    EXPECT_EQ(caption("Parameter(1)"), "?");
    EXPECT_TRUE(platform.messages.isEmpty());
}

// After a load as when asked for: the message, the starting values, no plot and the
// window's modes as they were.
TEST_F(WindowTest, FailedFitsShowTheirMessage)
{
    startShown();
    choose(0, write("huge.txt", CalibrationText({{"1", "250"}, {"2", "262"}, {"3", "1e200"}, {"4", "276"},
                                                 {"5", "280"}, {"6", "283"}})));
    ASSERT_FALSE(platform.messages.isEmpty());
    EXPECT_EQ(platform.messages.back(), "failed at FACT");

    // Six points over a very narrow pH range creep towards the minimum for 25 steps.
    platform.messages.clear();
    choose(0, write("narrow.txt", CalibrationText({{"5.00", "280.89"}, {"5.10", "281.41"}, {"5.20", "281.85"},
                                                   {"5.30", "282.38"}, {"5.40", "282.81"}, {"5.50", "283.22"}})));
    window->Calibrate_Click();
    EXPECT_EQ(platform.messages, QStringList({"Calibration failed", "Calibration failed"}));

    EXPECT_FALSE(caption("Parameter(1)").contains(QChar(0x00B1)));
    EXPECT_EQ(caption("rmserror"), "");
    EXPECT_FALSE(panel(1)->isVisible());
    EXPECT_FALSE(plotDrawn());
}

TEST_F(WindowTest, ModelFailureIsNamedWhenAskedForButPassedOverAfterALoad)
{
    startShown();
    choose(0, write("zero.txt", CalibrationText({{"1", "250"}, {"2", "262"}, {"0", "270"}, {"4", "276"},
                                                 {"5", "280"}, {"6", "283"}})));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(caption("Parameter(1)"), "?");

    window->Calibrate_Click();
    EXPECT_EQ(platform.messages, QStringList{"Point 3: volume and constants give no pH"});
    EXPECT_EQ(caption("Parameter(1)"), "?");
    EXPECT_EQ(window->workspace().CalCount, 6);
    EXPECT_EQ(window->workspace().CalVolume[3].value(), 0.0);
}

TEST_F(WindowTest, AdjustmentDataBeforeACalibrationAreShownButNotAdjusted)
{
    startShown();
    choose(1, readings());

    EXPECT_EQ(caption("FileName(1)"), readings());
    EXPECT_EQ(window->workspace().AdjCount, 10);
    EXPECT_EQ(correctionGrid()->text(1, 2), " 227.24");
    for (int row = 1; row <= 10; ++row) EXPECT_EQ(correctionGrid()->text(row, 3), "") << row;
    EXPECT_TRUE(tabStrip()->isVisible());
    EXPECT_EQ(tabStrip()->selectedTab(), 1);
    EXPECT_TRUE(panel(2)->isVisible());
    EXPECT_FALSE(panel(1)->isVisible());
    expectUsable(true, {"Choose(3)", "Da"}, {"adjust"});
}

TEST_F(WindowTest, AdjustmentDataAfterACalibrationGetTheirAdjustedEmf)
{
    startShown();
    choose(0, modelCalibration());
    choose(1, readings());

    const Workspace& ws = window->workspace();
    ASSERT_EQ(ws.AdjCount, 10);
    std::vector<QString> adjusted;
    for (int row = 1; row <= ws.AdjCount; ++row) {
        adjusted.push_back(correctionGrid()->text(row, 3));
        ASSERT_TRUE(QRegularExpression(R"(^-?\d+\.\d\d$)").match(adjusted.back()).hasMatch()) << row;
    }
    EXPECT_TRUE(panel(1)->isVisible());
    EXPECT_TRUE(panel(2)->isVisible());
    EXPECT_TRUE(platform.messages.isEmpty());

    choose(3, path("adjusted.txt"));
    const std::string bytes = ReadBytes(folder.path() / "adjusted.txt");
    EXPECT_TRUE(bytes.starts_with(" .5\t" + adjusted[0].toStdString() + "\r\n")) << bytes;
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 10);
}

TEST_F(WindowTest, SavedCalibrationDataAreTheShownTextsTabSeparated)
{
    startShown();
    const QString file = write("run.txt", CalibrationText({{"0.5", "227.5"}, {"1", "240"}, {"1.5", "248.25"},
                                                               {"2", "254"}, {"3", "262"}, {"4", "268"}}));
    choose(0, file);
    box(0)->setText("0,1");  // typed, never read back

    choose(2, path("saved.txt"));

    EXPECT_EQ(caption("FileName(0)"), path("saved.txt"));
    EXPECT_EQ(ReadBytes(folder.path() / "saved.txt"),
              "0.1\t 50\r\n .5\t 227.5\r\n 1\t 240\r\n 1.5\t 248.25\r\n 2\t 254\r\n 3\t 262\r\n 4\t 268\r\n");
}

TEST_F(WindowTest, CancelledDialogsChangeNothingAndFailedSavesSayWhy)
{
    start();
    window->Choose_Click(0);
    EXPECT_EQ(caption("FileName(0)"), "?");
    EXPECT_TRUE(platform.store.values.empty());
    EXPECT_EQ(window->workspace().CalCount, 0);

    choose(0, modelCalibration());
    window->Choose_Click(2);
    EXPECT_EQ(caption("FileName(0)"), modelCalibration());
    EXPECT_TRUE(platform.messages.isEmpty());

    // A save that fails says why.
    const QString target = path("missing folder/out.txt");
    choose(2, target);
    ASSERT_EQ(platform.messages.size(), 1);
    const QString start = "Could not save " + target + ": ";
    EXPECT_TRUE(platform.messages[0].startsWith(start)) << platform.messages[0].toStdString();
    EXPECT_GT(platform.messages[0].size(), start.size());
}

}  // namespace
}  // namespace quorlin
