#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace quorlin {

// Menu shortcuts come first in the window: Ctrl+C calibrates and Ctrl+A adds a point
// even while a text box, which would copy or select all, has the focus. A disabled
// command's key still reaches the text box.
class MenuShortcutFilter final : public QObject {
    Q_OBJECT

public:
    MenuShortcutFilter(QWidget* window, QList<QAction*> actions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isMenuShortcut(const QKeySequence& pressed) const;

    QPointer<QWidget> window_;
    QList<QAction*> actions_;
};

}  // namespace quorlin
