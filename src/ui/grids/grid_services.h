#pragma once

#include <QString>

namespace quorlin {

// The few platform services that grids need, injected so that tests answer questions
// without a modal loop. The window's platform services extend this.
class GridServices {
public:
    virtual ~GridServices() = default;
    virtual void beep() = 0;
    // Modal, OK only, no icon, title "Quorlin".
    virtual void showMessage(const QString& text) = 0;
    // Modal Yes/No question with its own title, Yes the default; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
};

}  // namespace quorlin
