#include "window_controls.h"

#include "tab_strip.h"
#include "ui/graph_widget.h"
#include "ui/grids/correction_grid.h"
#include "ui/grids/data_grid.h"
#include "ui/grids/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace quorlin {

namespace {

template <typename W>
W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// Labels size themselves to their text, so only the top-left corner is designed.
QLabel* label(QWidget* container, const QString& name, const QString& text, double left, double top)
{
    auto* l = named(new QLabel(text, container), name);
    placeInTwips(*l, left, top, 0, 0);
    l->adjustSize();
    return l;
}

QLabel* parameterLabel(QWidget* container, int index, const QColor& colour, double left)
{
    QLabel* l = label(container, QStringLiteral("Parameter(%1)").arg(index), "?", left, 240);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}

// The designed boxes are 13 pixels high: room for the text only with a thin border.
QLineEdit* box(QWidget* container, int index)
{
    auto* b = named(new QLineEdit(container), QStringLiteral("Box(%1)").arg(index));
    b->setStyleSheet("QLineEdit { border: 1px solid palette(mid); background: palette(base); padding: 0px 1px; }");
    return b;
}

QFrame* panel(QWidget* client, int index)
{
    auto* frame = named(new QFrame(client), QStringLiteral("DataFrame(%1)").arg(index));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAutoFillBackground(true);
    return frame;
}

}  // namespace

WindowControls buildWindowControls(QWidget* client, const GridDependencies& grids)
{
    WindowControls c;

    c.DataTab = named(new TabStrip({"Calibration", "Adjustment"}, client), "DataTab");
    placeInTwips(*c.DataTab, 0, 480, 11475, 8055);
    c.DataTab->hide();

    QFrame* calibration = c.DataFrame[1] = panel(client, 1);
    c.FileName[0] = label(calibration, "FileName(0)", "?", 120, 120);
    c.Label1 = label(calibration, "Label1", "Acid concn. /M", 120, 600);
    c.Box[0] = box(calibration, 0);
    placeInTwips(*c.Box[0], 1440, 600, 735, 195);
    c.Label2 = label(calibration, "Label2", "Initial volume /ml", 120, 840);
    c.Box[1] = box(calibration, 1);
    placeInTwips(*c.Box[1], 1440, 840, 735, 195);

    c.ParFrame = named(new QGroupBox("Parameters", calibration), "ParFrame");
    placeInTwips(*c.ParFrame, 2280, 480, 4815, 615);
    c.Label3 = label(c.ParFrame, "Label3", "Ezero", 120, 240);
    c.Parameter[1] = parameterLabel(c.ParFrame, 1, QColor(0, 0, 192), 600);
    c.Label4 = label(c.ParFrame, "Label4", "Slope", 1800, 240);
    c.Parameter[2] = parameterLabel(c.ParFrame, 2, QColor(0, 0, 255), 2280);
    c.Label5 = label(c.ParFrame, "Label5", "j corr", 3360, 240);
    c.Parameter[3] = parameterLabel(c.ParFrame, 3, QColor(0, 0, 128), 3840);
    c.rmserror = label(calibration, "rmserror", "", 7200, 720);

    c.DataGrid = new DataGrid(grids.ws, grids.regional, grids.services, calibration);
    c.Graph = named(new Graph(calibration), "Graph");
    placeInTwips(*c.Graph, 2280, 1200, 1815, 6375);

    QFrame* adjustment = c.DataFrame[2] = panel(client, 2);
    c.FileName[1] = label(adjustment, "FileName(1)", "?", 120, 120);
    c.CorrectionGrid =
        new CorrectionGrid(grids.ws, grids.regional, grids.services, grids.calibrationAvailable, adjustment);
    return c;
}

}  // namespace quorlin
