#include "link/ui/FrmEMG.h"

#include "core/AppState.h"
#include "core/Band.h"
#include "core/ui/ComboHelpers.h"
#include "core/ui/CommonCaptions.h"
#include "core/ui/Help.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const Tr kCaption{QStringLiteral("Embedded Message"), QStringLiteral("嵌入信息")};
constexpr int kHelpContext = 3800;
constexpr int kLabelGap = 50; // twips between a label column and its boxes

// One shown value: its label, where it sits, and the record field it shows.
struct Row {
    Tr label;
    int column; // 0 or 1
    int row;
    const QString RadioInfoRecord::*field; // nullptr: a list or a label alone
};

const Row kRows[] = {
    {{QStringLiteral("Radio Type"), QStringLiteral("机型")}, 0, 0, nullptr},
    {{QStringLiteral("Frequency"), QStringLiteral("频段")}, 0, 1, nullptr},
    {{QStringLiteral("Area Code"), QStringLiteral("销售区号")}, 0, 2, &RadioInfoRecord::areaCode},
    {{QStringLiteral("Serial Number"), QStringLiteral("序列号")},
     0,
     3,
     &RadioInfoRecord::serialNumber},
    {{QStringLiteral("Producted Date"), QStringLiteral("出厂日期")},
     0,
     4,
     &RadioInfoRecord::productionDate},
    {{QStringLiteral("Manufacture Code"), QStringLiteral("生产批号")},
     0,
     5,
     &RadioInfoRecord::productionBatch},
    {{QStringLiteral("User Code"), QStringLiteral("客户代码")},
     0,
     6,
     &RadioInfoRecord::customerCode},
    {{QStringLiteral("Maintained Date"), QStringLiteral("维修日期")},
     0,
     7,
     &RadioInfoRecord::repairDate},
    {{QStringLiteral("Version"), QStringLiteral("固件版本")}, 0, 8, &RadioInfoRecord::versionText},
    {{QStringLiteral("Maintained"), QStringLiteral("维修原因")},
     0,
     9,
     &RadioInfoRecord::repairReason},
    {{QStringLiteral("Dealer Code"), QStringLiteral("经销商代码")},
     1,
     2,
     &RadioInfoRecord::dealerCode},
    {{QStringLiteral("Stock Date"), QStringLiteral("入库时间")}, 1, 3, &RadioInfoRecord::stockDate},
    {{QStringLiteral("Sell Date"), QStringLiteral("销售时间")}, 1, 4, &RadioInfoRecord::saleDate},
    {{QStringLiteral("Seller"), QStringLiteral("经手人")}, 1, 5, &RadioInfoRecord::seller},
    {{QStringLiteral("Description"), QString()}, 1, 6, nullptr},
};

constexpr int kBoxLeft[2] = {150, 480};
constexpr int kBoxWidth = 190;
constexpr int kRowHeight = 24;
int rowTop(int row) {
    return 16 + 32 * row;
}

// The text up to its first NUL.
QString shown(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}
} // namespace

FrmEMG::FrmEMG(QWidget* parent) : ModalWindow("FrmEMG", parent) {
    setWindowTitle(kCaption());
    setFixedSize(700, 450);
    const RadioInfoRecord& info = app().radioInfo;

    auto* model = new QComboBox(this);
    model->setObjectName(QStringLiteral("Combo1"));
    model->addItem(app().displayModelName);
    model->setCurrentIndex(0);
    auto* band = new QComboBox(this);
    band->setObjectName(QStringLiteral("Combo2"));
    band->addItems(BandTexts());
    band->setCurrentIndex(info.bandIndex >= 0 && info.bandIndex <= 2 ? info.bandIndex : -1);
    // The window only displays: the lists show the radio's values unchangeable.
    MakeComboReadOnly(model);
    MakeComboReadOnly(band);
    model->setGeometry(kBoxLeft[0], rowTop(0), kBoxWidth, kRowHeight);
    band->setGeometry(kBoxLeft[0], rowTop(1), kBoxWidth, kRowHeight);

    int textIndex = 0;
    int labelIndex = 0;
    for (const Row& r : kRows) {
        QWidget* box = nullptr;
        if (r.row == 0 && r.column == 0) {
            box = model;
        } else if (r.row == 1 && r.column == 0) {
            box = band;
        } else if (r.field == &RadioInfoRecord::repairReason) {
            auto* reason = new QPlainTextEdit(this);
            reason->setObjectName(QStringLiteral("Text1_%1").arg(textIndex++));
            reason->setReadOnly(true);
            reason->setPlainText(shown(info.*r.field));
            reason->setGeometry(kBoxLeft[0], rowTop(r.row), kBoxLeft[1] + kBoxWidth - kBoxLeft[0],
                                kRowHeight * 3);
            box = reason;
        } else if (r.field) {
            auto* text = new QLineEdit(this);
            text->setObjectName(QStringLiteral("Text1_%1").arg(textIndex++));
            text->setReadOnly(true);
            text->setText(shown(info.*r.field));
            text->setCursorPosition(0);
            if (r.field == &RadioInfoRecord::versionText) {
                QPalette palette = text->palette();
                palette.setColor(QPalette::Base, palette.color(QPalette::Window));
                text->setPalette(palette);
            }
            box = text;
        }
        if (box && box != model && box != band && r.field != &RadioInfoRecord::repairReason)
            box->setGeometry(kBoxLeft[r.column], rowTop(r.row), kBoxWidth, kRowHeight);

        auto* label = new QLabel(r.label(), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(labelIndex++));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->adjustSize();
        label->setGeometry(kBoxLeft[r.column] - label->width() - Twips(kLabelGap), rowTop(r.row),
                           label->width(), kRowHeight);
    }

    auto* help = new QPushButton(this);
    help->setObjectName(QStringLiteral("CommandHelp"));
    help->setGeometry(480, 400, 90, 28);
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("CommandClose"));
    close->setGeometry(580, 400, 90, 28);
    close->setDefault(true);
    SetCloseHelpCaptions(this);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpContext(kHelpContext, this); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}
