#include "channels/ui/FrmCommChInfo.h"

// Building the channel grid window: its grid, editors and buttons, and its
// captions in the current language.

#include "channels/ChannelGridState.h"
#include "channels/ChannelTable.h"
#include "channels/ChannelTexts.h"
#include "channels/ui/ChannelGridLayout.h"
#include "channels/ui/ChannelWindows.h"
#include "channels/ui/ComboItems.h"
#include "channels/ui/FrequencyKeys.h"
#include "channels/ui/FrmCHInfoEdit.h"
#include "channels/ui/GuardedCall.h"
#include "codec/Frequency.h"
#include "codec/Tone.h"
#include "core/AppState.h"
#include "core/ui/ComboHelpers.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/Help.h"
#include "core/ui/TextWidths.h"
#include "core/ui/WindowRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

using namespace ChannelGrid;

void FrmCommChInfo::InitShowGrid() {
    GuardedCall("frmCommChInfo_InitShowGridError", [&] {
        resize(Twips(10000), Twips(6600));

        // The headers are hidden before the grid gets its rows and columns: a
        // visible header measures every section's heading as they are added.
        grid_ = new ChannelGridTable(this);
        grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
        grid_->horizontalHeader()->hide();
        grid_->verticalHeader()->hide();
        grid_->setRowCount(kRows);
        grid_->setColumnCount(kColumns);
        grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid_->setSelectionMode(QAbstractItemView::NoSelection);
        grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid_->setWordWrap(true);
        grid_->setTabKeyNavigation(true);
        grid_->setRowHeight(0, Twips(500));
        for (int r = 1; r < kRows; ++r)
            grid_->setRowHeight(r, Twips(315));
        const QBrush fixedBack = palette().brush(QPalette::Button);
        const QBrush fixedText = palette().brush(QPalette::ButtonText);
        for (int c = 0; c < kColumns; ++c) {
            grid_->setColumnWidth(c, Twips(kColumnTwips[static_cast<std::size_t>(c)]));
            grid_->setColumnHidden(c, kColumnTwips[static_cast<std::size_t>(c)] == 0);
            for (int r = 0; r < kRows; ++r) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                if (r == 0 || c == 0) {
                    // Headings and row numbers are fixed: never current, never edited.
                    item->setFlags(Qt::NoItemFlags);
                    item->setBackground(fixedBack);
                    item->setForeground(fixedText);
                } else {
                    item->setFlags(Qt::ItemIsEnabled);
                }
                grid_->setItem(r, c, item);
            }
        }
        for (int r = 1; r < kRows; ++r) {
            grid_->item(r, 0)->setText(QString::number(r));
            grid_->item(r, kMoreColumn)->setText(kMore);
        }
        QWidget* cells = grid_->viewport();
        text1_ = new QLineEdit(cells);
        text1_->setObjectName(QStringLiteral("Text1"));
        text1_->setFrame(false);
        text1_->setAlignment(Qt::AlignCenter);
        PrepareFrequencyBox(text1_);

        auto makeSelector = [&](const char* name) {
            auto* combo = new QComboBox(cells);
            combo->setObjectName(QLatin1String(name));
            LimitVisibleItems(combo);
            combo->installEventFilter(this);
            connect(combo, &QComboBox::activated, this, [this, combo] { selectorChosen(combo); });
            combo->hide();
            return combo;
        };
        combo1_ = makeSelector("Combo1_0");
        combo2_ = makeSelector("Combo2_0");
        combo3_ = makeSelector("Combo3_0");
        combo4_0_ = makeSelector("Combo4_0");
        combo4_1_ = makeSelector("Combo4_1");
        combo5_ = makeSelector("Combo5_0");
        text1_->installEventFilter(this);
        text1_->hide();

        label1_ = new QLabel(this);
        label1_->setObjectName(QStringLiteral("Label1"));
        combo6_ = new QComboBox(this);
        combo6_->setObjectName(QStringLiteral("Combo6"));
        for (int g = 1; g <= kGroups; ++g)
            combo6_->addItem(QString::number(g));
        combo6_->installEventFilter(this);
        label1_->setBuddy(combo6_);
        editButton_ = new QPushButton(this);
        editButton_->setObjectName(QStringLiteral("CommandCHInfoEdit"));
        closeButton_ = new QPushButton(this);
        closeButton_->setObjectName(QStringLiteral("CommandClose"));
        helpButton_ = new QPushButton(this);
        helpButton_->setObjectName(QStringLiteral("CommandHelp"));

        auto* bottom = new QHBoxLayout;
        bottom->addWidget(label1_);
        bottom->addWidget(combo6_);
        bottom->addStretch(1);
        bottom->addWidget(editButton_);
        bottom->addWidget(closeButton_);
        bottom->addWidget(helpButton_);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(grid_, 1);
        layout->addLayout(bottom);

        setTabOrder(grid_, combo6_);
        setTabOrder(combo6_, editButton_);
        setTabOrder(editButton_, closeButton_);
        setTabOrder(closeButton_, helpButton_);

        connect(grid_, &QTableWidget::currentCellChanged, this,
                [this](int row, int column, int, int) { enterCell(row, column); });
        connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
            // A click on the current cell whose editor is closed opens it again.
            if (row == grid_->currentRow() && column == grid_->currentColumn() && row >= 1 &&
                !editorVisible())
                EnterGridEdit();
        });
        connect(grid_, &ChannelGridTable::enterPressed, this, [this] {
            if (grid_->currentRow() >= 1) EnterGridEdit();
        });
        connect(grid_, &ChannelGridTable::typedIntoCell, this, [this](const QString& text) {
            const int column = grid_->currentColumn();
            if (grid_->currentRow() < 1 || (column != 1 && column != 2)) return;
            EnterGridEdit();
            text1_->insert(text); // replaces the selected cell text
        });
        connect(grid_, &ChannelGridTable::focusReturned, this, [this] {
            const int column = grid_->currentColumn();
            if (!editorVisible() && grid_->currentRow() >= 1 && column >= 1 && column <= 9)
                EnterGridEdit();
        });
        connect(combo6_, &QComboBox::activated, this, [this] { groupChosen(); });
        connect(editButton_, &QPushButton::clicked, this, [this] {
            GuardedCall("frmCommChInfo_CommandCHInfoEdit_Click", [&] {
                SaveShowGridData();
                openEditWindow();
            });
        });
        connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
        connect(helpButton_, &QPushButton::clicked, this,
                [this] { ShowHelpContext(kHelpContext, this); });
    });
}

