#include "ui/grids/point_marks.h"

#include "session/session.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_grid.h"
#include "ui/grids/qt_text.h"
#include "wording/adjustment_flags.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QStringList>

#include <cmath>

namespace quorlin {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("PointMarks", text); }

QVariant excludedRole(int role)
{
    if (role == Qt::ForegroundRole) return QColor(Qt::gray);
    if (role == Qt::ToolTipRole) return tr("Left out of the fit (Ctrl+E takes it in again)");
    if (role != Qt::FontRole) return {};
    QFont font;
    font.setStrikeOut(true);
    return font;
}

// The shade of a value to look at twice: an outlier candidate, a doubtful adjusted value.
const QColor kDoubtfulShade(255, 214, 170);

QVariant outlierRole(double studentized, double p, int role)
{
    if (role == Qt::BackgroundRole) return kDoubtfulShade;
    if (role == Qt::ToolTipRole)
        return tr("Externally studentised residual %1, Bonferroni-adjusted p = %2: an outlier candidate")
            .arg(QString::number(studentized, 'f', 2), QString::number(p, 'g', 3));
    return {};
}

// Whether the calibration in force fitted point `row` as the grid shows it. Asked for
// every cell painted, so it looks at that point, not at the whole data.
bool fittedAsShown(const CalibrationRecord& record, const CalibrationState& shown, std::int32_t row)
{
    const CalibrationData& fitted = record.input->data;
    return &shown == record.input.get()
           || (fitted.count == shown.data.count && sameBits(fitted.acidConcentration, shown.data.acidConcentration)
               && sameBits(fitted.initialVolume, shown.data.initialVolume)
               && record.leftOut() == shown.exclusions.points()
               && sameBits(pointOr0(fitted.volume, row), pointOr0(shown.data.volume, row))
               && sameBits(pointOr0(fitted.emf, row), pointOr0(shown.data.emf, row)));
}

}  // namespace

PointGridModel::CellRoles calibrationPointMarks(const Session& session)
{
    return [&session](int row, int, int role) -> QVariant {
        const Calibration& calibration = session.calibration();
        if (row < 1 || row > calibration.count()) return {};
        if (calibration.exclusions().contains(row)) return excludedRole(role);
        // The marks of the fit belong to the points it fitted.
        const CalibrationRecord* record = calibration.record().get();
        if (!record || !fittedAsShown(*record, calibration.state(), row)) return {};
        if (const std::optional<OutlierCandidate> outlier = record->outlierCandidate(row))
            return outlierRole(record->pointStatistic(&FitStatistics::externallyStudentized, row), outlier->p, role);
        return {};
    };
}

PointGridModel::CellRoles adjustedValueMarks(const Session& session, const PointGrid& grid)
{
    return [&session, &grid](int row, int col, int role) -> QVariant {
        if ((role != Qt::ToolTipRole && role != Qt::BackgroundRole) || col != kAdjustedColumn
            || grid.text(row, col).isEmpty())
            return {};
        const std::shared_ptr<const AdjustmentResult> result = session.adjustmentResult();
        const auto k = static_cast<std::size_t>(row - 1);
        const ReadingFlags flags = row >= 1 && k < result->flags.points.size() ? result->flags.points[k] : 0;
        if (role == Qt::BackgroundRole) return flags != 0 ? QVariant(kDoubtfulShade) : QVariant();
        QStringList lines;
        if (flags != 0) {
            QString text = qStringOf(readingFlagsText(flags, result->flags));
            lines << text.left(1).toUpper() + text.mid(1);
        }
        const double sigma = session.adjustedSigma(row).calibration;
        if (std::isfinite(sigma))
            lines << tr("σ = %1 mV from the calibration's uncertainty").arg(QString::number(sigma, 'g', 3));
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n')));
    };
}

}  // namespace quorlin
