#include "tests/ui/window/modal_helper.h"
#include "ui/file_command_dialogs.h"
#include "ui/help_window.h"
#include "ui/qt_platform_services.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using testing::OnNextModal;

// A full path typed into the file name box and accepted, as a user would; a path does
// not depend on which folder the dialog has got round to showing.
void typeFileName(QFileDialog& dialog, const QString& path)
{
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(path);
    QMetaObject::invokeMethod(&dialog, "accept");
}

class QtDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"run1.txt", "run2.csv", "notes.dat"}) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        owner.show();
        platform.setParentWindow(&owner);
    }

    FileDialogRequest request(int index)
    {
        Captions captions;
        captions.FileName[0] = folder.filePath("run1.txt").toStdString();
        return FileCommandDialog(index, folder.path().toStdString(), captions);
    }

    QTemporaryDir folder;
    QWidget owner;
    QtPlatformServices platform;
};

TEST_F(QtDialogs, OpenDialogStartsInTheDataFolderWithDataFilesPreselected)
{
    QString title;
    QFileDialog::FileMode mode{};
    QFileDialog::AcceptMode accept{};
    QString directory;
    QStringList filters;
    QString selectedFilter;
    OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        mode = dialog.fileMode();
        accept = dialog.acceptMode();
        directory = dialog.directory().path();
        filters = dialog.nameFilters();
        selectedFilter = dialog.selectedNameFilter();
        typeFileName(dialog, folder.filePath("run2.csv"));
    });

    const std::optional<QString> chosen = platform.chooseFile(request(0));

    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, folder.filePath("run2.csv"));
    EXPECT_EQ(title, "Choose calibration data");
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(accept, QFileDialog::AcceptOpen);
    EXPECT_EQ(QDir(directory), QDir(folder.path()));
    EXPECT_EQ(filters, QStringList({"Data File (*.txt,csv) (*.txt *.csv)", "All Files (*.*) (*)"}));
    // The user reads the labels alone, without the pattern lists Qt needs.
    EXPECT_EQ(selectedFilter, "Data File (*.txt,csv)");
}

TEST_F(QtDialogs, CancellingADialogChoosesNothing)
{
    OnNextModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(platform.chooseFile(request(1)).has_value());
}

TEST_F(QtDialogs, SaveDialogProposesTheLastFileAndConfirmsOverwriting)
{
    QFileDialog::AcceptMode accept{};
    bool confirms = false;
    QStringList proposed;
    OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
        accept = dialog.acceptMode();
        confirms = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        proposed = dialog.selectedFiles();
        dialog.reject();
    });

    platform.chooseFile(request(2));

    EXPECT_EQ(accept, QFileDialog::AcceptSave);
    EXPECT_TRUE(confirms);
    EXPECT_EQ(proposed, QStringList{folder.filePath("run1.txt")});
}

TEST_F(QtDialogs, SaveIntoAMissingFolderAsksAgain)
{
    bool warned = false;
    OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
        OnNextModal<QMessageBox>([&](QMessageBox& warning) {
            warned = warning.text().contains("does not exist");
            warning.accept();
            // Back in the file dialog, the user gives up.
            OnNextModal<QFileDialog>([](QFileDialog& again) { again.reject(); });
        });
        typeFileName(dialog, folder.filePath("no such folder/out.txt"));
    });

    EXPECT_FALSE(platform.chooseFile(request(3)).has_value());
    EXPECT_TRUE(warned);
}

TEST_F(QtDialogs, MessagesHaveTheProgramsNameNoIconAndOnlyOk)
{
    QString title, text;
    QMessageBox::Icon icon{};
    QMessageBox::StandardButtons buttons{};
    OnNextModal<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        buttons = box.standardButtons();
        box.accept();
    });

    platform.showMessage("failed at FACT");

    EXPECT_EQ(title, "Quorlin");
    EXPECT_EQ(text, "failed at FACT");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

TEST_F(QtDialogs, QuestionsHaveTheirOwnTitleAndYesAsDefault)
{
    QString title;
    QMessageBox::Icon icon{};
    bool yesIsDefault = false;
    auto answer = [&](QMessageBox::StandardButton button) {
        OnNextModal<QMessageBox>([&, button](QMessageBox& box) {
            title = box.windowTitle();
            icon = box.icon();
            yesIsDefault = box.defaultButton() == box.button(QMessageBox::Yes);
            box.button(button)->click();
        });
    };

    answer(QMessageBox::No);
    EXPECT_FALSE(platform.askYesNo("Delete selected data point?", "Calibration data"));
    EXPECT_EQ(title, "Calibration data");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_TRUE(yesIsDefault);

    answer(QMessageBox::Yes);
    EXPECT_TRUE(platform.askYesNo("Delete selected data point?", "Data for adjustment"));
    EXPECT_EQ(title, "Data for adjustment");
}

TEST_F(QtDialogs, HelpOpensOneManualWindowBesideTheOwner)
{
    platform.showHelp();
    platform.showHelp();

    const QList<HelpWindow*> windows = owner.findChildren<HelpWindow*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.front()->isVisible());
    EXPECT_TRUE(windows.front()->isWindow());
    EXPECT_FALSE(windows.front()->isModal());
    EXPECT_EQ(windows.front()->browser()->source(), QUrl(HelpWindow::kContentsPage));
}

TEST(QtPlatform, ProgramFolderIsTheExecutablesFolder)
{
    QtPlatformServices platform;
    EXPECT_EQ(platform.programFolder(), QCoreApplication::applicationDirPath());
}

}  // namespace
}  // namespace quorlin
