#include "graph_window.h"

#include "button_tab_control.h"
#include "graph_chart_view.h"
#include "graph_texts.h"

#include <QChart>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

namespace t = graph_texts;

namespace {

constexpr int GridWidths[SummaryColumns] = {100, 72, 133, 131, 106, 105};
constexpr int GridRowHeight = 20;

// Names every control as the window's design does, for tests and for assistive technology.
void Name(QWidget *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    w->setAccessibleDescription(QLatin1String(name));
}

QFont PixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

} // namespace

void TGrafik::BuildControls()
{
    TabControl1 = new ButtonTabControl(this);
    Name(TabControl1, "TabControl1");
    TabControl1->setAccessibleName(QStringLiteral("Графики"));

    view_ = new GraphChartView(presenter_.Chart());
    presenter_.SetView(view_);
    Name(view_, "Chart1");
    view_->setAccessibleName(t::ChartTitle);
    view_->setMinimumSize(400, 300);
    TabControl1->SetPage(view_);

    StringGrid1 = new QTableWidget(MaxGraphs, SummaryColumns, this);
    Name(StringGrid1, "StringGrid1");
    StringGrid1->setAccessibleName(QStringLiteral("Сводка по графикам"));
    StringGrid1->setFont(PixelFont(QStringLiteral("Times New Roman"), 16));
    StringGrid1->setHorizontalHeaderLabels({t::GridDevice, t::GridAddress, t::GridMinimum, t::GridMaximum,
                                            t::GridUnit, t::GridCount});
    StringGrid1->horizontalHeader()->setFont(PixelFont(QStringLiteral("Times New Roman"), 16));
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setMinimumSectionSize(10);
    StringGrid1->verticalHeader()->setMinimumSectionSize(10);
    StringGrid1->horizontalHeader()->setFixedHeight(GridRowHeight);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    int width = 0;
    for (int c = 0; c < SummaryColumns; ++c) {
        StringGrid1->setColumnWidth(c, GridWidths[c]);
        width += GridWidths[c];
    }
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    const int frame = 2 * StringGrid1->frameWidth();
    StringGrid1->setFixedSize(width + frame, GridRowHeight * (MaxGraphs + 1) + frame);
    for (int r = 0; r < MaxGraphs; ++r)
        for (int c = 0; c < SummaryColumns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem());

    Label5 = new QLabel(t::DataAxisLabel, this);
    Name(Label5, "Label5");
    ComboBox2 = new QComboBox(this);
    Name(ComboBox2, "ComboBox2");
    ComboBox2->addItems(DataAxisNames());
    ComboBox2->setCurrentIndex(0);
    Label5->setBuddy(ComboBox2);

    Label1 = new QLabel(t::TimeAxisLabel, this);
    Name(Label1, "Label1");
    ComboBox1 = new QComboBox(this);
    Name(ComboBox1, "ComboBox1");
    ComboBox1->addItems(TimeAxisNames());
    ComboBox1->setCurrentIndex(0);
    Label1->setBuddy(ComboBox1);

    Button_Load_Data = new QPushButton(t::LoadButton, this);
    Name(Button_Load_Data, "Button_Load_Data");
    Button_Delete_Data = new QPushButton(t::DeleteButton, this);
    Name(Button_Delete_Data, "Button_Delete_Data");
    Button_Delete_Data->setEnabled(false);
    Button_Copy = new QPushButton(t::CopyButton, this);
    Name(Button_Copy, "Button_Copy");
    Button_Print = new QPushButton(t::PrintButton, this);
    Name(Button_Print, "Button_Print");
    Button_Close = new QPushButton(t::CloseButton, this);
    Name(Button_Close, "Button_Close");
    for (QPushButton *b : {Button_Load_Data, Button_Delete_Data, Button_Copy, Button_Print, Button_Close}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
    }

    auto *controls = new QGridLayout();
    controls->setHorizontalSpacing(10);
    controls->addWidget(Label5, 0, 0);
    controls->addWidget(ComboBox2, 0, 1);
    controls->addWidget(Label1, 1, 0);
    controls->addWidget(ComboBox1, 1, 1);
    controls->addWidget(Button_Load_Data, 2, 0);
    controls->addWidget(Button_Delete_Data, 2, 1);
    controls->addWidget(Button_Copy, 3, 0);
    controls->addWidget(Button_Print, 3, 1);
    controls->addWidget(Button_Close, 4, 0, 1, 2);
    controls->setRowStretch(5, 1);

    auto *bottom = new QHBoxLayout();
    bottom->addWidget(StringGrid1, 0, Qt::AlignTop);
    bottom->addSpacing(12);
    bottom->addLayout(controls, 1);

    auto *main = new QVBoxLayout(this);
    main->addWidget(TabControl1, 1);
    main->addLayout(bottom);

    connect(Button_Load_Data, &QPushButton::clicked, this, &TGrafik::Button_Load_DataClick);
    connect(Button_Delete_Data, &QPushButton::clicked, this, &TGrafik::Button_Delete_DataClick);
    connect(Button_Copy, &QPushButton::clicked, this, &TGrafik::Button_CopyClick);
    connect(Button_Print, &QPushButton::clicked, this, &TGrafik::Button_PrintClick);
    connect(Button_Close, &QPushButton::clicked, this, &TGrafik::Button_CloseClick);
    connect(TabControl1, &ButtonTabControl::TabChanged, this, &TGrafik::TabControl1Change);
    connect(ComboBox1, qOverload<int>(&QComboBox::currentIndexChanged), this, &TGrafik::ComboBox1Change);
    connect(view_, &GraphChartView::ZoomRequested, this,
            [this](const QRectF &scene) { Chart1Zoom(presenter_.SceneToValues(scene)); });
    connect(view_, &GraphChartView::UndoZoomRequested, this, &TGrafik::Chart1UndoZoom);
    connect(view_, &GraphChartView::Resized, this, [this] { presenter_.ApplyMargins(view_->height()); });
    // Axis labels change the plot area; react after the chart's own layout has settled.
    connect(presenter_.Chart(), &QChart::plotAreaChanged, this, [this] { presenter_.OnPlotResized(); },
            Qt::QueuedConnection);
}


} // namespace orv
