#include "core/ui/ComboHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLocale>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {
// The program's style, except that a list opens as a list below its box, where
// the visible-item limit holds.
class ListPopupStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* listPopupStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new ListPopupStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    return style;
}

// Gives its list box the list style when the box is first shown. Setting a
// style builds the box's pop-up at once; most boxes (the grid's cell editors)
// stay hidden until used, and the style looks the same as the program's, so
// the box takes it only when it can be seen or opened.
class ListStyleOnShow : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            static_cast<QComboBox*>(watched)->setStyle(listPopupStyle());
            deleteLater();
            watched->removeEventFilter(this);
        }
        return false;
    }
};

// Swallows what would open or change a display-only list.
class ReadOnlyFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};
} // namespace

int16 ComboValueOr255(const QComboBox* box) {
    if (!box || box->currentIndex() < 0) return 255;
    bool ok = false;
    const double value = QLocale::c().toDouble(box->currentText().trimmed(), &ok);
    if (!ok || value < -32768 || value > 32767) return 0;
    return static_cast<int16>(value);
}

void SelectComboText(QComboBox* box, const QString& text) {
    if (!box || box->count() == 0) return;
    const int index = box->findText(text, Qt::MatchExactly);
    box->setCurrentIndex(index < 0 ? 0 : index);
}

QString ComboItemAt(const QComboBox* box, int index) {
    if (!box || box->count() == 0) return QString();
    if (index < 0 || index >= box->count()) index = 0;
    return box->itemText(index);
}

void LimitVisibleItems(QComboBox* box, int count) {
    box->setMaxVisibleItems(count);
    if (box->isVisible())
        box->setStyle(listPopupStyle());
    else
        box->installEventFilter(new ListStyleOnShow(box));
}

void MakeComboReadOnly(QComboBox* box) {
    box->setFocusPolicy(Qt::NoFocus);
    box->installEventFilter(new ReadOnlyFilter(box));
}
