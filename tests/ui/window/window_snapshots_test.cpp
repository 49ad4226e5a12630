#include "tests/ui/window/window_fixture.h"

#include <QApplication>
#include <QDir>

namespace quorlin {
namespace {

using testing::SampleFile;
using testing::WindowTest;

// Pictures of the window for a human to look at, in the build folder: at start, with
// the sample calibration and with the sample data adjusted.
TEST_F(WindowTest, WritesPicturesOfTheThreeStates)
{
    start();
    window->show();
    QApplication::processEvents();
    const QDir out(QUORLIN_SNAPSHOT_DIR);

    const auto snapshot = [&](const char* name) {
        QApplication::processEvents();
        const QImage image = window->grab().toImage();
        EXPECT_TRUE(image.save(out.filePath(name))) << name;
        return image;
    };

    const QImage atStart = snapshot("window-start.png");
    choose(0, SampleFile("calibration.txt"));
    const QImage calibrated = snapshot("window-calibrated.png");
    choose(1, SampleFile("adjustment.txt"));
    const QImage adjusted = snapshot("window-adjusted.png");

    EXPECT_EQ(atStart.size(), calibrated.size());
    EXPECT_NE(atStart, calibrated);
    EXPECT_NE(calibrated, adjusted);
    EXPECT_TRUE(platform.messages.isEmpty());
}

}  // namespace
}  // namespace quorlin
