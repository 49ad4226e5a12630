#include "ui/grids/grid_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

namespace quorlin::test {
namespace {

// Leaves grid_with_edit_box.png beside the test program for a look at the real thing.
TEST_F(GridFixture, SnapshotShowsTheEditBoxLaidOverItsCell)
{
    Points points;
    for (int i = 1; i <= 40; ++i) points.push_back({0.25 * i, 420.0 - 7.5 * i});
    loadCalibration(points);
    doubleClickCell(*dataGrid_, 3, 2);
    QTest::keyClick(&dataGrid_->EditA(), Qt::Key_End);
    QTest::keyClicks(&dataGrid_->EditA(), "5");

    const QImage image = calibrationPanel_->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const QRect box = dataGrid_->EditA().geometry();
    EXPECT_EQ(image.pixelColor(box.left() + 1, box.top() + 1), QColor(0, 255, 255));
    EXPECT_TRUE(image.save(QDir(QCoreApplication::applicationDirPath()).filePath("grid_with_edit_box.png")));
}

}  // namespace
}  // namespace quorlin::test
