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
    connect(editor_.get(), &CellEditor::valueStored, this, &PointSetGrid::pointsChanged);
    addGridAction(*this, QStringLiteral("Copy"), "Ctrl+Shift+C", &PointSetGrid::copyToClipboard);
    addGridAction(*this, QStringLiteral("Paste"), "Ctrl+Shift+V", &PointSetGrid::pasteFromClipboard);
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

    storePastedPoints(points_, first, pasted);
    fill();
    setCurrentCell(first, fixedCols());
    setSelectionEnd(last, 2);
    if (afterStore_) afterStore_();
    emit pointsChanged();
}

void PointSetGrid::insertPoint()
{
    finishEdit();
    const std::int32_t row = insertZeroPoint(points_, this->row());
    fill();
    setCurrentCell(row, fixedCols());
    emit pointsChanged();
}

PointSetGrid::Deletion PointSetGrid::deleteCurrentPoint()
{
    finishEdit();
    if (points_.count <= 0) return Deletion::NoPoints;
    const bool yes = askToDeleteCurrentRow(*this, services_, title_);
    if (yes) removePoint(points_, row());
    fill();
    if (yes) emit pointsChanged();
    return yes ? Deletion::Deleted : Deletion::Kept;
}

}  // namespace quorlin
