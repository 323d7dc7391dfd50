#include "ui/TDruckeForm.h"

#include "messages/MessageCatalog.h"
#include "ui/PrintJobs.h"
#include "ui/QtText.h"
#include "ui_TDruckeForm.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

// Measuring and drawing in the printer's font. A tab moves on to the next stop, one stop
// every eight average character widths, so that the values of the report lines mostly line
// up; everything else is drawn as it stands.
class PrinterFontMeasure final : public RecordPrintLayout::Measure {
public:
    explicit PrinterFontMeasure(const QFontMetrics& metrics)
        : metrics_(metrics), tabStop_(std::max(1, metrics.averageCharWidth() * 8))
    {
    }

    int TextWidth(std::u16string_view text) const override { return Walk(text, nullptr, 0, 0); }
    int LineHeight() const override { return metrics_.height(); }

    // Draws the text with its top-left corner at (x, y).
    void Draw(QPainter& painter, std::u16string_view text, int x, int y) const { Walk(text, &painter, x, y); }

private:
    int Walk(std::u16string_view text, QPainter* painter, int x, int y) const
    {
        int width = 0;
        size_t start = 0;
        while (start <= text.size()) {
            const size_t tab = std::min(text.find(u'\t', start), text.size());
            const QString piece = QString::fromUtf16(text.data() + start, qsizetype(tab - start));
            if (painter && !piece.isEmpty())
                painter->drawText(QPoint(x + width, y + metrics_.ascent()), piece);
            width += metrics_.horizontalAdvance(piece);
            if (tab == text.size())
                break;
            width = (width / tabStop_ + 1) * tabStop_;
            start = tab + 1;
        }
        return width;
    }

    QFontMetrics metrics_;
    int tabStop_;
};

}  // namespace

TDruckeForm::TDruckeForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TDruckeForm>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
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

QStringList TDruckeForm::Lines() const
{
    const QString text = ui->RichEdit1->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

bool TDruckeForm::BitBtn2Click()
{
    std::vector<std::u16string> lines;
    for (const QString& line : Lines())
        lines.push_back(ToU16(line));

    QPainter painter;
    if (!BeginPrintJob(painter, ToQString(MessageText(202))))
        return false;
    QPrinter& printer = *static_cast<QPrinter*>(painter.device());
    // The memo's font at the same point size, measured on the printer.
    const QFont font(ui->RichEdit1->font(), &printer);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const PrinterFontMeasure measure(QFontMetrics(font, &printer));
    int page = 0;
    for (const RecordPrintLayout::Run& run : RecordPrintLayout::Layout(measure, lines, pageRect_)) {
        while (page < run.page) {
            printer.newPage();
            ++page;
        }
        measure.Draw(painter, run.text, run.x, run.y);
    }
    painter.end();
    return true;
}
