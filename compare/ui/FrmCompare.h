#pragma once
// The window that lists what differs between the open document and a file or a
// radio: one row per difference (where, field, this document's value, the
// other's value), "No differences." when there is none, and a button that copies
// the list as text (a heading line, the column headings and a line per
// difference, tab-separated).

#include "compare/DocumentCompare.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

class FrmCompare : public QWidget {
    Q_OBJECT
  public:
    explicit FrmCompare(QWidget* parent = nullptr);

    // Shows the differences with `other` naming what the document was compared with.
    void showDifferences(const QList<Difference>& differences, const QString& other);
    // The list as the copy button puts it on the clipboard.
    QString reportText() const;
    QSize sizeHint() const override { return {640, 360}; }

  private:
    void copyReport();

    QLabel* label1_ = nullptr;     // what was compared, or "No differences."
    QTableWidget* grid_ = nullptr; // GridDifferences
    QPushButton* copyButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QList<Difference> differences_;
    QString other_; // what the document was compared with
};
