#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class AusgabePage;
}

// The tab "Rechnung Drucken/PDF Ausgabe": the document kind and the output of the selected
// invoice. The kind starts as "Rechnung" at every start and is not stored.
class AusgabePage : public QWidget {
    Q_OBJECT

public:
    explicit AusgabePage(QWidget* parent = nullptr);
    ~AusgabePage() override;

    // 0 "Rechnung" … 7 "Bestellung".
    int DocumentKind() const;

Q_SIGNALS:
    // ArtComboChange: the preview repaints with the new kind.
    void DocumentKindChanged(int kind);

private:
    std::unique_ptr<Ui::AusgabePage> ui;
};
