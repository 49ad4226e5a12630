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

TEST(RegionalSettingsFromLocale, TakesTheLocalesSeparators)
{
    const RegionalSettings english = RegionalSettingsFrom(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.decimalSeparator, '.');
    EXPECT_EQ(english.groupingSymbol, ',');

    const RegionalSettings german = RegionalSettingsFrom(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.decimalSeparator, ',');
    EXPECT_EQ(german.groupingSymbol, '.');
}

TEST(RegionalSettingsFromLocale, ReplacesSeparatorsThatAreNotPlainAscii)
{
    // French groups digits with a narrow no-break space.
    const RegionalSettings french = RegionalSettingsFrom(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(french.decimalSeparator, ',');
    EXPECT_EQ(french.groupingSymbol, ' ');

    // Arabic digits come with their own separators; the default convention serves.
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    ASSERT_NE(arabic.decimalPoint(), ".");
    const RegionalSettings fallback = RegionalSettingsFrom(arabic);
    EXPECT_EQ(fallback.decimalSeparator, '.');
    EXPECT_EQ(fallback.groupingSymbol, ',');
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
    EXPECT_EQ(ReadDataDirectory(store, "/opt/quorlin"), "/opt/quorlin/data");
    SaveDataDirectory(store, "/data/run 1");
    EXPECT_EQ(ReadDataDirectory(QtSettingsStore(), "/opt/quorlin"), "/data/run 1");

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

    const std::array<const char*, 4> titles{"Choose calibration data", "Choose data to adjust",
                                            "Choose file for calibration data", "Choose file for adjusted data"};
    for (int index = 0; index < 4; ++index) {
        const FileDialogRequest request = FileCommandDialog(index, "/data", captions);
        EXPECT_EQ(request.title, titles[static_cast<std::size_t>(index)]);
        EXPECT_EQ(request.initialFolder, "/data");
        EXPECT_EQ(request.kind, index < 2 ? FileDialogRequest::Kind::Open : FileDialogRequest::Kind::Save);
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0], (FileFilter{"Data File (*.txt,csv)", {"*.txt", "*.csv"}}));
        EXPECT_EQ(request.filters[1], (FileFilter{"All Files (*.*)", {"*"}}));
    }
    EXPECT_EQ(FileCommandDialog(0, "/data", captions).initialFileName, "");
    EXPECT_EQ(FileCommandDialog(1, "/data", captions).initialFileName, "");
    // Without a file of its own the calibration data propose no name rather than "?".
    EXPECT_EQ(FileCommandDialog(2, "/data", captions).initialFileName, "");
    EXPECT_EQ(FileCommandDialog(3, "/data", captions).initialFileName, "/data/run7.txt");
}

}  // namespace
}  // namespace quorlin
