#include "Dialogs.h"

void Dialogs::inform(const QString &text, const QString &caption)
{
    message(text, caption, Buttons::Ok, Icon::None, Answer::Ok);
}
