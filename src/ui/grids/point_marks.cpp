#include "ui/grids/point_marks.h"

#include "session/session.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_grid.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>

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

QVariant outlierRole(double studentized, double p, int role)
{
    if (role == Qt::BackgroundRole) return QColor(255, 214, 170);
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

PointGridModel::CellRoles adjustedSigmaTips(const Session& session, const PointGrid& grid)
{
    return [&session, &grid](int row, int col, int role) -> QVariant {
        if (role != Qt::ToolTipRole || col != kAdjustedColumn || grid.text(row, col).isEmpty()) return {};
        const double sigma = session.adjustedSigma(row);
        if (!std::isfinite(sigma)) return {};
        return tr("σ = %1 mV from the calibration's uncertainty").arg(QString::number(sigma, 'g', 3));
    };
}

}  // namespace quorlin
