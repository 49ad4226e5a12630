#include "ui/grids/cell_edit_box.h"

#include "ui/grids/point_grid.h"

#include <QKeyEvent>
#include <QPalette>

namespace quorlin {

CellEditBox::CellEditBox(QWidget* container) : QLineEdit(container)
{
    useDesignFontSize(*this);
    setFrame(false);
    setBackground(kArrowMoveColor);
    hide();
}

void CellEditBox::setBackground(const QColor& color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, color);
    // The two backgrounds are light whatever the palette.
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
}

QColor CellEditBox::background() const { return palette().color(QPalette::Base); }

bool CellEditBox::event(QEvent* event)
{
    // Not claiming the key lets Ctrl+A, Ctrl+C and the like reach the menu; a Ctrl key
    // that no menu item takes still arrives here as an ordinary key press.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent*>(event)->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return false;
    }
    return QLineEdit::event(event);
}

}  // namespace quorlin
