// The radio-information window shows every field of the area from its own bytes.

#include "TestSupport.h"

#include "core/AppState.h"
#include "link/ImageConversion.h"
#include "link/RadioInfoImage.h"
#include "link/ui/FrmEMG.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <map>

namespace {
class RadioInfoWindow : public ProgramTest {};

// The text of the box on the label's row, right of it.
QString BoxBeside(QWidget* window, QLabel* label) {
    QWidget* nearest = nullptr;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QPlainTextEdit*>(w) &&
            !qobject_cast<QComboBox*>(w))
            continue;
        if (w->y() != label->y() || w->x() <= label->x()) continue;
        if (!nearest || w->x() < nearest->x()) nearest = w;
    }
    if (auto* line = qobject_cast<QLineEdit*>(nearest)) return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(nearest)) return plain->toPlainText();
    if (auto* list = qobject_cast<QComboBox*>(nearest)) return list->currentText();
    return QStringLiteral("(no box)");
}
} // namespace

// Each field is filled to its full length with a text of its own (first letter
// its own, then the position), every byte between fields with "x": a field read
// from a neighbour's bytes, one byte off or past its end shows something else.
TEST_F(RadioInfoWindow, EveryFieldIsReadFromItsOwnBytes) {
    struct Field {
        const char* label;
        int offset;
        int length;
    };
    const Field fields[] = {
        {"Area Code", 2696, 4},       {"Serial Number", 2704, 16}, {"Producted Date", 2720, 16},
        {"Manufacture Code", 2736, 8}, {"User Code", 2744, 4},     {"Maintained Date", 2752, 16},
        {"Dealer Code", 2768, 16},    {"Stock Date", 2784, 16},    {"Sell Date", 2800, 16},
        {"Seller", 2816, 16},         {"Maintained", 2832, 96},    {nullptr, 2689, 5}, // model text
    };
    FillImage();
    RadioImage& image = app().image;
    std::fill(image.begin() + 0xA80, image.begin() + 0xB80, 'x');
    image[2688] = 0;
    image[2694] = 1;
    std::map<QString, QString> expected;
    char letter = 'A';
    for (const Field& f : fields) {
        QByteArray text(1, letter++);
        for (int i = 1; i < f.length; ++i)
            text.append(char('0' + i % 10));
        std::copy(text.begin(), text.end(), image.begin() + f.offset);
        expected[f.label ? QString::fromLatin1(f.label) : QStringLiteral("model")] =
            QString::fromLatin1(text);
    }
    ApplyRadioInfoFromImage();
    EXPECT_EQ(app().radioInfo.modelText, expected["model"]);
    expected.erase("model");
    expected["Radio Type"] = "ZR580";
    expected["Frequency"] = "200 - 260 MHz";
    expected["Version"] = "V1.00";
    expected["Description"] = "(no box)";

    FrmEMG window;
    std::map<QString, QString> shown;
    for (QLabel* label : window.findChildren<QLabel*>())
        shown[label->text()] = BoxBeside(&window, label);
    EXPECT_EQ(shown, expected);
}
