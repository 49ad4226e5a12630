#include "ui/grids/point_set_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/cell_editor.h"
#include "ui/grids/deletion_question.h"
#include "ui/grids/grid_clipboard.h"
#include "ui/grids/grid_services.h"
#include "ui/grids/qt_text.h"
#include "wording/messages.h"

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

PointSetGrid::PointSetGrid(Session& session, DataSet set, GridServices& services, QWidget* container, QString title)
    : PointGrid(container), session_(session), set_(set), services_(services), title_(std::move(title)),
      editBox_(new CellEditBox(container)),
      editor_(std::make_unique<CellEditor>(
          *this, *editBox_,
          [this](std::int32_t row, std::int32_t col, const QString& text) { storeText(row, col, text); }))
{
    addGridAction(*this, tr("Copy"), "Ctrl+Shift+C", &PointSetGrid::copyToClipboard);
    addGridAction(*this, tr("Paste"), "Ctrl+Shift+V", &PointSetGrid::pasteFromClipboard);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

PointSetGrid::~PointSetGrid() = default;

std::int32_t PointSetGrid::pointCount() const
{
    return set_ == DataSet::Calibration ? session_.calibration().count() : session_.adjustment().count();
}

void PointSetGrid::finishEdit() { editor_->finishEdit(); }

void PointSetGrid::storeText(std::int32_t row, std::int32_t col, const QString& text)
{
    const std::string kept = (set_ == DataSet::Calibration ? session_.calibration().text({row, col})
                                                           : session_.adjustment().text({row, col}));
    const CellEdit edit = session_.editCell(set_, {row, col}, text.toStdString());
    if (edit.entry.outOfRange)
        services_.showMessage(qStringOf(invalidEntryText()));
    else if (edit.refused && text.trimmed().isEmpty())
        services_.beep();
    else if (edit.refused)
        services_.showMessage(qStringOf(notANumberText(text.trimmed().toStdString(), kept)));
    if (!edit.changed) return;
    pointTextsChanged();
    emit pointsChanged();
}

void PointSetGrid::copyToClipboard()
{
    finishEdit();
    QGuiApplication::clipboard()->setText(gridText(*this, copiedRange(*this)));
}

void PointSetGrid::pasteFromClipboard() { pastePoints(QGuiApplication::clipboard()->text()); }

void PointSetGrid::pastePoints(const QString& text)
{
    finishEdit();
    const auto read = readPastedPoints(text, session_.regional());
    if (const auto* error = std::get_if<QString>(&read)) {
        services_.showMessage(*error);
        return;
    }
    const PastedPoints& pasted = std::get<PastedPoints>(read);
    if (pasted.volume.empty()) {
        services_.beep();
        return;
    }
    const std::int32_t count = pointCount();
    const std::int32_t first = count > 0 ? std::max(row(), 1) : 1;
    const auto last = first + static_cast<std::int32_t>(pasted.volume.size()) - 1;
    const std::int32_t lastReplaced = std::min(last, count);
    if (lastReplaced >= first && !services_.askYesNo(replaceQuestion(first, lastReplaced), title_)) return;

    session_.pastePoints(set_, first, pasted.volume, pasted.emf);
    fill();
    setCurrentCell(first, fixedCols());
    setSelectionEnd(last, 2);
    emit pointsChanged();
}

void PointSetGrid::insertPoint()
{
    finishEdit();
    const std::int32_t row = session_.insertPoint(set_, this->row());
    fill();
    setCurrentCell(row, fixedCols());
    // What is typed next is the new point's volume.
    setFocus(Qt::OtherFocusReason);
    emit pointsChanged();
}

PointSetGrid::Deletion PointSetGrid::deleteCurrentPoint()
{
    finishEdit();
    if (pointCount() <= 0) return Deletion::NoPoints;
    const bool yes = askToDeleteCurrentRow(*this, services_, title_);
    if (yes) session_.deletePoint(set_, row());
    fill();
    if (yes) emit pointsChanged();
    return yes ? Deletion::Deleted : Deletion::Kept;
}

}  // namespace quorlin
