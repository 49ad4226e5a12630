#include "menu_shortcut_filter.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace quorlin {

MenuShortcutFilter::MenuShortcutFilter(QWidget* window, QList<QAction*> actions)
    : QObject(window), window_(window), actions_(std::move(actions))
{
}

bool MenuShortcutFilter::isMenuShortcut(const QKeySequence& pressed) const
{
    for (const QAction* action : actions_)
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed) return true;
    return false;
}

bool MenuShortcutFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !window_ || widget->window() != window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // Left unaccepted, the override lets the shortcut run instead of the widget's key.
    return isMenuShortcut(QKeySequence(key->keyCombination()));
}

}  // namespace quorlin
