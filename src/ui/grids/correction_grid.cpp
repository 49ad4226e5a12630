#include "ui/grids/correction_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/cell_editor.h"
#include "ui/grids/deletion_question.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_arrays.h"
#include "ui/grids/twips.h"

namespace quorlin {

CorrectionGrid::CorrectionGrid(Workspace& ws, const RegionalSettings& regional, GridServices& services,
                               std::function<bool()> calibrationAvailable, QWidget* container)
    : PointGrid(container),
      ws_(ws),
      regional_(regional),
      services_(services),
      calibrationAvailable_(std::move(calibrationAvailable)),
      editBox_(new CellEditBox(container)),
      editor_(std::make_unique<CellEditor>(*this, *editBox_, EditTargets{&ws.AdjVolume, &ws.AdjEmf}, regional, services,
                             [this] { writeAdjustedColumn(*this, ws_, regional_); }))
{
    setObjectName(QStringLiteral("CorrectionGrid"));
    editBox_->setObjectName(QStringLiteral("EditB"));
    setCols(4);
    placeInTwips(*this, 0, 480, 2055, 975);
    placeInTwips(*editBox_, 0, 2160, 615, 255);
}

void CorrectionGrid::FillCorrectionGrid()
{
    quorlin::FillCorrectionGrid(*this, ws_);
}

std::int32_t CorrectionGrid::RunAdjustment()
{
    finishEdit();
    return writeAdjustedColumn(*this, ws_, regional_);
}

void CorrectionGrid::AdjustmentAdd()
{
    finishEdit();
    const std::int32_t r = insertZeroPoint(ws_.AdjCount, ws_.AdjVolume, ws_.AdjEmf, row());
    FillCorrectionGrid();
    setCurrentCell(r, fixedCols());
    renewAdjustedColumn();
}

void CorrectionGrid::AdjustmentDelete()
{
    finishEdit();
    if (ws_.AdjCount <= 0) return;
    const bool yes = askToDeleteCurrentRow(*this, services_, QStringLiteral("Data for adjustment"));
    const std::int32_t r = row();
    if (yes) {
        removePoint(ws_.AdjCount, ws_.AdjVolume, ws_.AdjEmf, r);
        setCurrentCell(MinOf(r, ws_.AdjCount), col());
    }
    FillCorrectionGrid();
    if (yes) renewAdjustedColumn();
}

CorrectionGrid::~CorrectionGrid() = default;

void CorrectionGrid::finishEdit()
{
    editor_->finishEdit();
}

// The adjusted texts no longer stand beside their points once points move; cleared
// first so that rows past a failing point do not keep another point's value.
void CorrectionGrid::renewAdjustedColumn()
{
    clearColumnTexts(kAdjustedColumn);
    if (calibrationAvailable_()) writeAdjustedColumn(*this, ws_, regional_);
}

}  // namespace quorlin
