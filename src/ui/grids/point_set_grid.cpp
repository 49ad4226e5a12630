#include "ui/grids/point_set_grid.h"

#include "session/point_editing.h"
#include "ui/grids/cell_edit_box.h"
#include "ui/grids/cell_editor.h"
#include "ui/grids/deletion_question.h"

namespace quorlin {

PointSetGrid::PointSetGrid(PointSet& points, const RegionalSettings& regional, GridServices& services,
                           QWidget* container, std::function<void()> afterStore)
    : PointGrid(container), points_(points), services_(services), editBox_(new CellEditBox(container)),
      editor_(std::make_unique<CellEditor>(*this, *editBox_, EditTargets{&points.volume, &points.emf}, regional,
                                           services, std::move(afterStore)))
{
    connect(editor_.get(), &CellEditor::valueStored, this, &PointSetGrid::pointsChanged);
}

PointSetGrid::~PointSetGrid() = default;

void PointSetGrid::finishEdit() { editor_->finishEdit(); }

void PointSetGrid::insertPoint()
{
    finishEdit();
    const std::int32_t row = insertZeroPoint(points_, this->row());
    fill();
    setCurrentCell(row, fixedCols());
    emit pointsChanged();
}

PointSetGrid::Deletion PointSetGrid::deleteCurrentPoint(const QString& title)
{
    finishEdit();
    if (points_.count <= 0) return Deletion::NoPoints;
    const bool yes = askToDeleteCurrentRow(*this, services_, title);
    if (yes) removePoint(points_, row());
    fill();
    if (yes) emit pointsChanged();
    return yes ? Deletion::Deleted : Deletion::Kept;
}

}  // namespace quorlin
