#include "PaletteFixture.h"

#include <QMessageBox>
#include <QPushButton>

namespace palette::testing {

void BoxAnswerer::answer()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return;
    Seen shown{box->objectName(), box->windowTitle(), box->text(), {}, {}, box->icon() != QMessageBox::NoIcon};
    const QList<QAbstractButton*> buttons = box->buttons();
    QAbstractButton* pick = nullptr;
    for (QAbstractButton* button : buttons) {
        shown.buttons << button->text();
        if (button->text() == answer_)
            pick = button;
    }
    if (box->defaultButton())
        shown.defaultButton = box->defaultButton()->text();
    seen.push_back(shown);
    if (pick)
        pick->click();
    else
        box->reject();
}

} // namespace palette::testing
