#include "channels/ui/FrequencyKeys.h"

#include "core/ui/CommonCaptions.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {
// A frequency box holds the digits 0-9 and "." only.
class FrequencyCharacters : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        for (const QChar c : std::as_const(input))
            if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))) {
                pos = static_cast<int>(input.size());
                return Invalid;
            }
        return Acceptable;
    }
};

// Selects the whole text when the box is entered; a click into an unfocused box
// selects instead of placing the cursor.
class SelectAllOnEntry : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::FocusIn) {
            box->selectAll();
        } else if (event->type() == QEvent::MouseButtonPress && !box->hasFocus()) {
            box->setFocus(Qt::MouseFocusReason);
            box->selectAll();
            return true;
        }
        return false;
    }
};

bool isClipboardKey(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Copy) ||
        key->matches(QKeySequence::Paste))
        return true;
    if (!(key->modifiers() & Qt::ControlModifier)) return false;
    return key->key() == Qt::Key_X || key->key() == Qt::Key_C || key->key() == Qt::Key_V;
}
} // namespace

bool DropFrequencyKey(const QKeyEvent* key) {
    if (isClipboardKey(key)) return true;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    const QChar c = text.front();
    if (c.unicode() > 127) return true;
    if (c.unicode() < 32 || c.unicode() == 127) return false;
    return !(c.isDigit() || c == QLatin1Char('.'));
}

void PrepareFrequencyBox(QLineEdit* box) {
    box->setValidator(new FrequencyCharacters(box));
    box->setAcceptDrops(false);
    SuppressContextMenu(box);
    box->installEventFilter(new SelectAllOnEntry(box));
}
