#include "about_text.h"

#include "about_box.h"

QString AboutTitle() {
    return QString::fromUtf8(AboutBoxTitle());
}

QString AboutText() {
    return QString::fromStdString(AboutBoxText());
}
