#pragma once

#include "ui/grids/point_set_grid.h"

#include <QString>
#include <QUndoCommand>

#include <functional>

namespace quorlin {

// Every command is pushed once the change is made: its first redo does nothing.
class AppliedCommand : public QUndoCommand {
public:
    explicit AppliedCommand(const QString& text) : QUndoCommand(text) {}
    void redo() final;

protected:
    virtual void apply() = 0;

private:
    bool applied_ = true;
};

// A change of one grid's points: a typed value, a point added, deleted or pasted.
class GridChange final : public AppliedCommand {
public:
    GridChange(PointSetGrid& grid, GridSnapshot before, const QString& text);
    void undo() override;

private:
    void apply() override;

    PointSetGrid& grid_;
    GridSnapshot before_;
    GridSnapshot after_;
};

// A constant typed into its box. Typing on in the same box adds to the same command, so
// one undo takes back the whole text.
class ConstantChange final : public AppliedCommand {
public:
    using Setter = std::function<void(int which, const QString& text)>;

    ConstantChange(int which, QString before, QString after, Setter set, const QString& text);
    int id() const override { return 1 + which_; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;

private:
    void apply() override;

    int which_;
    QString before_;
    QString after_;
    Setter set_;
};

}  // namespace quorlin
