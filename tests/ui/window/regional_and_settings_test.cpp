#include "io/data_directory.h"
#include "ui/file_command_dialogs.h"
#include "ui/qt_settings_store.h"
#include "ui/regional_settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorlin {
namespace {

// Separators that are not plain ASCII are replaced: French groups digits with a narrow
// no-break space; Arabic digits come with their own separators, and the default serves.
TEST(RegionalSettingsFromLocale, TakesTheLocalesSeparatorsInPlainAscii)
{
    ASSERT_NE(QLocale(QLocale::Arabic, QLocale::Egypt).decimalPoint(), ".");
    const struct {
        QLocale locale;
        char decimal;
        char grouping;
    } cases[] = {{QLocale(QLocale::English, QLocale::UnitedStates), '.', ','},
                 {QLocale(QLocale::German, QLocale::Germany), ',', '.'},
                 {QLocale(QLocale::French, QLocale::France), ',', ' '},
                 {QLocale(QLocale::Arabic, QLocale::Egypt), '.', ','}};
    for (const auto& c : cases) {
        const RegionalSettings settings = regionalSettingsFrom(c.locale);
        EXPECT_EQ(settings.decimalSeparator, c.decimal) << c.locale.name().toStdString();
        EXPECT_EQ(settings.groupingSymbol, c.grouping) << c.locale.name().toStdString();
    }
}

class QtSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    }
    QTemporaryDir home;
    QtSettingsStore store;
};

// The data directory outlives the store object, under section "main", key "stdir" of
// application "tarnel".
TEST_F(QtSettings, DataDirectoryIsKeptUnderTarnelMainStdir)
{
    saveDataDirectory(store, "/data/run 1");
    EXPECT_EQ(readDataDirectory(QtSettingsStore(), "/opt/quorlin"), "/data/run 1");

    QFile file(home.filePath("tarnel/tarnel.conf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[main]"));
    EXPECT_TRUE(text.contains("stdir=/data/run 1"));
}

TEST(FileCommandDialogs, TitlesKindsAndProposedNames)
{
    Captions captions;
    captions.FileName[1] = "/data/run7.txt";

    // Without a file of its own the calibration data propose no name rather than "?".
    const std::pair<const char*, const char*> expected[] = {{"Choose calibration data", ""},
                                                            {"Choose data to adjust", ""},
                                                            {"Choose file for calibration data", ""},
                                                            {"Choose file for adjusted data", "/data/run7.txt"}};
    for (int index = 0; index < 4; ++index) {
        const FileDialogRequest request = fileCommandDialog(index, "/data", captions);
        EXPECT_EQ(request.title, expected[index].first);
        EXPECT_EQ(request.initialFileName, expected[index].second);
        EXPECT_EQ(request.initialFolder, "/data");
        EXPECT_EQ(request.kind, index < 2 ? FileDialogRequest::Kind::Open : FileDialogRequest::Kind::Save);
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0], (FileFilter{"Data File (*.txt,csv)", {"*.txt", "*.csv"}}));
        EXPECT_EQ(request.filters[1], (FileFilter{"All Files (*.*)", {"*"}}));
    }
}

}  // namespace
}  // namespace quorlin
