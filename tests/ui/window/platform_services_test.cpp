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
        return fileCommandDialog(index, folder.path().toStdString(), captions);
    }

    QTemporaryDir folder;
    QWidget owner;
    QtPlatformServices platform;
};

TEST_F(QtDialogs, OpenDialogStartsInTheDataFolderWithDataFilesPreselected)
{
    OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Choose calibration data");
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.directory(), QDir(folder.path()));
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Data File (*.txt,csv) (*.txt *.csv)", "All Files (*.*) (*)"}));
        // The user reads the labels alone, without the pattern lists Qt needs.
        EXPECT_EQ(dialog.selectedNameFilter(), "Data File (*.txt,csv)");
        typeFileName(dialog, folder.filePath("run2.csv"));
    });
    EXPECT_EQ(platform.chooseFile(request(0)), folder.filePath("run2.csv"));
}

TEST_F(QtDialogs, SaveDialogProposesTheLastFileConfirmsOverwritingAndCanBeCancelled)
{
    OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog.selectedFiles(), QStringList{folder.filePath("run1.txt")});
        dialog.reject();
    });
    EXPECT_EQ(platform.chooseFile(request(2)), std::nullopt);
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

    EXPECT_EQ(platform.chooseFile(request(3)), std::nullopt);
    EXPECT_TRUE(warned);
}

// Messages carry the program's name, questions their own title; neither has an icon.
TEST_F(QtDialogs, MessageBoxesAndQuestions)
{
    OnNextModal<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Quorlin");
        EXPECT_EQ(box.text(), "failed at FACT");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        box.accept();
    });
    platform.showMessage("failed at FACT");

    for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
        OnNextModal<QMessageBox>([button](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Calibration data");
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
            box.button(button)->click();
        });
        EXPECT_EQ(platform.askYesNo("Delete selected data point?", "Calibration data"), button == QMessageBox::Yes);
    }
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

}  // namespace
}  // namespace quorlin
