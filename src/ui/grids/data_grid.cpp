#include "ui/grids/data_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/cell_editor.h"
#include "ui/grids/deletion_question.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_arrays.h"
#include "ui/grids/twips.h"

namespace quorlin {

DataGrid::DataGrid(Workspace& ws, const RegionalSettings& regional, GridServices& services, QWidget* container)
    : PointGrid(container),
      ws_(ws),
      services_(services),
      editBox_(new CellEditBox(container)),
      editor_(std::make_unique<CellEditor>(*this, *editBox_, EditTargets{&ws.CalVolume, &ws.CalEmf}, regional, services))
{
    setObjectName(QStringLiteral("DataGrid"));
    editBox_->setObjectName(QStringLiteral("EditA"));
    setCols(3);
    placeInTwips(*this, 0, 1320, 2055, 2655);
    placeInTwips(*editBox_, 0, 4440, 615, 255);
}

void DataGrid::FillDataGrid()
{
    quorlin::FillDataGrid(*this, ws_);
}

void DataGrid::CalibrationAdd()
{
    finishEdit();
    const std::int32_t r = insertZeroPoint(ws_.CalCount, ws_.CalVolume, ws_.CalEmf, row());
    FillDataGrid();
    setCurrentCell(r, fixedCols());
    emit calibrationPointAdded();
}

void DataGrid::CalibrationDelete()
{
    finishEdit();
    if (ws_.CalCount <= 0) return;
    const bool yes = askToDeleteCurrentRow(*this, services_, QStringLiteral("Calibration data"));
    const std::int32_t r = row();
    if (yes) removePoint(ws_.CalCount, ws_.CalVolume, ws_.CalEmf, r);
    FillDataGrid();
    setCurrentCell(MinOf(MaxOf(1, r), ws_.CalCount), col());
}

DataGrid::~DataGrid() = default;

void DataGrid::finishEdit()
{
    editor_->finishEdit();
}

}  // namespace quorlin
