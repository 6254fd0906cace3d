// Qt side of the application object, the dialog font and style, icons and the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QStringList>

#include "winsys/qt/focus_style.h"
#include "winsys/qt/qt_app.h"

namespace velmarto::winsys {
namespace {

// The dialog font, with the stand-ins a Linux desktop has for it.
const QStringList kFontFamilies = {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic",
                                   "Noto Sans CJK JP"};
constexpr int kPointSize = 9;
constexpr int kIconSizes[] = {16, 32, 48};

}  // namespace

bool SetClipboardText(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        return false;
    }
    clipboard->setText(qt::ToQt(text));
    return true;
}

namespace qt {

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ApplyApplicationLook() {
    QApplication::setStyle(new FocusStyle);
    QFont font;
    font.setFamilies(kFontFamilies);
    font.setPointSize(kPointSize);
    QApplication::setFont(font);
}

QIcon LoadIcon(Icon icon) {
    QIcon image;
    for (int size : kIconSizes) {
        image.addFile(QString(":/icons/%1/velmarto-%2.png").arg(icon.resourceId).arg(size));
    }
    return image;
}

}  // namespace qt
}  // namespace velmarto::winsys
