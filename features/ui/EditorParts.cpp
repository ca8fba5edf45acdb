#include "features/ui/EditorParts.h"

#include "core/ui/CommonCaptions.h"
#include "core/ui/Help.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

QString ControlName(const char* base, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index);
}

QComboBox* NewList(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setEditable(false);
    return list;
}

QCheckBox* NewCheck(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QGroupBox* NewFrame(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

void PlaceLabelLeftOf(QLabel* label, const QString& text, const QWidget* box, int gapTwips) {
    label->setText(text);
    label->adjustSize();
    label->resize(label->width(), box->height());
    label->move(box->x() - label->width() - Twips(gapTwips), box->y());
}

void AddHelpCloseButtons(QWidget* window, int x, int y, int helpContext) {
    auto* help = new QPushButton(window);
    help->setObjectName(QStringLiteral("CommandHelp"));
    help->setGeometry(x, y, 90, 28);
    auto* close = new QPushButton(window);
    close->setObjectName(QStringLiteral("CommandClose"));
    close->setGeometry(x + 100, y, 90, 28);
    SetCloseHelpCaptions(window);
    QObject::connect(help, &QPushButton::clicked, window,
                     [window, helpContext] { ShowHelpContext(helpContext, window); });
    QObject::connect(close, &QPushButton::clicked, window, [window] { window->close(); });
}

void InstallContextHelp(QWidget* window, int windowContext) {
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), window);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(f1, &QShortcut::activated, window, [window, windowContext] {
        int context = windowContext;
        if (QWidget* focused = window->focusWidget()) {
            const QVariant own = focused->property("helpContext");
            if (own.isValid()) context = own.toInt();
        }
        ShowHelpContext(context, window);
    });
}

void SetHelpContext(QWidget* control, int context) {
    control->setProperty("helpContext", context);
}

void FillList(QComboBox* list, const QStringList& items) {
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

namespace {
class KeyFilter : public QObject {
  public:
    KeyFilter(QLineEdit* box, std::function<int(int)> filter)
        : QObject(box), box_(box), filter_(std::move(filter)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_) return false;
        // A middle click pastes the X11 selection past every key rule.
        if ((event->type() == QEvent::MouseButtonPress ||
             event->type() == QEvent::MouseButtonRelease) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy) ||
            key->matches(QKeySequence::Paste))
            return true;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (filter_('\r') < 0) moveOn();
            return true;
        }
        const QString text = key->text();
        if (text.isEmpty()) return false;
        const int code = text.at(0).unicode();
        const int result = filter_(code);
        if (result < 0) {
            moveOn();
            return true;
        }
        if (result == 0) return true;
        if (result != code) {
            box_->insert(QString(QChar(result)));
            return true;
        }
        return false;
    }

  private:
    void moveOn() {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(box_, &tab);
    }

    QLineEdit* box_;
    std::function<int(int)> filter_;
};
} // namespace

void InstallKeyFilter(QLineEdit* box, std::function<int(int)> filter) {
    box->installEventFilter(new KeyFilter(box, std::move(filter)));
    box->setDragEnabled(false);
    box->setAcceptDrops(false);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
}

void StoreOnCommit(QLineEdit* box, std::function<void()> store) {
    QObject::connect(box, &QLineEdit::editingFinished, box, [box, store = std::move(store)] {
        if (!box->isModified()) return;
        box->setModified(false);
        store();
    });
}

void CommitBox(QLineEdit* box) {
    Q_EMIT box->editingFinished();
}
