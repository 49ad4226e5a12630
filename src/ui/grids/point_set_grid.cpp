#include "ui/grids/point_set_grid.h"

#include "session/point_editing.h"
#include "ui/grids/cell_edit_box.h"
#include "ui/grids/cell_editor.h"
#include "ui/grids/deletion_question.h"
#include "ui/grids/grid_clipboard.h"
#include "ui/grids/grid_services.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace quorlin {

namespace {
// The grid's own keys: Ctrl+C is the window's Calibrate and must stay so.
void addGridAction(PointSetGrid& grid, const QString& caption, const char* keys, void (PointSetGrid::*command)())
{
    auto* action = new QAction(caption, &grid);
    action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, &grid, command);
    grid.addAction(action);
}
}  // namespace

PointSetGrid::PointSetGrid(PointSet& points, const RegionalSettings& regional, GridServices& services,
                           QWidget* container, QString title, std::function<void()> afterStore)
    : PointGrid(container), points_(points), regional_(regional), services_(services), title_(std::move(title)),
      afterStore_(afterStore), editBox_(new CellEditBox(container)),
      editor_(std::make_unique<CellEditor>(*this, *editBox_, EditTargets{&points.volume, &points.emf}, regional,
                                           services, std::move(afterStore)))
{
    connect(editor_.get(), &CellEditor::aboutToStore, this, [this] { beforeEdit_ = snapshot(); });
    connect(editor_.get(), &CellEditor::valueStored, this, [this] { recordChange(beforeEdit_, tr("Edit point")); });
    addGridAction(*this, tr("Copy"), "Ctrl+Shift+C", &PointSetGrid::copyToClipboard);
    addGridAction(*this, tr("Paste"), "Ctrl+Shift+V", &PointSetGrid::pasteFromClipboard);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

PointSetGrid::~PointSetGrid() = default;

void PointSetGrid::finishEdit() { editor_->finishEdit(); }

void PointSetGrid::copyToClipboard()
{
    finishEdit();
    QGuiApplication::clipboard()->setText(gridText(*this, copiedRange(*this)));
}

void PointSetGrid::pasteFromClipboard() { pastePoints(QGuiApplication::clipboard()->text()); }

void PointSetGrid::pastePoints(const QString& text)
{
    finishEdit();
    const auto read = readPastedPoints(text, regional_);
    if (const auto* error = std::get_if<QString>(&read)) {
        services_.showMessage(*error);
        return;
    }
    const PastedPoints& pasted = std::get<PastedPoints>(read);
    if (pasted.volume.empty()) {
        services_.beep();
        return;
    }
    const std::int32_t first = points_.count > 0 ? std::max(row(), 1) : 1;
    const auto last = first + static_cast<std::int32_t>(pasted.volume.size()) - 1;
    const std::int32_t lastReplaced = std::min(last, points_.count);
    if (lastReplaced >= first && !services_.askYesNo(replaceQuestion(first, lastReplaced), title_)) return;

    const GridSnapshot before = snapshot();
    storePastedPoints(points_, first, pasted);
    fill();
    setCurrentCell(first, fixedCols());
    setSelectionEnd(last, 2);
    if (afterStore_) afterStore_();
    recordChange(before, tr("Paste points"));
}

void PointSetGrid::insertPoint()
{
    finishEdit();
    const GridSnapshot before = snapshot();
    const std::int32_t row = insertZeroPoint(points_, this->row());
    fill();
    setCurrentCell(row, fixedCols());
    recordChange(before, tr("Add point"));
}

PointSetGrid::Deletion PointSetGrid::deleteCurrentPoint()
{
    finishEdit();
    if (points_.count <= 0) return Deletion::NoPoints;
    const GridSnapshot before = snapshot();
    const bool yes = askToDeleteCurrentRow(*this, services_, title_);
    if (yes) removePoint(points_, row());
    fill();
    if (yes) recordChange(before, tr("Delete point"));
    return yes ? Deletion::Deleted : Deletion::Kept;
}

GridSnapshot PointSetGrid::snapshot() const
{
    GridSnapshot shot{points_, {}, row(), col(), {}};
    for (int i = 1; i <= points_.count; ++i) shot.texts.push_back({text(i, 1), text(i, 2)});
    return shot;
}

void PointSetGrid::restore(const GridSnapshot& shot)
{
    finishEdit();
    points_ = shot.points;
    fill();
    // Cells keep the texts they showed, typed ones included, as a save writes them.
    for (int i = 1; i <= shot.points.count; ++i)
        for (int c = 1; c <= 2; ++c) {
            const QString& shown = shot.texts[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(c - 1)];
            if (text(i, c) != shown) setText(i, c, shown);
        }
    setCurrentCell(shot.row, shot.col);
    if (afterStore_) afterStore_();
    emit pointsChanged();
}

void PointSetGrid::recordUndoable(const GridSnapshot& before, const QString& command)
{
    emit pointsEdited(before, tr("%1 (%2)").arg(command, title_));
}

void PointSetGrid::recordChange(const GridSnapshot& before, const QString& command)
{
    recordUndoable(before, command);
    emit pointsChanged();
}

}  // namespace quorlin
