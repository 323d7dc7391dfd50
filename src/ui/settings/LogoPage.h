#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class LogoPage;
}
class TRechnungBook;

// The tab "Logo": the image file and its place and width on the page. Every change is
// written to save.dat at once.
class LogoPage : public QWidget {
    Q_OBJECT

public:
    explicit LogoPage(QWidget* parent = nullptr);
    ~LogoPage() override;

    void Attach(TRechnungBook& book);
    void ShowSettings();
    // The file-type filter of the browse dialog (what the image layer can read).
    void SetFileFilter(const QString& filter) { filter_ = filter; }

private:
    void Changed();
    void Browse();

    std::unique_ptr<Ui::LogoPage> ui;
    TRechnungBook* book_ = nullptr;
    QString filter_;
    bool filling_ = false;
};
