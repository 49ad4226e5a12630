#include "window_controls.h"

#include "tab_strip.h"
#include "ui/graph_widget.h"
#include "ui/grids/cell_edit_box.h"
#include "ui/grids/point_grid.h"

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
QLabel* label(QWidget* container, const QString& name, const QString& text, TwipsPerPixel twips, double left,
              double top)
{
    auto* l = named(new QLabel(text, container), name);
    l->move(TwipsToPixels(left, twips.x), TwipsToPixels(top, twips.y));
    l->adjustSize();
    return l;
}

QLabel* parameterLabel(QWidget* container, int index, const QColor& colour, TwipsPerPixel twips, double left)
{
    QLabel* l = label(container, QString("Parameter(%1)").arg(index), "?", twips, left, 240);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}

QFrame* panel(QWidget* client, int index)
{
    auto* frame = named(new QFrame(client), QString("DataFrame(%1)").arg(index));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setAutoFillBackground(true);
    return frame;
}

}  // namespace

void PlaceInTwips(QWidget* widget, TwipsPerPixel twips, double left, double top, double width, double height)
{
    widget->setGeometry(TwipsToPixels(left, twips.x), TwipsToPixels(top, twips.y), TwipsToPixels(width, twips.x),
                        TwipsToPixels(height, twips.y));
}

WindowControls BuildWindowControls(QWidget* client, TwipsPerPixel twips)
{
    WindowControls c;

    c.DataTab = named(new TabStrip({"Calibration", "Adjustment"}, client), "DataTab");
    PlaceInTwips(c.DataTab, twips, 0, 480, 11475, 8055);
    c.DataTab->hide();

    QFrame* calibration = c.DataFrame[1] = panel(client, 1);
    c.FileName[0] = label(calibration, "FileName(0)", "?", twips, 120, 120);
    c.Label1 = label(calibration, "Label1", "Acid concn. /M", twips, 120, 600);
    c.Box[0] = named(new QLineEdit(calibration), "Box(0)");
    PlaceInTwips(c.Box[0], twips, 1440, 600, 735, 195);
    c.Label2 = label(calibration, "Label2", "Initial volume /ml", twips, 120, 840);
    c.Box[1] = named(new QLineEdit(calibration), "Box(1)");
    PlaceInTwips(c.Box[1], twips, 1440, 840, 735, 195);

    c.ParFrame = named(new QGroupBox("Parameters", calibration), "ParFrame");
    PlaceInTwips(c.ParFrame, twips, 2280, 480, 4815, 615);
    c.Label3 = label(c.ParFrame, "Label3", "Ezero", twips, 120, 240);
    c.Parameter[1] = parameterLabel(c.ParFrame, 1, QColor(0, 0, 192), twips, 600);
    c.Label4 = label(c.ParFrame, "Label4", "Slope", twips, 1800, 240);
    c.Parameter[2] = parameterLabel(c.ParFrame, 2, QColor(0, 0, 255), twips, 2280);
    c.Label5 = label(c.ParFrame, "Label5", "j corr", twips, 3360, 240);
    c.Parameter[3] = parameterLabel(c.ParFrame, 3, QColor(0, 0, 128), twips, 3840);
    c.rmserror = label(calibration, "rmserror", "", twips, 7200, 720);

    c.DataGrid = named(new PointGrid(calibration), "DataGrid");
    PlaceInTwips(c.DataGrid, twips, 0, 1320, 2055, 2655);
    c.EditA = named(new CellEditBox(calibration), "EditA");
    PlaceInTwips(c.EditA, twips, 0, 4440, 615, 255);
    c.Graph = named(new GraphWidget(calibration), "Graph");
    PlaceInTwips(c.Graph, twips, 2280, 1200, 1815, 6375);

    QFrame* adjustment = c.DataFrame[2] = panel(client, 2);
    c.FileName[1] = label(adjustment, "FileName(1)", "?", twips, 120, 120);
    c.CorrectionGrid = named(new PointGrid(adjustment), "CorrectionGrid");
    c.CorrectionGrid->setCols(4);
    PlaceInTwips(c.CorrectionGrid, twips, 0, 480, 2055, 975);
    c.EditB = named(new CellEditBox(adjustment), "EditB");
    PlaceInTwips(c.EditB, twips, 0, 2160, 615, 255);
    return c;
}

}  // namespace quorlin
