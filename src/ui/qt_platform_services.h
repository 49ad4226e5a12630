#pragma once

#include "platform_services.h"
#include "qt_settings_store.h"

#include <QCoreApplication>
#include <QPointer>

class QWidget;

namespace quorlin {

class HelpWindow;

// The desktop as the user meets it: Qt's own file dialogs (the same on every desktop),
// message boxes without icons, the system beep, the help window and QSettings.
class QtPlatformServices final : public PlatformServices {
    Q_DECLARE_TR_FUNCTIONS(QtPlatformServices)

public:
    QtPlatformServices();
    ~QtPlatformServices() override;

    // Dialogs and the help window belong to this window once it exists.
    void setParentWindow(QWidget* window);

    void beep() override;
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text, const QString& title) override;
    bool askBeforeRisk(const QString& text) override;
    SaveChoice askToSave(const QString& text) override;
    std::optional<QString> chooseFile(FileDialogRequest& request) override;
    std::optional<QSize> chooseImageSize(QSize proposed) override;
    void print(const QString& documentName, const PagePainter& page) override;
    std::optional<DataKind> askDataKind(const QString& path) override;
    void showHelp() override;
    void showAbout(const QString& title, const QString& text) override;
    SettingsStore& settings() override;
    RegionalSettings regional() const override;
    QString programFolder() const override;

private:
    QPointer<QWidget> parent_;
    QPointer<HelpWindow> help_;
    QtSettingsStore settings_;
    RegionalSettings regional_;
};

}  // namespace quorlin
