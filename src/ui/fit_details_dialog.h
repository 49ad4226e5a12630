#pragma once

#include <QDialog>

class QLabel;

namespace quorlin {

class Session;

// Calibration › Fit details…: what the last converged fit rests on — points used and left
// out, the parameters beside their double-precision optimum with standard deviations and
// 95% intervals, their correlations, the precision cross-check, the outlier candidates,
// the influential points and the runs test; or that the points do not determine the
// parameters. Not modal, so the grid stays at hand; showStatistics renews it.
class FitDetailsDialog final : public QDialog {
    Q_OBJECT
public:
    FitDetailsDialog(const Session& session, QWidget* parent);

    void showStatistics();
    QString detailsText() const;

private:
    const Session& session_;
    QLabel* details_;
};

}  // namespace quorlin
