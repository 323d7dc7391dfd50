#pragma once

#include "customers/RecordPrintLayout.h"

#include <QDialog>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TDruckeForm;
}
class QTextEdit;

// "Datensatz drucken": the lines of a customer record (or of the counting) in a plain-text
// memo, which the user may change, and "Drucken..." prints them on the program's printer,
// wrapped at the page rectangle's width and broken onto new pages. The caller sets the page
// rectangle (half-inch margins of the printer's page) before each use. The dialog lives for
// the whole run; the memo keeps its text until the next command fills it.
class TDruckeForm : public QDialog {
    Q_OBJECT

public:
    explicit TDruckeForm(QWidget* parent = nullptr);
    ~TDruckeForm() override;

    void SetPageRect(const RecordPrintLayout::Rect& rect) { pageRect_ = rect; }
    const RecordPrintLayout::Rect& PageRect() const { return pageRect_; }

    // Replaces the memo's text by these lines.
    void SetLines(const std::vector<std::u16string>& lines);
    QStringList Lines() const;
    QTextEdit* RichEdit1() const;

    // "Drucken...": prints the memo's lines as one job titled "Datensatz", the values of all
    // lines in one column. False when the job could not start or the print system did not
    // take it (the user has been told).
    bool BitBtn2Click();

private:
    // Sets the memo's tab stop so that the values after the labels start in one column.
    void AlignValues();

    std::unique_ptr<Ui::TDruckeForm> ui;
    RecordPrintLayout::Rect pageRect_;
};
