#pragma once

#include "support/memory_settings_store.h"
#include "ui/platform_services.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace quorlin::testing {

// The desktop with scripted answers: file dialogs take the next queued file (none left
// means the user cancels), questions the next queued answer (Yes when none is queued).
// What the program asked is recorded.
class FakePlatform final : public PlatformServices {
public:
    void beep() override { ++beeps; }
    void showMessage(const QString& text) override { messages << text; }
    bool askBeforeRisk(const QString& text) override { return askYesNo(text, {}); }
    bool askYesNo(const QString& text, const QString&) override
    {
        questions << text;
        if (answers.empty()) return true;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::optional<QString> chooseFile(const FileDialogRequest& request) override
    {
        dialogs.push_back(request);
        if (files.empty()) return std::nullopt;
        const QString answer = files.front();
        files.pop_front();
        return answer;
    }
    void showHelp() override {}
    SettingsStore& settings() override { return store; }
    RegionalSettings regional() const override { return {}; }
    QString programFolder() const override { return "/opt/quorlin"; }

    int beeps = 0;
    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    std::vector<FileDialogRequest> dialogs;
    std::deque<QString> files;
    MemorySettingsStore store;
};

}  // namespace quorlin::testing
