#pragma once

#include "ui/grids/grid_services.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quorlin::test {

// Records what the grids show and answers the deletion question without a dialog.
class FakeGridServices final : public GridServices {
public:
    bool answer = true;
    // Runs while the question is "open", to look at the grid then.
    std::function<void()> whileAsking;

    int beeps = 0;
    QStringList messages;
    QStringList questions;
    QStringList questionTitles;

    void beep() override { ++beeps; }
    void showMessage(const QString& text) override { messages << text; }
    bool askYesNo(const QString& text, const QString& title) override
    {
        questions << text;
        questionTitles << title;
        if (whileAsking) whileAsking();
        return answer;
    }
};

}  // namespace quorlin::test
