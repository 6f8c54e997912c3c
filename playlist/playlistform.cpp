#include "playlist/playlistform.h"

#include "desktop/LxDragDrop.h"
#include "playlist/CollectedErrors.h"
#include "playlist/DirectoryScan.h"
#include "playlist/HtmlExport.h"
#include "playlist/LastPlaylist.h"
#include "playlist/LxControls.h"
#include "playlist/M3uFile.h"
#include "playlist/PlaylistDialogs.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistStrings.h"
#include "playlist/TrackFiles.h"
#include "playlist/urlform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <stdexcept>

namespace S = PlaylistStrings;

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

} // namespace

Tplaylistform::Tplaylistform(TPlaylistHost& host, QWidget* parent) : Tplaylistform(host, nullptr, parent) {
    dialogs_ = std::make_unique<TStandardPlaylistDialogs>(this);
}

Tplaylistform::Tplaylistform(TPlaylistHost& host, std::unique_ptr<TPlaylistDialogs> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Tool), LxPlaylist1(new TLxPlaylist(this)),
      AddButton(new QPushButton(Text(S::AddButton), this)), DeleteButton(new QPushButton(Text(S::DeleteButton), this)),
      SelectButton(new QPushButton(Text(S::SelectButton), this)),
      MiscButton(new QPushButton(Text(S::MiscButton), this)), addpopup(new QMenu(this)), deletepopup(new QMenu(this)),
      selectpopup(new QMenu(this)), miscpopup(new QMenu(this)), LxDragDrop1(new TLxDragDrop(this)), host_(host),
      dialogs_(std::move(dialogs)) {
    setWindowTitle(Text(S::WindowCaption));
    setFixedSize(290, 291);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    LxPlaylist1->setGeometry(0, 0, 290, 261);
    LxPlaylist1->SetShowNumbers(true);
    LxPlaylist1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LxPlaylist1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { miscpopup->popup(LxPlaylist1->viewport()->mapToGlobal(at)); });

    const int buttonLeft[] = {2, 74, 146, 218};
    QPushButton* const buttons[] = {AddButton, DeleteButton, SelectButton, MiscButton};
    QMenu* const menus[] = {addpopup, deletepopup, selectpopup, miscpopup};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->setGeometry(buttonLeft[i], 264, 69, 25);
        connect(buttons[i], &QPushButton::clicked, this,
                [this, button = buttons[i], menu = menus[i]] { PopupButtonMenu(button, menu); });
    }
    BuildMenus();

    // After the change rather than on the delete notice, which comes while the
    // line is still counted.
    LxPlaylist1->OnChange = [this](QObject*) { updatecaption(); };
    LxPlaylist1->OnDblClick = [this](QObject*) { LxPlaylist1DblClick(); };
    LxPlaylist1->OnKeyDown = [this](QObject*, int key) { LxPlaylist1KeyDown(key); };
    LxDragDrop1->OnDrop = [this](TLxDragDrop*, const QPoint&, const QStringList& paths) { DropFiles(paths); };

    urlform = std::make_unique<Turlform>(*LxPlaylist1, this);
}

Tplaylistform::~Tplaylistform() = default;

void Tplaylistform::BuildMenus() {
    TLxPlaylist* list = LxPlaylist1;
    const auto item = [this](QMenu* menu, const char* caption, auto action) {
        connect(menu->addAction(Text(caption)), &QAction::triggered, this, action);
    };

    item(addpopup, S::AddFiles, [this] { AddFiles(); });
    item(addpopup, S::AddDir, [this] { AddDirectory(); });
    item(addpopup, S::AddUrl, [this] { ShowUrlWindow(); });

    item(deletepopup, S::DeleteAll, [list] { list->DeleteAll(); });
    item(deletepopup, S::DeleteAllButSelected, [list] { list->DeleteAllButSelection(); });
    item(deletepopup, S::DeleteDeadFiles, [list] { list->DeleteDeadFiles(); });
    item(deletepopup, S::DeleteSelected, [list] { list->DeleteSelection(); });

    item(selectpopup, S::SelectAll, [list] { list->SelectAll(); });
    item(selectpopup, S::SelectInvert, [list] { list->ReverseSelection(); });
    item(selectpopup, S::SelectNone, [list] { list->UnselectAll(); });

    // The playing line moves with a reordering; the caption follows it.
    const auto reorder = [this, list](void (TLxPlaylist::*operation)()) {
        return [this, list, operation] {
            (list->*operation)();
            updatecaption();
        };
    };
    QMenu* sort = miscpopup->addMenu(Text(S::SortMenu));
    item(sort, S::SortByPath, reorder(&TLxPlaylist::SortByPath));
    item(sort, S::SortByPathInverted, reorder(&TLxPlaylist::SortByPathInverted));
    item(sort, S::SortBySongname, reorder(&TLxPlaylist::SortBySongname));
    item(sort, S::SortBySongnameInverted, reorder(&TLxPlaylist::SortBySongnameInverted));
    item(sort, S::Randomize, reorder(&TLxPlaylist::RandomOrder));
    item(sort, S::InvertOrder, reorder(&TLxPlaylist::ReverseOrder));
    QMenu* load = miscpopup->addMenu(Text(S::LoadMenu));
    item(load, S::LoadReplace, [this] { LoadReplacing(); });
    item(load, S::LoadAppend, [this] { LoadAppending(); });
    QMenu* move = miscpopup->addMenu(Text(S::MoveMenu));
    item(move, S::MoveUp, reorder(&TLxPlaylist::MoveSelectedUp));
    item(move, S::MoveDown, reorder(&TLxPlaylist::MoveSelectedDown));
    QMenu* save = miscpopup->addMenu(Text(S::SaveMenu));
    item(save, S::SaveM3u, [this] { SaveM3u(); });
    item(save, S::SaveHtml, [this] { SaveHtml(); });
    item(miscpopup, S::Info, [this] { ShowInfo(); });
}

