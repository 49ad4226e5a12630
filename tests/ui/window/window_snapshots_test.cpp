#include "tests/ui/window/window_fixture.h"

#include <QApplication>
#include <QDir>

namespace quorlin {
namespace {

using testing::SampleFile;
using testing::WindowTest;

// A new user's first session with the sample files shipped beside the program, with
// pictures of the window for a human to look at in the build folder: at start, with the
// sample calibration and with the sample data adjusted.
TEST_F(WindowTest, SampleFilesCalibrateAndAdjustAndArePictured)
{
    startShown();
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

    EXPECT_TRUE(caption("Parameter(1)").contains(QChar(0x00B1)));
    EXPECT_FALSE(correctionGrid()->text(1, 3).isEmpty());

    EXPECT_EQ(atStart.size(), calibrated.size());
    EXPECT_NE(atStart, calibrated);
    EXPECT_NE(calibrated, adjusted);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.beeps, 0);
}

}  // namespace
}  // namespace quorlin
