#pragma once

#include <QLineEdit>

namespace quorlin {

// The borderless single-line box laid over a grid cell while it is edited, one per
// grid. Hidden except during an edit. Ctrl shortcuts are left to the window's menu, as
// its commands take precedence over the box.
class CellEditBox final : public QLineEdit {
    Q_OBJECT
public:
    static inline const QColor kArrowMoveColor{0, 255, 255};  // cyan: arrows leave the cell
    static inline const QColor kCaretMoveColor{255, 255, 0};  // yellow: arrows move the caret

    explicit CellEditBox(QWidget* container);

    void setBackground(const QColor& color);
    QColor background() const;

protected:
    bool event(QEvent* event) override;
};

}  // namespace quorlin