int Tplaylistform::Tag() const { return LxPlaylist1->PlayingIndex(); }

void Tplaylistform::SetTag(int value) { LxPlaylist1->SetPlayingIndex(value); }

void Tplaylistform::updatecaption() {
    setWindowTitle(Text(S::CaptionPrefix) + QString::number(Tag() + 1) + u'/' + QString::number(LxPlaylist1->Count()) +
                   Text(S::CaptionSuffix));
}

void Tplaylistform::LoadAtStartup(const QStringList& parameters) {
    TCollectedErrors errors;
    const QString last = LastPlaylistFile();
    if (QFileInfo::exists(last)) {
        try {
            LxPlaylist1->LoadPlaylist(last);
        } catch (const std::runtime_error& error) {
            errors.Keep(error);
        }
    }

    const bool haveParameters = !parameters.isEmpty();
    int start = haveParameters ? LxPlaylist1->Count() - 1 : 0;
    try {
        AddFilesByExtension(*LxPlaylist1, parameters);
    } catch (const std::runtime_error& error) {
        errors.Keep(error);
    }
    if (haveParameters && start < LxPlaylist1->Count() - 1) ++start;
    if (LxPlaylist1->Count() > 0) host_.PlayFromPlaylist(start);

    errors.ThrowIfAny();
}

void Tplaylistform::SaveAtExit() const { SaveLastPlaylist(LxPlaylist1->Model()); }

void Tplaylistform::AddFiles() { AddFilesByExtension(*LxPlaylist1, dialogs_->ChooseFilesToAdd()); }

void Tplaylistform::AddDirectory() {
    const QString folder = dialogs_->ChooseDirectory();
    if (!folder.isEmpty()) ScanFolder(folder);
    updatecaption();
}

void Tplaylistform::ScanFolder(const QString& folder) {
    ScanDirectory(
        folder,
        [this](const QString& entered) {
            setWindowTitle(Text(S::ScanningCaption) + entered);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        },
        [this](const QString& path) { LxPlaylist1->AddItem(path); });
}

void Tplaylistform::ShowUrlWindow() { urlform->ShowOver(this); }

void Tplaylistform::LoadReplacing() {
    const QString fileName = dialogs_->ChoosePlaylistToLoad();
    if (!fileName.isEmpty()) LxPlaylist1->ReplaceWithPlaylist(fileName);
    updatecaption();
}

void Tplaylistform::LoadAppending() {
    const QString fileName = dialogs_->ChoosePlaylistToLoad();
    if (!fileName.isEmpty()) LxPlaylist1->LoadPlaylist(fileName);
}

QString Tplaylistform::ChooseSaveName(const char* filter, const char* extension) {
    return dialogs_->ChooseSaveName(Text(filter), Text(extension));
}

void Tplaylistform::SaveM3u() {
    const QString fileName = ChooseSaveName(S::M3uFilter, S::M3uExtension);
    if (!fileName.isEmpty()) LxPlaylist1->SavePlaylist(fileName);
}

void Tplaylistform::SaveHtml() {
    const QString fileName = ChooseSaveName(S::HtmlFilter, S::HtmlExtension);
    if (!fileName.isEmpty()) WriteTextLines(fileName, HtmlPlaylistLines(LxPlaylist1->Model()));
}

void Tplaylistform::ShowInfo() {
    if (LxPlaylist1->Count() > 0) host_.ShowTags(qMax(0, LxPlaylist1->ItemIndex()));
}

void Tplaylistform::LxPlaylist1DblClick() {
    if (LxPlaylist1->Count() > 0) host_.PlayFromPlaylist(qMax(0, LxPlaylist1->ItemIndex()));
}

void Tplaylistform::LxPlaylist1KeyDown(int key) {
    if (key == Qt::Key_Insert)
        AddFiles();
    else if (key == Qt::Key_Delete)
        LxPlaylist1->DeleteSelection();
}

void Tplaylistform::DropFiles(const QStringList& paths) { AddFilesByExtension(*LxPlaylist1, paths); }

void Tplaylistform::PopupButtonMenu(QPushButton* button, QMenu* menu) { menu->popup(pos() + button->pos()); }
