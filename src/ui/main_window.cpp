#include "main_window.h"

#include "io/data_directory.h"
#include "menu_shortcut_filter.h"
#include "platform_services.h"
#include "qt_text.h"
#include "tab_strip.h"
#include "ui/graph_widget.h"
#include "ui/grids/correction_grid.h"
#include "ui/grids/data_grid.h"
#include "ui/grids/grid_sizing.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace quorlin {

namespace {

// The layout was designed for an 8.25 point dialog font of Arial's widths; the
// toolkit's larger default would overrun the designed boxes, grid cells and labels.
QFont designFont()
{
    QFont font = QApplication::font();
    font.setFamilies({"Liberation Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

QString versionCaption()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(QUORLIN_VERSION_MAJOR)
        .arg(QUORLIN_VERSION_MINOR)
        .arg(QUORLIN_VERSION_PATCH);
}

}  // namespace

MainWindow::MainWindow(PlatformServices& platform, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      format_(platform.regional()),
      twips_(twipsPerPixelOf(*this))
{
    setObjectName("MainWindow");
    setWindowTitle(kTitle);
    setWindowIcon(QIcon(":/icons/quorlin.svg"));

    // The client area below the menu bar holds the toolbar and everything else at
    // designed places, as the layout lengths are given from its top-left corner.
    auto* client = new QWidget(this);
    client->setObjectName("Client");
    client->setFont(designFont());
    setCentralWidget(client);
    actions_ = buildCommandActions(menuBar(), client);
    placeInTwips(*actions_.Tb, 0, 0, kClientWidth, 420);
    ui_ = buildWindowControls(client, {ws_, format_.regional(), platform_,
                                       [this] { return captions_.Parameter[1] != Captions::kNone; }});
    for (QLineEdit* box : ui_.Box) box->installEventFilter(this);

    connectCommands();
    resize(twipsToPixels(kClientWidth, twips_.x),
           twipsToPixels(kClientHeight, twips_.y) + menuBar()->sizeHint().height());
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectCommands()
{
    for (int i = 0; i < 4; ++i)
        connect(actions_.Choose[static_cast<std::size_t>(i)], &QAction::triggered, this, [this, i] { Choose_Click(i); });
    connect(actions_.Exit, &QAction::triggered, this, &MainWindow::Exit_Click);
    connect(actions_.Calibrate, &QAction::triggered, this, &MainWindow::Calibrate_Click);
    connect(actions_.Correct, &QAction::triggered, this, &MainWindow::Correct_Click);
    connect(actions_.CalibrationAdd, &QAction::triggered, ui_.DataGrid, &DataGrid::CalibrationAdd);
    connect(actions_.CalibrationDelete, &QAction::triggered, ui_.DataGrid, &DataGrid::CalibrationDelete);
    connect(actions_.AdjustmentAdd, &QAction::triggered, ui_.CorrectionGrid, &CorrectionGrid::AdjustmentAdd);
    connect(actions_.AdjustmentDelete, &QAction::triggered, ui_.CorrectionGrid, &CorrectionGrid::AdjustmentDelete);
    // A point typed into an empty data set makes a calibration possible.
    connect(ui_.DataGrid, &DataGrid::calibrationPointAdded, this, [this] {
        ui_.DataFrame[1]->setVisible(true);
        actions_.TbButton[6]->setEnabled(true);
        actions_.Calibrate->setEnabled(true);
    });
    connect(actions_.Help, &QAction::triggered, this, &MainWindow::Help_Click);
    connect(actions_.Version, &QAction::triggered, this, &MainWindow::Version_Click);
    connect(actions_.Tb, &QToolBar::actionTriggered, this,
            [this](QAction* button) { Tb_ButtonClick(button->data().toString()); });
    connect(ui_.DataTab, &TabStrip::tabSelected, this, &MainWindow::DataTab_Click);

    const QList<QAction*> shortcuts{actions_.Choose[2],    actions_.Choose[3],        actions_.CalibrationAdd,
                                    actions_.CalibrationDelete, actions_.Calibrate,   actions_.AdjustmentAdd,
                                    actions_.AdjustmentDelete,  actions_.Correct};
    qApp->installEventFilter(new MenuShortcutFilter(this, shortcuts));
}

void MainWindow::finishEdits()
{
    ui_.DataGrid->finishEdit();
    ui_.CorrectionGrid->finishEdit();
}

void MainWindow::Form_Load()
{
    ws_.CalCount = 0;
    ws_.AdjCount = 0;
    SetPanels();
    ui_.DataFrame[1]->raise();
    actions_.Version->setText(versionCaption());
    ws_.DataDir = readDataDirectory(platform_.settings(), platform_.programFolder().toStdString());
    SetVisible();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void MainWindow::Form_Resize()
{
    // The toolbar spans the client area as a toolbar aligned to the top does.
    actions_.Tb->resize(centralWidget()->width(), actions_.Tb->height());

    // Sizes that come out negative on a tiny window are skipped; the rest goes on.
    const int tabWidth = width() - twipsToPixels(60, twips_.x);
    const int tabHeight = height() - twipsToPixels(1140, twips_.y);
    if (tabWidth >= 0) ui_.DataTab->resize(tabWidth, ui_.DataTab->height());
    if (tabHeight >= 0) ui_.DataTab->resize(ui_.DataTab->width(), tabHeight);
    SetPanels();

    QWidget* const graph = ui_.Graph;
    const int graphWidth = ui_.DataFrame[1]->width() - graph->x() - twipsToPixels(60, twips_.x);
    const int graphHeight = ui_.DataFrame[1]->height() - graph->y() - twipsToPixels(60, twips_.y);
    if (graphWidth >= 0) graph->resize(graphWidth, graph->height());
    if (graphHeight >= 0) graph->resize(graph->width(), graphHeight);

    fitGridHeight(*ui_.DataGrid);
    fitGridWidth(*ui_.DataGrid);
    PlotData();
}

void MainWindow::SetPanels()
{
    const QRect client = ui_.DataTab->clientArea();
    for (int i : {1, 2}) ui_.DataFrame[static_cast<std::size_t>(i)]->setGeometry(client);
}

void MainWindow::SetVisible()
{
    const bool a = captions_.FileName[0] != Captions::kNone;
    const bool b = captions_.FileName[1] != Captions::kNone;

    for (QAction* command : {actions_.Choose[1], actions_.Choose[2], actions_.TbButton[2], actions_.TbButton[3],
                             actions_.TbButton[6], actions_.Calibrate})
        command->setEnabled(a);

    // The items follow their menu so that their shortcuts rest with it.
    for (QAction* command : {actions_.Choose[3], actions_.TbButton[4], actions_.TbButton[7],
                             actions_.Da->menuAction(), actions_.AdjustmentAdd, actions_.AdjustmentDelete,
                             actions_.Correct})
        command->setEnabled(b);

    ui_.DataFrame[1]->setVisible(a);
    ui_.DataFrame[2]->setVisible(b);
}

void MainWindow::DataTab_Click(int index)
{
    ui_.DataFrame[static_cast<std::size_t>(index + 1)]->raise();
    if (index == 0) PlotData();
}

void MainWindow::PlotData()
{
    quorlin::PlotData(ui_.Graph->surface(), mapping_, extents_, ws_, captions_.FileName[0],
                      actions_.Choose[1]->isEnabled(), format_.regional());
    ui_.Graph->update();
}

void MainWindow::showCaptions()
{
    auto show = [](QLabel* label, const std::string& text) {
        label->setText(qStringOf(text));
        label->adjustSize();
    };
    for (std::size_t i = 0; i < 2; ++i) show(ui_.FileName[i], captions_.FileName[i]);
    for (std::size_t i = 1; i < 4; ++i) show(ui_.Parameter[i], captions_.Parameter[i]);
    show(ui_.rmserror, captions_.rmserror);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
        (watched == ui_.Box[0] || watched == ui_.Box[1]))
        readBoxes();
    return QMainWindow::eventFilter(watched, event);
}

// Both boxes are read, Box(0) first, on every key released in either.
void MainWindow::readBoxes()
{
    for (std::size_t i = 0; i < 2; ++i) {
        const QString text = ui_.Box[i]->text();
        const NumberEntry entry = textToNumber(text.toStdString(), format_.regional());
        if (!entry.outOfRange) {
            boxComplaint_[i].reset();
        } else if (boxComplaint_[i] != text) {
            boxComplaint_[i] = text;
            platform_.showMessage(qStringOf(kInvalidEntryMessage));
        }
        (i == 0 ? ws_.AcidConc : ws_.InitVolume) = entry.number;
    }
}

void MainWindow::Tb_ButtonClick(const QString& key)
{
    if (key == "open1") Choose_Click(0);
    else if (key == "open2") Choose_Click(1);
    else if (key == "save1") Choose_Click(2);
    else if (key == "save2") Choose_Click(3);
    else if (key == "calibrate") Calibrate_Click();
    else if (key == "adjust") Correct_Click();
    else if (key == "help") Help_Click();
    else if (key == "exit") Exit_Click();
}

void MainWindow::Help_Click()
{
    platform_.showHelp();
}

void MainWindow::Version_Click() {}

void MainWindow::Exit_Click()
{
    close();
}

}  // namespace quorlin
