#include "graph_window.h"

#include "button_tab_control.h"
#include "graph_chart_view.h"
#include "graph_texts.h"
#include "wait_window.h"
#include "widgets/modal_loop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>

namespace orv {

namespace t = graph_texts;

namespace {

TimeAxisKind TimeKindOf(const QComboBox *box)
{
    return TimeAxisFromName(box->currentText()).value_or(TimeAxisKind::Time);
}

} // namespace

TGrafik::TGrafik(TOgidanie *waitWindow, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      waitWindow_(waitWindow)
{
    setObjectName(QStringLiteral("TGrafik"));
    setWindowTitle(t::WindowCaption);
    setModal(true);
    BuildControls();
    resize(1180, 900);
}

TGrafik::~TGrafik() = default;

// ---------------------------------------------------------------------------------------------
// Opening and closing

void TGrafik::ShowUntilClosed()
{
    graphCloseRequested_ = false;
    RunDialogLoop(*this, graphCloseRequested_);
}

void TGrafik::Button_CloseClick()
{
    graphCloseRequested_ = true;
    reject();
}

// ---------------------------------------------------------------------------------------------
// Loading

void TGrafik::Button_Load_DataClick()
{
    QFileDialog dialog(this, t::OpenDialogTitle);
    dialog.setObjectName(QStringLiteral("DialogOpenFile"));
    dialog.setNameFilter(t::FileFilter);
    dialog.setDefaultSuffix(t::DefaultExtension);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (lastFile_.isEmpty()) {
        dialog.setDirectory(QCoreApplication::applicationDirPath());
    } else {
        dialog.setDirectory(QFileInfo(lastFile_).absolutePath());
        dialog.selectFile(lastFile_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    AddGraphFromFile(dialog.selectedFiles().constFirst());
}

void TGrafik::AddGraphFromFile(const QString &path)
{
    if (book_.Full())
        return;
    book_.ResetColours();
    lastFile_ = path;
    if (book_.AllGraphsTabPresent()) {
        book_.DropAllGraphsTab();
        ShowTabs();
    }

    LoadSurveyFile(path);

    clearSeriesBeforeDrawing_ = true;
    ShowWait(t::WaitOneGraph);
    DrawGraph();

    UpdateAllGraphsTab();
    // A file that could not be read adds nothing; with no graph there is nothing to delete.
    Button_Delete_Data->setEnabled(book_.Count() > 0);
    view_->viewport()->update();
    HideWait();

    Button_Load_Data->setEnabled(!book_.Full());
    ComboBox1->setEnabled(book_.Count() == 0);
}

bool TGrafik::LoadSurveyFile(const QString &path)
{
    const DataAxisKind axis = DataAxisFromName(ComboBox2->currentText()).value_or(DataAxisKind::Pressure);
    std::optional<SurveyGraphData> loaded = ReadSurveyFile(path, axis, TimeKindOf(ComboBox1), QLocale());
    if (!loaded) {
        QMessageBox::critical(this, t::WindowCaption, t::FileAccessError + QDir::toNativeSeparators(path));
        return false;
    }
    if (!loaded->conversionError.isEmpty()) {
        QMessageBox::critical(this, t::WindowCaption, loaded->conversionError);
        return false;
    }
    if (loaded->capped)
        QMessageBox::information(this, t::WindowCaption, t::TooManyPoints);

    const int k = book_.Add(std::move(*loaded), ComboBox2->currentText());
    if (k == 0)
        return false;
    ShowTabs();
    TabControl1->SetCurrentIndex(k - 1);
    ShowRows();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TGrafik::DrawGraph()
{
    presenter_.Draw(clearSeriesBeforeDrawing_, commonScale_, TimeKindOf(ComboBox1));
}

// ---------------------------------------------------------------------------------------------
// Tabs

void TGrafik::UpdateAllGraphsTab()
{
    if (book_.OfferAllGraphs()) {
        ShowTabs();
        clearSeriesBeforeDrawing_ = false;
        DrawGraph();
    }
}

void TGrafik::TabControl1Change(int index)
{
    if (index + 1 > book_.Count()) {
        Button_Load_Data->setEnabled(false);
        Button_Delete_Data->setEnabled(false);
        clearSeriesBeforeDrawing_ = false;
        presenter_.SetLegendVisible(true);
        ShowWait(t::WaitAllGraphs);
        for (int k = 1; k <= book_.Count(); ++k) {
            book_.SetCurrent(k);
            commonScale_ = true;
            DrawGraph();
            commonScale_ = false;
        }
    } else {
        book_.SetCurrent(index + 1);
        Button_Load_Data->setEnabled(!book_.Full());
        Button_Delete_Data->setEnabled(true);
        presenter_.SetLegendVisible(false);
        ShowWait(t::WaitOneGraph);
        clearSeriesBeforeDrawing_ = true;
        DrawGraph();
    }
    HideWait();
}

void TGrafik::SelectTab(int index)
{
    QAbstractButton *button = TabControl1->TabButton(index);
    if (button)
        button->click();
}

void TGrafik::ComboBox1Change(int index)
{
    presenter_.ShowTimeAxisTitle(static_cast<TimeAxisKind>(index));
}

// ---------------------------------------------------------------------------------------------
// Deleting

void TGrafik::Button_Delete_DataClick()
{
    DeleteGraph();
    if (!book_.AllGraphsTabPresent())
        UpdateAllGraphsTab();
}

void TGrafik::DeleteGraph()
{
    const int k = book_.Current();
    if (k < 1 || k > book_.Count())
        return;
    book_.DeleteCurrent();
    ShowTabs();
    ShowRows();
    TabControl1->SetCurrentIndex(book_.Current() - 1);
    clearSeriesBeforeDrawing_ = true;
    DrawGraph();
    if (book_.Count() == 0) {
        Button_Delete_Data->setEnabled(false);
        ComboBox1->setEnabled(true);
    }
    Button_Load_Data->setEnabled(!book_.Full());
}

// ---------------------------------------------------------------------------------------------
// Zoom

void TGrafik::ZoomTo(const QRectF &valueRect)
{
    Chart1Zoom(valueRect);
}

void TGrafik::UndoZoom()
{
    Chart1UndoZoom();
}

void TGrafik::Chart1Zoom(const QRectF &valueRect)
{
    presenter_.Zoom(valueRect);
}

void TGrafik::Chart1UndoZoom()
{
    const int tab = TabControl1->CurrentIndex();
    presenter_.UndoZoom(tab + 1 > book_.Count() && book_.AllGraphsTabPresent());
}

// ---------------------------------------------------------------------------------------------
// Copy and print

void TGrafik::Button_CopyClick()
{
    FlushChartLayout();
    const qreal ratio = view_->devicePixelRatioF();
    QImage image(view_->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    view_->render(&painter);
    painter.end();
    QGuiApplication::clipboard()->setImage(image);
}

void TGrafik::Button_PrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    // Margins of 5 % of the sheet on every side.
    const QRectF sheet = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    printer.setPageMargins(QMarginsF(sheet.width() * 0.05, sheet.height() * 0.05, sheet.width() * 0.05,
                                     sheet.height() * 0.05),
                           QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &TGrafik::PaintChart);
    preview.resize(size());
    preview.exec();
    view_->viewport()->update();
}

void TGrafik::PaintChart(QPrinter *printer)
{
    FlushChartLayout();
    QPainter painter(printer);
    const QSizeF page = printer->pageLayout().paintRectPixels(printer->resolution()).size();
    // The chart as it is on screen, as large as fits within the margins, in the middle.
    const QRect source = view_->viewport()->rect();
    const QSizeF fitted = QSizeF(source.size()).scaled(page, Qt::KeepAspectRatio);
    const QRectF target(QPointF((page.width() - fitted.width()) / 2, (page.height() - fitted.height()) / 2), fitted);
    view_->render(&painter, target, source, Qt::KeepAspectRatio);
}

// ---------------------------------------------------------------------------------------------
// Helpers

void TGrafik::FlushChartLayout()
{
    // The chart lays its axes out on a posted request; a picture taken before that would show
    // the lines of the new range under the labels of the old one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void TGrafik::ShowWait(const QString &text)
{
    if (waitWindow_)
        waitWindow_->ShowWaiting(text);
}

void TGrafik::HideWait()
{
    if (waitWindow_)
        waitWindow_->HideWaiting();
}

void TGrafik::ShowTabs()
{
    const QStringList captions = book_.TabCaptions();
    while (TabControl1->Count() > captions.size())
        TabControl1->RemoveTab(TabControl1->Count() - 1);
    while (TabControl1->Count() < captions.size())
        TabControl1->AddTab(captions.at(TabControl1->Count()));
    for (int i = 0; i < captions.size(); ++i)
        if (TabControl1->TabText(i) != captions.at(i))
            TabControl1->SetTabText(i, captions.at(i));
}

void TGrafik::ShowRows()
{
    for (int row = 1; row <= MaxGraphs; ++row)
        for (int c = 0; c < SummaryColumns; ++c)
            if (StringGrid1->item(row - 1, c)->text() != book_.Cell(row, c))
                StringGrid1->item(row - 1, c)->setText(book_.Cell(row, c));
}

QString TGrafik::SummaryCell(int row, int column) const
{
    if (column < 0 || column >= SummaryColumns)
        return QString();
    if (row == 0)
        return StringGrid1->horizontalHeaderItem(column)->text();
    const QTableWidgetItem *item = StringGrid1->item(row - 1, column);
    return item ? item->text() : QString();
}

QStringList TGrafik::TabCaptions() const
{
    QStringList captions;
    for (int i = 0; i < TabControl1->Count(); ++i)
        captions << TabControl1->TabText(i);
    return captions;
}

int TGrafik::SelectedTab() const
{
    return TabControl1->CurrentIndex();
}

} // namespace orv
