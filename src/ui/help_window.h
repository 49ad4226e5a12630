#pragma once

#include <QWidget>

class QTextBrowser;

namespace quorlin {

// The user manual: HTML pages from the resources in a browser with Back, Forward and
// Contents. It is a window of its own that stays open beside the main window.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kContentsPage = "qrc:/help/index.html";

    explicit HelpWindow(QWidget* owner = nullptr);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace quorlin
