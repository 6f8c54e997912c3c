#include "tags/id3form.h"

#include "tags/Id3v2View.h"
#include "tags/LxVisualId3v1.h"
#include "tags/TagStrings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

Tid3form::Tid3form(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QString::fromUtf8(TagStrings::WindowCaption));
    resize(248, 189);

    PageControl = new QTabWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl);

    auto* id3v1Page = new QWidget;
    LxVisualId3v11 = new TLxVisualId3v1(id3v1Page);
    LxVisualId3v11->move(4, 0);
    PageControl->addTab(id3v1Page, QString::fromUtf8(TagStrings::PageId3v1));

    Id3v2Page = new Id3v2View;
    PageControl->addTab(Id3v2Page, QString::fromUtf8(TagStrings::PageId3v2));
    connect(LxVisualId3v11, &TLxVisualId3v1::FilenameChanged, Id3v2Page, &Id3v2View::ShowFile);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
