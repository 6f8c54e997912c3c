#include "skin/loader/SkinAboutBox.h"

#include "skin/controls/LxImage.h"
#include "skin/loader/SkinStrings.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

constexpr int kPictureWidth = 137;
constexpr int kBoxWidthWithText = 500;
constexpr int kBoxHeight = 157;

} // namespace

std::unique_ptr<QDialog> CreateSkinAboutBox(QWidget* parent, const QImage& picture, const QStringList& text) {
    if (picture.isNull() && text.isEmpty()) return nullptr;
    auto box = std::make_unique<QDialog>(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box->setWindowTitle(QString::fromLatin1(skin_strings::kAboutTitle));
    auto* layout = new QHBoxLayout(box.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (!picture.isNull()) {
        auto* image = new TLxImage(box.get());
        image->SetAutoSize(false);
        image->SetStretch(true);
        const QPixmap pixmap = QPixmap::fromImage(picture);
        image->SetPictureLeave(pixmap);
        image->SetPictureEnter(pixmap);
        image->SetPicture(pixmap);
        image->setFixedWidth(kPictureWidth);
        layout->addWidget(image);
    }
    if (!text.isEmpty()) {
        auto* edit = new QPlainTextEdit(box.get());
        edit->setReadOnly(true);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        edit->setPlainText(text.join(u'\n'));
        layout->addWidget(edit, 1);
    }
    box->setFixedSize(text.isEmpty() ? kPictureWidth : kBoxWidthWithText, kBoxHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), box->size());
        frame.moveCenter(screen->availableGeometry().center());
        box->move(frame.topLeft());
    }
    return box;
}
