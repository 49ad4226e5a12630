#include "window_controls.h"

#include "tab_strip.h"
#include "ui/graph_widget.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/qt_text.h"
#include "ui/grids/twips.h"
#include "wording/notices.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace quorlin {

namespace {

// The captions' translation context.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(WindowControls)
};

// Labels size themselves to their text, so only the top-left corner is designed.
QLabel* label(QWidget* container, const QString& text, double left, double top)
{
    auto* l = new QLabel(text, container);
    placeInTwips(*l, left, top, 0, 0);
    l->adjustSize();
    return l;
}

QLabel* parameterLabel(QWidget* container, const QColor& colour, double left)
{
    QLabel* l = label(container, QStringLiteral("?"), left, 240);
    QPalette palette = l->palette();
    // A disabled caption, out of date, greys as the platform greys text.
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, colour);
    // Their blues keep a light ground, as the plot does.
    if (hasDarkWindow(palette)) {
        palette.setColor(QPalette::Window, Qt::white);
        l->setAutoFillBackground(true);
    }
    l->setPalette(palette);
    return l;
}

// The designed boxes are 13 pixels high: room for the text only with a thin border.
QLineEdit* box(QWidget* container, double top)
{
    auto* b = new QLineEdit(container);
    b->setStyleSheet("QLineEdit { border: 1px solid palette(mid); background: palette(base); padding: 0px 1px; }");
    placeInTwips(*b, 1440, top, 735, 195);
    return b;
}

QFrame* panel(QWidget* client)
{
    auto* frame = new QFrame(client);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAutoFillBackground(true);
    return frame;
}

}  // namespace

WindowControls buildWindowControls(QWidget* client, Session& session, GridServices& services)
{
    WindowControls c;

    c.tabs = new TabStrip({Texts::tr("Calibration"), Texts::tr("Adjustment")}, client);
    placeInTwips(*c.tabs, 0, 480, 11475, 8055);
    c.tabs->hide();
    c.startHint = new QLabel(qStringOf(startHintText()), client);
    c.startHint->setAlignment(Qt::AlignCenter);

    QFrame* calibration = c.calibrationPanel = panel(client);
    c.calibrationFileName = label(calibration, "?", 120, 120);
    c.calibrationDataEnd = label(calibration, "", 120, 330);
    label(calibration, Texts::tr("Acid concn. /M"), 120, 600);
    c.acidConcentration = box(calibration, 600);
    label(calibration, Texts::tr("Initial volume /ml"), 120, 840);
    c.initialVolume = box(calibration, 840);

    auto* parameters = new QGroupBox(Texts::tr("Parameters"), calibration);
    placeInTwips(*parameters, 2280, 480, 4815, 615);
    label(parameters, Texts::tr("Ezero"), 120, 240);
    c.ezero = parameterLabel(parameters, QColor(0, 0, 192), 600);
    label(parameters, Texts::tr("Slope"), 1800, 240);
    c.slope = parameterLabel(parameters, QColor(0, 0, 255), 2280);
    label(parameters, Texts::tr("j corr"), 3360, 240);
    c.jCorrection = parameterLabel(parameters, QColor(0, 0, 128), 3840);
    c.rmsError = label(calibration, "", 7200, 720);

    c.calibrationGrid = new CalibrationGrid(session, services, calibration);
    c.graph = new Graph(calibration);
    placeInTwips(*c.graph, 2280, 1200, 1815, 6375);

    QFrame* adjustment = c.adjustmentPanel = panel(client);
    c.adjustmentFileName = label(adjustment, "?", 120, 120);
    c.calibrationInForce = label(adjustment, "", 3360, 480);
    c.adjustmentGrid = new AdjustmentGrid(session, services, adjustment);
    return c;
}

}  // namespace quorlin
