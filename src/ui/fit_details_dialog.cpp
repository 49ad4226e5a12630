#include "fit_details_dialog.h"

#include "session/session.h"
#include "ui/grids/qt_text.h"
#include "wording/fit_details.h"
#include "wording/messages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quorlin {

namespace {

QString cells(const QStringList& texts, const QString& tag = QStringLiteral("td"))
{
    QString row = QStringLiteral("<tr>");
    for (const QString& text : texts) row += QStringLiteral("<%1 align=right>%2</%1>").arg(tag, text.toHtmlEscaped());
    return row + QStringLiteral("</tr>");
}

QString pointList(const std::vector<std::int32_t>& points)
{
    QStringList numbers;
    for (const std::int32_t point : points) numbers << QString::number(point);
    return numbers.join(QStringLiteral(", "));
}

}  // namespace

FitDetailsDialog::FitDetailsDialog(const Session& session, QWidget* parent)
    : QDialog(parent), session_(session), details_(new QLabel(this))
{
    setWindowTitle(tr("Fit details"));
    details_->setTextFormat(Qt::RichText);
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(details_);
    layout->addWidget(buttons);
    showStatistics();
}

QString FitDetailsDialog::detailsText() const { return details_->text(); }

void FitDetailsDialog::showStatistics()
{
    const CalibrationRecord* record = session_.calibration().record().get();
    if (!record || !record->statistics) {
        details_->setText(tr("No calibration has converged."));
        return;
    }
    const FitResult* fit = &record->fit;
    const FitStatistics& s = *record->statistics;
    const RegionalSettings& regional = session_.regional();
    const auto number = [&regional](double value, const char* pattern) {
        return qStringOf(formatNumber(value, pattern, regional));
    };

    QString html;
    if (session_.calibration().outOfDate())
        html += QStringLiteral("<p><b>%1</b></p>").arg(qStringOf(changedSinceText(*record)).toHtmlEscaped());
    html += QStringLiteral("<p>") + tr("%1 points fitted, %2 degrees of freedom.").arg(s.points).arg(s.points - 3);
    if (!record->leftOut().empty()) html += QLatin1Char(' ') + tr("Left out: %1.").arg(pointList(record->leftOut()));
    html += QStringLiteral("</p>");
    if (!s.identifiable) {
        for (const std::string& warning : fitWarnings(*fit, s))
            html += QStringLiteral("<p><b>%1</b></p>").arg(qStringOf(warning).toHtmlEscaped());
        details_->setText(html);
        return;
    }
    html += QStringLiteral("<table cellspacing=0 cellpadding=3 border=1>");
    html += cells({tr("Parameter"), tr("Fit"), tr("σ"), tr("95% interval ±"), tr("Double precision"),
                   tr("Correlation: Ezero"), tr("Slope"), tr("j corr")},
                  QStringLiteral("th"));
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        QStringList row{qStringOf(kParameterNames[k - 1]), number(fit->parameters[k], "###0.0000"),
                        number(s.sigma[k], "#0.0000"), number(s.ci95[k], "#0.0000"),
                        number(s.parameters[k], "###0.0000")};
        for (std::size_t j = kEzero; j <= kJcorr; ++j) row << number(s.correlation[k][j], "#0.0000");
        html += cells(row);
    }
    html += QStringLiteral("</table><p>");
    const std::string warning = precisionWarning(*fit, s);
    if (s.exactFit)
        html += qStringOf(exactFitNote()).toHtmlEscaped();
    else if (warning.empty())
        html += tr("Single and double precision agree within %1 σ.").arg(number(s.jointShift, "#0.0000"));
    else
        html += QStringLiteral("<b>%1</b>").arg(qStringOf(warning).toHtmlEscaped());
    html += QStringLiteral("</p>");
    const auto line = [](const StatisticLine& l) {
        return QStringLiteral("<p>%1: %2.</p>")
            .arg(qStringOf(l.label).toHtmlEscaped(), qStringOf(l.value).toHtmlEscaped());
    };
    if (!s.exactFit) html += line(outlierLine(*record, regional)) + line(influenceLine(*record, regional));
    if (s.runs) html += line(runsTestLine(*s.runs, regional));
    details_->setText(html);
}

}  // namespace quorlin
