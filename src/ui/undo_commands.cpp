#include "undo_commands.h"

#include <utility>

namespace quorlin {

void AppliedCommand::redo()
{
    if (!std::exchange(applied_, false)) apply();
}

GridChange::GridChange(PointSetGrid& grid, GridSnapshot before, const QString& text)
    : AppliedCommand(text), grid_(grid), before_(std::move(before)), after_(grid.snapshot())
{
}

void GridChange::undo() { grid_.restore(before_); }

void GridChange::apply() { grid_.restore(after_); }

ConstantChange::ConstantChange(int which, QString before, QString after, Setter set, const QString& text)
    : AppliedCommand(text), which_(which), before_(std::move(before)), after_(std::move(after)), set_(std::move(set))
{
}

bool ConstantChange::mergeWith(const QUndoCommand* other)
{
    after_ = static_cast<const ConstantChange*>(other)->after_;
    return true;
}

void ConstantChange::undo() { set_(which_, before_); }

void ConstantChange::apply() { set_(which_, after_); }

}  // namespace quorlin
