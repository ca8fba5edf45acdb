#include "core/ui/ComboHelpers.h"

#include <QComboBox>
#include <QLocale>

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
