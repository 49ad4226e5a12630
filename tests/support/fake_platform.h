#pragma once

#include "support/memory_settings_store.h"
#include "ui/platform_services.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace quorlin::testing {

// The desktop with scripted answers: file dialogs take the next queued file (none left
// means the user cancels), questions the next queued answer (Yes, or Discard, when none
// is queued).
// What the program asked is recorded.
class FakePlatform final : public PlatformServices {
public:
    void beep() override { ++beeps; }
    void showMessage(const QString& text) override { messages << text; }
    bool askBeforeRisk(const QString& text) override { return askYesNo(text, {}); }
    bool askYesNo(const QString& text, const QString&) override { return next(answers, text).value_or(true); }
    SaveChoice askToSave(const QString& text) override { return next(saveChoices, text).value_or(SaveChoice::Discard); }
    std::optional<QString> chooseFile(FileDialogRequest& request) override
    {
        dialogs.push_back(request);
        if (const auto chosen = next(fileTypes)) request.selectedFilter = *chosen;
        return next(files);
    }
    std::optional<QSize> chooseImageSize(QSize proposed) override { return next(imageSizes).value_or(proposed); }
    // The page is drawn on a letter-sized sheet at 100 dpi.
    void print(const QString& name, const PagePainter& page) override
    {
        QImage sheet(850, 1100, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        page(painter, sheet.rect().adjusted(50, 50, -50, -50));
        painter.end();
        printed.push_back({name, sheet});
    }
    std::optional<DataKind> askDataKind(const QString& path) override { return next(dataKinds, path); }
    void showHelp() override {}
    void showAbout(const QString&, const QString&) override {}
    SettingsStore& settings() override { return store; }
    RegionalSettings regional() const override { return {}; }
    QString programFolder() const override { return "/opt/quorlin"; }

    // The next queued answer, the question asked first being recorded.
    template <typename T>
    std::optional<T> next(std::deque<T>& queue, const QString& question = {})
    {
        if (!question.isNull()) questions << question;
        if (queue.empty()) return std::nullopt;
        const T first = queue.front();
        queue.pop_front();
        return first;
    }

    int beeps = 0;
    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    std::deque<SaveChoice> saveChoices;
    std::vector<FileDialogRequest> dialogs;
    std::deque<QString> files;
    std::deque<std::size_t> fileTypes;  // the type chosen in the next file dialog
    std::deque<QSize> imageSizes;
    std::deque<DataKind> dataKinds;
    std::vector<std::pair<QString, QImage>> printed;
    MemorySettingsStore store;
};

}  // namespace quorlin::testing
