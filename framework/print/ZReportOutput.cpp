// The report on paper, in the print preview and in PDF files.

#include "TZReportRenderer.h"
#include "ZReportPrint.h"

#include "common/ZDialogOwner.h"
#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "controls/ZFileDialogs.h"
#include "forms/ZMessageBox.h"

#include <QAction>
#include <QBuffer>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {

constexpr int PdfResolution = 300;

/// The print preview at the size of its owner's window: the dialog picks a
/// small size of its own when it is first shown, so it is sized after that.
class TPreviewDialog final : public QPrintPreviewDialog
{
public:
    TPreviewDialog(QPrinter *printer, QWidget *owner) : QPrintPreviewDialog(printer, owner), m_owner(owner) {}

    void setVisible(bool visible) override
    {
        QPrintPreviewDialog::setVisible(visible);
        if (!visible || m_sized)
            return;
        m_sized = true;
        QWidget *front = m_owner ? m_owner->window() : ZDialogOwner();
        resize(front && front != this ? front->size().expandedTo(QSize(800, 600)) : QSize(900, 700));
        if (front && front != this) {
            QRect frame = frameGeometry();
            frame.moveCenter(front->frameGeometry().center());
            move(frame.topLeft());
        }
    }

private:
    QWidget *m_owner;
    bool m_sized = false;
};

void exportPdf(const TZReportLayout &layout, const TZReportData &data)
{
    QString fileName = GetCurrPath() + QStringLiteral("*.pdf");
    if (!zSaveDialog(QStringLiteral("PDF文件(*.pdf)|*.pdf"), fileName))
        return;
    if (!fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    ZPrintReportToPdf(layout, data, fileName);
}

} // namespace

void ZPrintReportToPdf(const TZReportLayout &layout, const TZReportData &data, const QString &pdfFile)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setCreator(QStringLiteral("个人助理"));
        TZReportRenderer renderer(layout, data);
        renderer.Print(writer);
    }
    ZSaveFileAtomically(pdfFile, buffer.data());
}

void ZPreviewReport(QWidget *owner, const TZReportLayout &layout, const TZReportData &data)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(layout.page.PageLayout());
    TPreviewDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *target) {
        try {
            TZReportRenderer(layout, data).Print(*target);
        } catch (...) {
            ZShowMessage(ZCurrentExceptionMessage());
        }
    });
    if (auto *toolBar = dialog.findChild<QToolBar *>()) {
        toolBar->addSeparator();
        QAction *pdf = toolBar->addAction(QStringLiteral("导出PDF"));
        pdf->setObjectName(QStringLiteral("actExportPdf"));
        QObject::connect(pdf, &QAction::triggered, &dialog, [&] {
            try {
                exportPdf(layout, data);
            } catch (...) {
                ZShowMessage(ZCurrentExceptionMessage());
            }
        });
    }
    ZPlaceDialog(&dialog, owner);
    dialog.exec();
}
