#pragma once

#include <QRect>
#include <QWidget>

class QTabBar;

namespace quorlin {

// A row of tabs over a framed area that holds no pages: the panels of the window lie
// on top of that area, placed there by the window, and the strip only reports which
// tab is chosen.
class TabStrip final : public QWidget {
    Q_OBJECT

public:
    TabStrip(const QStringList& captions, QWidget* parent);

    int selectedTab() const;
    // Selects a tab; tabSelected follows even when it was selected already.
    void selectTab(int index);

    // The framed area below the tab captions, in the parent's coordinates.
    QRect clientArea() const;

signals:
    void tabSelected(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect frameRect() const;

    QTabBar* bar_;
};

}  // namespace quorlin
