#include "ui/customers/TDruckeForm.h"

#include "messages/MessageCatalog.h"
#include "messages/PrintMessages.h"
#include "ui/shared/PrintJobs.h"
#include "ui/shared/QtText.h"
#include "ui_TDruckeForm.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

// Measuring in a font on a device; tabs never reach it (the layout splits lines at them).
class FontMeasure final : public RecordPrintLayout::Measure {
public:
    explicit FontMeasure(const QFontMetrics& metrics) : metrics_(metrics) {}

    int TextWidth(std::u16string_view text) const override
    {
        return metrics_.horizontalAdvance(QString::fromUtf16(text.data(), qsizetype(text.size())));
    }
    int LineHeight() const override { return metrics_.height(); }

private:
    QFontMetrics metrics_;
};

std::vector<std::u16string> ToLines(const QStringList& lines)
{
    std::vector<std::u16string> result;
    result.reserve(size_t(lines.size()));
    for (const QString& line : lines)
        result.push_back(ToU16(line));
    return result;
}

}  // namespace

TDruckeForm::TDruckeForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TDruckeForm>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(ui->RichEdit1, &QTextEdit::textChanged, this, &TDruckeForm::AlignValues);
}

TDruckeForm::~TDruckeForm() = default;

QTextEdit* TDruckeForm::RichEdit1() const
{
    return ui->RichEdit1;
}

void TDruckeForm::SetLines(const std::vector<std::u16string>& lines)
{
    QStringList text;
    for (const std::u16string& line : lines)
        text << ToQString(line);
    ui->RichEdit1->setPlainText(text.join(QLatin1Char('\n')));
}

void TDruckeForm::AlignValues()
{
    // The box's tab stop from the widest label in the box's own font, as on paper.
    const FontMeasure measure(QFontMetrics(ui->RichEdit1->font()));
    const int stop = RecordPrintLayout::TabStop(measure, ToLines(Lines()));
    ui->RichEdit1->setTabStopDistance(stop > 0 ? stop : 80);
}

QStringList TDruckeForm::Lines() const
{
    const QString text = ui->RichEdit1->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

bool TDruckeForm::BitBtn2Click()
{
    const std::vector<std::u16string> lines = ToLines(Lines());
    PrintJob job(ToQString(MessageText(202)), std::u16string(PrintMessages::kRecordAdvice));
    QPainter painter;
    if (!job.Begin(painter))
        return false;
    QPrinter& printer = job.Printer();
    // The memo's font at the same point size, measured on the printer.
    const QFont font(ui->RichEdit1->font(), &printer);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font, &printer);
    const FontMeasure measure(metrics);
    int page = 0;
    for (const RecordPrintLayout::Run& run : RecordPrintLayout::Layout(measure, lines, pageRect_)) {
        while (page < run.page) {
            printer.newPage();
            ++page;
        }
        painter.drawText(QPoint(run.x, run.y + metrics.ascent()), ToQString(run.text));
    }
    return job.Finish(painter);
}
