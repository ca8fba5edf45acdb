#include "compare/ui/FrmCompare.h"

#include "core/AppState.h"
#include "core/DocumentOps.h"
#include "core/Language.h"
#include "core/ui/ChildPlacement.h"
#include "core/ui/CommonCaptions.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QString text(const char* key) {
    return LanguageText(QStringLiteral("Compare"), QLatin1String(key));
}
} // namespace

FrmCompare::FrmCompare(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmCompare"));
    setWindowTitle(text("Title"));
    // Small enough for the child area of a small screen: the list scrolls.
    setMinimumSize(320, 200);

    label1_ = new QLabel;
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);

    grid_ = new QTableWidget(0, 4);
    grid_->setObjectName(QStringLiteral("GridDifferences"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);

    copyButton_ = new QPushButton(text("Copy"));
    copyButton_->setObjectName(QStringLiteral("CommandCopy"));
    closeButton_ = new QPushButton;
    closeButton_->setObjectName(QStringLiteral("CommandClose"));
    connect(copyButton_, &QPushButton::clicked, this, &FrmCompare::copyReport);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copyButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    SetCloseCaption(this);
}

void FrmCompare::showDifferences(const QList<Difference>& differences, const QString& other) {
    differences_ = differences;
    other_ = other;
    setWindowTitle(text("Title") + QStringLiteral(" - ") + other);
    grid_->setHorizontalHeaderLabels(
        {text("ColumnPlace"), text("ColumnField"), text("ColumnMine"), other});
    grid_->setRowCount(static_cast<int>(differences.size()));
    for (int r = 0; r < differences.size(); ++r) {
        const Difference& d = differences.at(r);
        const QStringList cells{DifferencePlace(d), d.field, d.mine, d.theirs};
        for (int c = 0; c < 4; ++c)
            grid_->setItem(r, c, new QTableWidgetItem(cells.at(c)));
    }
    grid_->resizeColumnsToContents();
    label1_->setText(differences.isEmpty() ? NoDifferencesText()
                                           : text("Count").arg(differences.size()).arg(other));
    grid_->setVisible(!differences.isEmpty());
    // The new contents may have grown the window: it stays inside the child area.
    FitIntoRoom(this);
}

QString FrmCompare::reportText() const {
    return DifferenceCopyText(differences_, FileNameOf(app().documentName), other_);
}

void FrmCompare::copyReport() {
    QApplication::clipboard()->setText(reportText());
}
