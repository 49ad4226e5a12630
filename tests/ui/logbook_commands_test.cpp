#include "window_fixture.h"

#include "ui/logbook_dialog.h"
#include "ui/logbook_window.h"

#include <QAction>
#include <QStatusBar>
#include <QTableWidget>

namespace quorlin::testing {
namespace {

TEST_F(WindowTest, RecordedAutomaticallyTheVerdictShowsWithTheParametersAndInTheReport)
{
    load(QString::fromStdString(folder.write("cal.txt", ReadBytes(QUORLIN_SAMPLE_DATA "/calibration.txt"))));
    EXPECT_TRUE(window->commands().recordInLogbook->isEnabled());
    EXPECT_EQ(window->recordedEntry(), nullptr);
    EXPECT_EQ(window->statusBar()->currentMessage(), "");

    const std::string logbook = (folder.path() / "logbook.sqlite").string();
    LogbookChoices{"E-17", "Ann", "", "25", true, logbook}.save(platform.settings());
    window->calibrate();
    ASSERT_NE(window->recordedEntry(), nullptr);
    EXPECT_EQ(window->recordedEntry()->number, 1);
    const QString verdict = "Slope 100.0 % of Nernst at 25 °C — within limits";
    EXPECT_EQ(window->statusBar()->currentMessage(), verdict);
    const auto labels = window->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](QLabel* label) {
        return label->isVisible() && label->text() == "Entry 1: " + verdict;
    }));
    platform.files.push_back(path("report.html"));
    window->commands().saveReport->trigger();
    const std::string report = ReadBytes(path("report.html").toStdString());
    EXPECT_NE(report.find("<th class=\"l\">Electrode</th><td class=\"l\">E-17</td>"), std::string::npos);
    EXPECT_NE(report.find(verdict.toStdString()), std::string::npos);

    window->commands().logbook->trigger();
    auto* logbookWindow = window->findChild<LogbookWindow*>();
    ASSERT_NE(logbookWindow, nullptr);
    EXPECT_EQ(logbookWindow->table().rowCount(), 1);

    // Data changed since: the verdict of the calibration in force greys with its captions,
    // and the data are recorded once calibrated, hashed as edited.
    typeOver(*ui().calibrationGrid, 3, 2, "243");
    QTest::keyClick(&ui().calibrationGrid->editBox(), Qt::Key_Return);
    EXPECT_FALSE(window->commands().recordInLogbook->isEnabled());
    EXPECT_FALSE(ui().ezero->isEnabled());
    window->calibrate();
    ASSERT_NE(window->recordedEntry(), nullptr);
    EXPECT_EQ(window->recordedEntry()->number, 2);
    EXPECT_TRUE(window->recordedEntry()->editedAfterLoading);
}

}  // namespace
}  // namespace quorlin::testing