void FrmCommChInfo::ChangShowByLanguage() {
    GuardedCall("frmCommChInfo_ChangShowByLanguage", [&] {
        for (int c = 0; c < kColumns; ++c)
            grid_->item(0, c)->setText(kHeadings[static_cast<std::size_t>(c)]());
        SetComboItems(combo1_, ToneList());
        SetComboItems(combo2_, TxPowerListWords());
        SetComboItems(combo4_0_, ScanAddListWords());
        SetComboItems(combo5_, OptSignalListWords());
        SetComboItems(combo4_1_, OffOnListWords());
        SetComboItems(combo3_, SpacingListWords());
        editButton_->setText(kChannelEdit());
        label1_->setText(kGroup());
        SetCloseHelpCaptions(this);
        renewCaption(gridState().row);
        fitColumns();
    });
}

void FrmCommChInfo::fitColumns() {
    // The nominal widths, widened where this font needs more room for a
    // frequency, a list word or the longest word of a heading.
    TextWidths widths(grid_->font());
    int gridWidth = 2 * grid_->frameWidth();
    for (int c = 0; c < kColumns; ++c) {
        const int nominal = Twips(kColumnTwips[static_cast<std::size_t>(c)]);
        if (nominal == 0) continue;
        QStringList texts = grid_->item(0, c)->text().split(QLatin1Char(' '));
        int room = 12;
        if (c == 1 || c == 2) texts.append(QStringLiteral("000.00000"));
        if (QComboBox* selector = selectorOf(c)) {
            for (int i = 0; i < selector->count(); ++i)
                texts.append(selector->itemText(i));
            room = 34; // the selector's arrow
        }
        const int width = std::max(nominal, widths.widestOver(texts, nominal - room) + room);
        grid_->setColumnWidth(c, width);
        gridWidth += width;
    }
    int gridHeight = 2 * grid_->frameWidth();
    for (int r = 0; r < kRows; ++r)
        gridHeight += grid_->rowHeight(r);
    grid_->setMinimumSize(gridWidth, gridHeight);
    resize(std::max(width(), gridWidth + 24), std::max(height(), gridHeight + 60));
}

void FrmCommChInfo::ReShowChInfoByLanguage() {
    ChangShowByLanguage();
    SetGridData();
}
