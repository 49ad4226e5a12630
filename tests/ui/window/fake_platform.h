#pragma once

#include "support/memory_settings_store.h"
#include "ui/platform_services.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace quorlin::testing {

// The desktop with scripted answers: file dialogs take the next queued answer (none
// left means the user cancels), questions the next queued Yes/No (Yes when none is
// queued). Everything the window asked is recorded.
class FakePlatform final : public PlatformServices {
public:
    struct Question {
        QString text;
        QString title;
    };

    void beep() override { ++beeps; }
    void showMessage(const QString& text) override { messages << text; }
    bool askYesNo(const QString& text, const QString& title) override
    {
        questions.push_back({text, title});
        if (answers.empty()) return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::optional<QString> chooseFile(const FileDialogRequest& request) override
    {
        dialogs.push_back(request);
        if (files.empty()) return std::nullopt;
        const std::optional<QString> answer = files.front();
        files.pop_front();
        return answer;
    }
    void showHelp() override { ++helpShown; }
    SettingsStore& settings() override { return store; }
    RegionalSettings regional() const override { return regionalSettings; }
    QString programFolder() const override { return folder; }

    // Forgets what was asked so far; the scripted answers and settings stay.
    void forgetRecorded()
    {
        beeps = 0;
        messages.clear();
        questions.clear();
        dialogs.clear();
        helpShown = 0;
    }

    int beeps = 0;
    QStringList messages;
    std::vector<Question> questions;
    std::deque<bool> answers;
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::optional<QString>> files;
    int helpShown = 0;
    MemorySettingsStore store;
    RegionalSettings regionalSettings;
    QString folder = "/opt/quorlin";
};

}  // namespace quorlin::testing
