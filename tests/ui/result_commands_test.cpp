#include "window_fixture.h"

#include <QFile>
#include <QImage>

namespace quorlin::testing {
namespace {

bool blank(const QImage& image)
{
    QImage plain = image;
    plain.fill(image.pixel(0, 0));
    return image == plain;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(WindowTest, ExportsThePlotsAsPngOfTheChosenSizeOrPdfAndRemembersTheType)
{
    EXPECT_FALSE(window->commands().exportPlot->isEnabled());
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    platform.imageSizes.push_back(QSize(640, 480));
    platform.files.push_back(path("plot"));
    window->commands().exportPlot->trigger();
    EXPECT_EQ(platform.dialogs.back().initialFileName, "calibration.png");
    const QImage png = QImage::fromData(contents(path("plot.png")), "PNG");
    EXPECT_EQ(png.size(), QSize(640, 480));
    EXPECT_FALSE(blank(png));

    platform.fileTypes.push_back(2);
    platform.files.push_back(path("plot.pdf"));
    window->commands().exportPlot->trigger();
    const QByteArray pdf = contents(path("plot.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/FontFile2"));  // the labels are text in an embedded font
    EXPECT_EQ(platform.store.read("tarnel", "main", "exportType", ""), "pdf");
    EXPECT_EQ(platform.store.read("tarnel", "main", "exportWidth", ""), "640");

    platform.fileTypes.push_back(1);
    platform.files.push_back(path("plot.svg"));
    window->commands().exportPlot->trigger();
    EXPECT_EQ(platform.dialogs.back().selectedFilter, 2u);
    EXPECT_TRUE(contents(path("plot.svg")).contains("<svg"));

    platform.files.push_back(path("report"));
    window->commands().saveReport->trigger();
    EXPECT_TRUE(contents(path("report.html")).contains("405.1±0.3"));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(WindowTest, PrintsThePlotsThroughThePlatform)
{
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(platform.printed.size(), 1u);
    EXPECT_EQ(platform.printed[0].first, "calibration");
    EXPECT_FALSE(blank(platform.printed[0].second.copy(50, 300, 750, 500)));  // the plots below the captions
}

}  // namespace
}  // namespace quorlin::testing
