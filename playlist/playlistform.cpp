#include "playlist/playlistform.h"

#include "desktop/LxDragDrop.h"
#include "desktop/files/LocalFiles.h"
#include "playlist/CollectedErrors.h"
#include "playlist/DirectoryScan.h"
#include "playlist/DisplayText.h"
#include "playlist/HtmlExport.h"
#include "playlist/LastPlaylist.h"
#include "playlist/LxControls.h"
#include "playlist/M3uFile.h"
#include "playlist/PlaylistDialogs.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistStrings.h"
#include "playlist/TrackFiles.h"
#include "playlist/TrackTitle.h"
#include "playlist/urlform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <stdexcept>

namespace S = PlaylistStrings;

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

// Lines read per turn of the event loop while tags are read.
constexpr int kInfoLinesPerTurn = 8;

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
      dialogs_(std::move(dialogs)), infoTimer_(new QTimer(this)) {
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
    LxPlaylist1->OnChange = [this](QObject*) {
        updatecaption();
        infoCursor_ = 0;
        infoTimer_->start();
    };
    LxPlaylist1->OnReordered = [this](QObject*) { updatecaption(); };
    infoTimer_->setInterval(0);
    connect(infoTimer_, &QTimer::timeout, this, [this] {
        if (!ReadTrackInfo()) infoTimer_->stop();
    });
    LxPlaylist1->OnDblClick = [this](QObject*) { LxPlaylist1DblClick(); };
    LxPlaylist1->OnKeyDown = [this](QObject*, int key) { LxPlaylist1KeyDown(key); };
    LxPlaylist1->installEventFilter(this);
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
    QString caption = Text(S::CaptionPrefix) + QString::number(Tag() + 1) + u'/' +
                      QString::number(LxPlaylist1->Count()) + Text(S::CaptionSuffix);
    int unknown = 0;
    const qint64 total = LxPlaylist1->Model().TotalSeconds(&unknown);
    if (unknown < LxPlaylist1->Count())
        caption += Text(S::CaptionTotal).arg(DurationText(total), unknown > 0 ? QStringLiteral("+") : QString());
    setWindowTitle(caption);
}

bool Tplaylistform::ReadTrackInfo() {
    const TPlaylistModel& model = LxPlaylist1->Model();
    int read = 0;
    while (infoCursor_ < model.Count() && read < kInfoLinesPerTurn) {
        const int line = infoCursor_++;
        if (model.InfoRead(line)) continue;
        const QString& path = model.Path(line);
        LxPlaylist1->SetTrackInfo(line, TrackTitleFromTags(path), DurationOf ? DurationOf(path) : -1);
        ++read;
    }
    if (read > 0) updatecaption();
    return infoCursor_ < model.Count();
}

void Tplaylistform::LoadAtStartup(const QStringList& parameters) {
    TCollectedErrors errors;
    const QString last = LastPlaylistFile();
    if (LocalFiles::Exists(last)) {
        try {
            LxPlaylist1->LoadPlaylist(last);
        } catch (const std::runtime_error& error) {
            errors.Keep(error);
        }
    }

    // Names relative to the folder the player was started from are kept
    // whole, so that the list still finds them at the next start.
    QStringList files;
    for (const QString& parameter : parameters)
        files << (IsUrl(parameter) ? parameter : LocalFiles::AbsolutePath(parameter));
    const int before = LxPlaylist1->Count();
    try {
        AddFilesByExtension(*LxPlaylist1, files);
    } catch (const std::runtime_error& error) {
        errors.Keep(error);
    }
    // The restored list waits for the user; files given to play start.
    if (LxPlaylist1->Count() > before)
        host_.PlayFromPlaylist(before);
    else if (LxPlaylist1->Count() > 0)
        LxPlaylist1->SetItemIndex(0);

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

bool Tplaylistform::ListKey(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers plain = modifiers & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain == Qt::NoModifier) {
        LxPlaylist1DblClick();
        return true;
    }
    if (key == Qt::Key_Delete || key == Qt::Key_Insert) return false; // the list's own key event
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right) return false;
    return host_.PlayerKey(key, modifiers);
}

bool Tplaylistform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LxPlaylist1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (ListKey(key->key(), key->modifiers())) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tplaylistform::DropFiles(const QStringList& paths) { AddFilesByExtension(*LxPlaylist1, paths); }

void Tplaylistform::PopupButtonMenu(QPushButton* button, QMenu* menu) { menu->popup(pos() + button->pos()); }
