#include "ui/command_actions.h"
#include "ui/help_window.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace quorlin {
namespace {

QString pageText(const QString& name)
{
    QFile page(":/help/" + name);
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

QStringList helpPages()
{
    return QDir(":/help").entryList({"*.html"}, QDir::Files);
}

TEST(HelpManual, EveryPageIsInTheContentsAndEveryLinkAndPictureIsThere)
{
    const QStringList pages = helpPages();
    ASSERT_GE(pages.size(), 5);
    const QString contents = pageText("index.html");
    const QRegularExpression reference(R"((?:href|src)="([^"#]*)(?:#[^"]*)?")");
    for (const QString& page : pages) {
        const QString html = pageText(page);
        EXPECT_TRUE(html.contains("<title>")) << page.toStdString();
        EXPECT_TRUE(contents.contains("href=\"" + page + "\"")) << page.toStdString();
        for (const auto& match : reference.globalMatch(html)) {
            const QString target = match.captured(1);
            const QString resource = target.startsWith("qrc:") ? target.mid(3) : ":/help/" + target;
            EXPECT_TRUE(QFile::exists(resource)) << page.toStdString() << " refers to " << target.toStdString();
        }
    }
}

// Each menu command with its shortcut, as the manual names them.
TEST(HelpManual, CommandsPageNamesEveryCommandAndShortcut)
{
    QTextDocument document;
    document.setHtml(pageText("commands.html"));
    const QString text = document.toPlainText();
    for (const char* caption :
         {"Load Data for Calibration", "Load data for Adjustment", "Save calibration data", "Save adjusted data", "Exit",
          "Add point (after)", "Delete point", "Calibrate", "Adjust data", "Help", "Version 1.0.3"})
        EXPECT_TRUE(text.contains(caption)) << caption;
    for (const char* key : {"Ctrl+S", "Ctrl+T", "Ctrl+A", "Ctrl+B", "Ctrl+C", "Ctrl+X", "Ctrl+Y", "Ctrl+J"})
        EXPECT_TRUE(text.contains(key)) << key;
}

TEST(HelpManual, WindowOpensAtTheContentsAndFollowsLinks)
{
    HelpWindow help;
    QTextBrowser* browser = help.browser();
    EXPECT_FALSE(browser->toPlainText().isEmpty());
    EXPECT_TRUE(browser->toPlainText().contains("Contents"));

    browser->setSource(QUrl("qrc:/help/files.html"));
    EXPECT_TRUE(browser->toPlainText().contains("0.1,50"));
    EXPECT_TRUE(help.windowTitle().contains("Data files"));
    browser->backward();
    EXPECT_EQ(browser->source(), QUrl(HelpWindow::kContentsPage));
}

TEST(ToolbarPictures, EveryKeyHasASixteenPixelPicture)
{
    QStringList names(kToolbarKeys.begin(), kToolbarKeys.end());
    names << "quorlin";
    for (const QString& name : names) {
        const QIcon icon(":/icons/" + name + ".svg");
        const QPixmap picture = icon.pixmap(16, 16);
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        EXPECT_EQ(picture.size(), QSize(16, 16)) << name.toStdString();
        // Not blank: some pixel is drawn.
        const QImage image = picture.toImage();
        bool drawn = false;
        for (int y = 0; y < 16 && !drawn; ++y)
            for (int x = 0; x < 16 && !drawn; ++x) drawn = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(drawn) << name.toStdString();
    }
}

}  // namespace
}  // namespace quorlin
